#include "shell/hint_search.h"

#include <memory>

#include "platform/message_box.h"
#include "shell/table_widget.h"

namespace shell {
namespace {

const solver::Limits kHintLimits{2'000'000, std::chrono::milliseconds(2000)};
constexpr int kFrameMs = 1500;
const char* const kHintCaption = "Hint";

}  // namespace

std::vector<game::Rect> hintFrames(const game::GameEngine& engine, const solver::MovePlaces& move) {
  const game::TableLayout& layout = engine.table().layout;
  auto frame = [&](game::Place p) {
    const int cards = p.row < layout.bottomRow ? engine.runLength(p.column, p.row) : 1;
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

HintSearch::HintSearch(game::GameEngine& engine, TableWidget& table, Note note)
    : engine_(engine), table_(table), note_(std::move(note)) {
  frameTimer_.setSingleShot(true);
  frameTimer_.setInterval(kFrameMs);
  connect(&frameTimer_, &QTimer::timeout, this, [this] { table_.setHintFrames({}); });
}

void HintSearch::request() {
  if (engine_.menu().ruleSet != game::RuleSet::Klondike) return;
  // The hint may name another move than the one begun: its frames stand alone.
  engine_.cancelSelection();
  tableChanged();
  const game::MenuState& m = engine_.menu();
  const bool vegas = m.scoreMode == game::ScoreMode::Vegas;
  if (solver::isWonTable(engine_.table())) return note_(kWonNote);
  if (solver::hasNoMove(engine_.table(), m.level, vegas)) return note_(kNoMoveNote);
  auto search = std::make_shared<solver::TableSearch>(engine_.table(), m.level, vegas);
  worker_.start([this, search](const std::atomic<bool>& cancel) -> SolverWorker::Answer {
    search->run(kHintLimits, &cancel);
    return [this, search] { answer(*search); };
  });
}

void HintSearch::tableChanged() {
  worker_.cancel();
  frameTimer_.stop();
  if (!table_.hintFrames().empty()) table_.setHintFrames({});
}

void HintSearch::answer(const solver::TableSearch& search) {
  if (endQualification(engine_)) note_(kOutOfTheRaceNote);
  if (const auto move = search.nextMove()) return showFrames(*move);
  const auto suggestion = search.suggestedMove();
  if (search.result().outcome == solver::Outcome::Lost) {
    platform::showMessage(table_.window(), "No winning line from here", kHintCaption);
  } else if (suggestion) {
    note_(kSuggestionNote);
  } else {
    platform::showMessage(table_.window(), "No winning line found", kHintCaption);
  }
  if (suggestion) showFrames(*suggestion);
}

void HintSearch::showFrames(const solver::MovePlaces& move) {
  table_.setHintFrames(hintFrames(engine_, move));
  frameTimer_.start();
}

}  // namespace shell
