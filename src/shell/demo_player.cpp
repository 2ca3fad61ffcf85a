#include "shell/demo_player.h"

#include <QApplication>
#include <QEvent>

#include "game/keyboard_focus.h"

namespace shell {
namespace {

constexpr int kPressMs = 450;

}  // namespace

DemoPlayer::DemoPlayer(game::GameEngine& engine, HintSearch::Note note)
    : engine_(engine), note_(std::move(note)) {
  stepTimer_.setInterval(kPressMs);
  connect(&stepTimer_, &QTimer::timeout, this, [this] { step(); });
}

DemoPlayer::~DemoPlayer() { stop(); }

void DemoPlayer::start() {
  stop();
  if (!engine_.rules().klondikeScoring) return;
  engine_.cancelSelection();
  const bool leftTheRace = endQualification(engine_);
  note_(leftTheRace ? QString("%1. %2").arg(kDemoNote, kOutOfTheRaceNote) : kDemoNote);
  running_ = true;
  qApp->installEventFilter(this);
  searchTable(worker_, engine_, [this](const solver::TableSearch& search) { answer(search); });
}

void DemoPlayer::stop() {
  if (!running_) return;
  running_ = false;
  worker_.cancel();
  stepTimer_.stop();
  qApp->removeEventFilter(this);
  if (target_) engine_.cancelSelection();
  target_.reset();
  line_.clear();
  seen_.clear();
}

bool DemoPlayer::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::KeyPress: stop(); return true;  // the press stops the demo and does nothing else
    default: return QObject::eventFilter(watched, event);
  }
}

void DemoPlayer::answer(const solver::TableSearch& search) {
  following_ = search.result().outcome == solver::Outcome::Won;
  line_ = following_ ? search.result().moves : std::vector<solver::Move>{};
  next_ = 0;
  if (!following_) note_(kDemoSuggestionsNote);
  stepTimer_.start();
}

std::optional<solver::Move> DemoPlayer::nextMove() {
  if (following_) {
    if (next_ == line_.size()) return std::nullopt;
    return line_[next_++];
  }
  const game::MenuState& m = engine_.menu();
  const bool vegas = m.scoreMode == game::ScoreMode::Vegas;
  if (!seen_.insert(solver::positionTextOf(engine_.table(), m.level, vegas)).second)
    return std::nullopt;
  const std::vector<solver::Move> moves = solver::suggestionFor(engine_.table(), m.level, vegas);
  if (moves.empty()) return std::nullopt;
  return moves.front();
}

void DemoPlayer::step() {
  if (target_) {
    const game::Place target = *target_;
    target_.reset();
    return press(target);
  }
  const auto move = nextMove();
  if (!move) return stop();
  const solver::MovePlaces places = solver::placesOf(*move, engine_.table());
  if (!places.onePress) target_ = places.target;
  press(places.source);
}

void DemoPlayer::press(game::Place place) {
  // The winning press shows the end-of-game screen, modally: the player's click must reach it.
  qApp->removeEventFilter(this);
  stepTimer_.stop();
  const game::GameTable before = engine_.table();
  engine_.keyPress(game::validFocus(engine_.table(), engine_.menu().ruleSet, place));
  if (pressed) pressed(before);
  if (!running_) return;
  if (solver::isWonTable(engine_.table())) return stop();
  qApp->installEventFilter(this);
  stepTimer_.start();
}

}  // namespace shell
