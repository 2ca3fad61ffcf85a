// Undo and redo of completed moves within a deal, and the double click that sends a card home.
#include <algorithm>
#include <array>

#include "game/game_engine.h"
#include "game/safe_home.h"

namespace game {

RuleState GameEngine::restingRuleState() const {
  RuleState s = ruleStateOf(t_);
  if (!t_.dragHoldsCards) return s;
  if (t_.dragFromTableau == 1)
    std::copy(std::begin(t_.dragBackup), std::end(t_.dragBackup), s.tableau[t_.markedCol]);
  else
    ++s.wasteTop;
  return s;
}

void GameEngine::recordMove(const RuleState& before) {
  if (autodrop_ && !(restingRuleState() == before)) dropSafeCards();
  history_.record(before, restingRuleState());
  view_.movesChanged();
}

void GameEngine::dropSafeCards() {
  if (menu_.ruleSet != RuleSet::Klondike || autoFinishing_ || t_.dragHoldsCards ||
      t_.selState != Selection::None)
    return;
  for (bool sent = true; sent && !gameOver();) {
    sent = false;
    std::array<std::uint8_t, 4> home{};
    for (const std::uint8_t top : t_.foundation)
      if (top != kEmpty) home[std::size_t(suitOf(top))] = std::uint8_t(rankOf(top) + 1);
    // The waste's top card (column 1 of the bottom row), then the last card of each column.
    for (int column = -1; column < kColumns && !sent; ++column) {
      const int row = column < 0 ? 0 : runLength(column, 0) - 1;
      const std::uint8_t card = column < 0 ? (t_.wasteTop >= 0 ? t_.waste[t_.wasteTop] : kEmpty)
                                : row >= 0 ? t_.tableau[column][row]
                                           : kEmpty;
      if (!isOccupied(card) || isFaceDown(card) || !safeHome(home, card)) continue;
      const int f = foundationFor(card);
      if (f < 0) continue;
      t_.selCol = column < 0 ? kWasteColumn : column;
      t_.selRow = row;
      t_.selCard = card;
      t_.selIsRun = 0;
      t_.selPending = false;
      t_.selState = Selection::SeekingFoundation;
      moveToFoundation(f);
      sent = true;
    }
  }
}

void GameEngine::endAutoFinish() {
  autoFinishing_ = false;
  if (!autoFinishStart_) return;
  const RuleState before = *autoFinishStart_;
  autoFinishStart_.reset();
  recordMove(before);
}

bool GameEngine::gameOver() const {
  if (menu_.ruleSet == RuleSet::Quatro) return t_.quatroOver != 0;
  return std::all_of(std::begin(t_.foundation), std::end(t_.foundation),
                     [](std::uint8_t top) { return top != kEmpty && rankOf(top) == 12; });
}

bool GameEngine::canUndo() const { return (history_.canUndo() || autoFinishStart_) && !gameOver(); }

bool GameEngine::canRedo() const { return history_.canRedo() && !autoFinishStart_; }

void GameEngine::returnTo(const RuleState& state) {
  restoreRuleState(state, t_);
  if (menu_.ruleSet == RuleSet::Klondike) t_.qualifies = 0;
  showScore();
  view_.invalidateAll();
  view_.movesChanged();
}

void GameEngine::undo() {
  if (!canUndo()) return;
  endAutoFinish();
  cancelSelection();
  returnTo(history_.undo(ruleStateOf(t_)));
}

void GameEngine::redo() {
  if (!canRedo()) return;
  cancelSelection();
  returnTo(history_.redo(ruleStateOf(t_)));
}

bool GameEngine::doubleClick(MouseButton button, int x, int y) {
  if (button != MouseButton::Left || !dragMode() || !cardSetPresent_) return false;
  if (!insideKlondikeArea(x, y)) return false;
  const Place p = hitPlace(x, y);
  if (p.column >= kColumns) return false;
  if (t_.dragHoldsCards) cancelSelection();
  int row = 0;
  std::uint8_t card = kEmpty;
  if (p.row < t_.layout.bottomRow) {
    row = findCardRow(p.column, p.row);
    card = t_.tableau[p.column][row];
    const bool last = row == kRows - 1 || !isOccupied(t_.tableau[p.column][row + 1]);
    if (!last || !isOccupied(card) || isFaceDown(card)) return false;
  } else if (p.column == kWasteColumn && t_.wasteTop >= 0) {
    card = t_.waste[t_.wasteTop];
  } else {
    return false;
  }
  const int f = foundationFor(card);
  if (f < 0) return true;
  if (menu_.timed && menu_.scoreMode == ScoreMode::Normal) startClock();
  const RuleState before = restingRuleState();
  t_.selCol = p.column;
  t_.selRow = row;
  t_.selCard = card;
  t_.selIsRun = 0;
  t_.selPending = false;
  t_.selState = Selection::SeekingFoundation;
  moveToFoundation(f);
  recordMove(before);
  return true;
}

}  // namespace game
