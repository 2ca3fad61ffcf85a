#include "shell/hint_search.h"

#include <memory>

namespace shell {
namespace {

const solver::Limits kTableSearchLimits{2'000'000, std::chrono::milliseconds(2000)};
constexpr int kFrameMs = 1500;
const char* const kHintCaption = "Hint";

}  // namespace

void searchTable(SolverWorker& worker, const game::GameEngine& engine,
                 std::function<void(const solver::TableSearch&)> answer) {
  const game::MenuState& m = engine.menu();
  auto search = std::make_shared<solver::TableSearch>(engine.table(), m.level,
                                                      m.scoreMode == game::ScoreMode::Vegas);
  worker.start([search, answer = std::move(answer)](const std::atomic<bool>& cancel) {
    search->run(kTableSearchLimits, &cancel);
    return SolverWorker::Answer([search, answer] { answer(*search); });
  });
}

std::vector<game::Rect> hintFrames(const game::GameEngine& engine, const solver::MovePlaces& move) {
  const game::TableLayout& layout = engine.table().layout;
  auto frame = [&](game::Place p) {
    const int cards = p.row < layout.bottomRow ? engine.table().runLength(p.column, p.row) : 1;
    return layout.selectionFrame(p, std::max(cards, 1));  // an empty column is framed as a card
  };
  if (move.onePress) return {frame(move.source)};
  return {frame(move.source), frame(move.target)};
}

bool endQualification(game::GameEngine& engine) {
  const bool qualified = engine.table().qualifies == 1;
  engine.endQualification();
  return qualified;
}

HintSearch::HintSearch(game::GameEngine& engine) : engine_(engine) {
  frameTimer_.setSingleShot(true);
  frameTimer_.setInterval(kFrameMs);
  connect(&frameTimer_, &QTimer::timeout, this, [this] { show({}); });
}

void HintSearch::show(std::vector<game::Rect> frames) {
  framesShown_ = !frames.empty();
  if (showFrames) showFrames(std::move(frames));
}

void HintSearch::say(const char* text) {
  if (note) note(text);
}

void HintSearch::request() {
  if (!engine_.rules().klondikeScoring) return;
  // The hint may name another move than the one begun: its frames stand alone.
  engine_.cancelSelection();
  tableChanged();
  const game::MenuState& m = engine_.menu();
  const bool vegas = m.scoreMode == game::ScoreMode::Vegas;
  if (solver::isWonTable(engine_.table())) return say(kWonNote);
  if (solver::hasNoMove(engine_.table(), m.level, vegas)) return say(kNoMoveNote);
  searchTable(worker_, engine_, [this](const solver::TableSearch& search) { answer(search); });
}

void HintSearch::tableChanged() {
  worker_.cancel();
  frameTimer_.stop();
  if (framesShown_) show({});
}

void HintSearch::answer(const solver::TableSearch& search) {
  if (endQualification(engine_)) say(kOutOfTheRaceNote);
  if (const auto move = search.nextMove()) return showMove(*move);
  const auto suggestion = search.suggestedMove();
  if (search.result().outcome == solver::Outcome::Lost) {
    if (tell) tell("No winning line from here", kHintCaption);
  } else if (suggestion) {
    say(kSuggestionNote);
  } else if (tell) {
    tell("No winning line found", kHintCaption);
  }
  if (suggestion) showMove(*suggestion);
}

void HintSearch::showMove(const solver::MovePlaces& move) {
  show(hintFrames(engine_, move));
  frameTimer_.start();
}

}  // namespace shell
