// Undo and redo of completed moves within a deal, and the double click that sends a card home.
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
  if (history_.record(before, restingRuleState())) view_.moveMade();
  view_.movesChanged();
}

void GameEngine::dropSafeCards() {
  if (!rules().klondikeScoring || autoFinishing_ || t_.dragHoldsCards ||
      t_.selState != Selection::None)
    return;
  for (bool sent = true; sent && !gameOver();) {
    sent = false;
    std::array<std::uint8_t, 4> home{};
    for (const std::uint8_t code : t_.foundation)
      if (const Card top{code}; top.occupied())
        home[std::size_t(top.suit())] = std::uint8_t(top.rank() + 1);
    // The waste's top card, then the last card of each column.
    for (int column = -1; column < kColumns && !sent; ++column) {
      const int row = column < 0 ? 0 : t_.lastRow(column);
      const Card card{column >= 0        ? t_.tableau[column][row]
                      : t_.wasteTop >= 0 ? t_.waste[t_.wasteTop]
                                         : kEmpty};
      if (!card.occupied() || card.faceDown() || !safeHome(home, card)) continue;
      const int f = foundationFor(card.code);
      if (f < 0) continue;
      sendHome(column < 0 ? kWasteColumn : column, row, card.code, f);
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

bool GameEngine::canUndo() const { return (history_.canUndo() || autoFinishStart_) && !gameOver(); }

bool GameEngine::canRedo() const { return history_.canRedo() && !autoFinishStart_; }

void GameEngine::returnTo(const RuleState& state) {
  restoreRuleState(state, t_);
  t_.qualifies = 0;
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
    row = t_.cardRowAtOrAbove(p.column, p.row);
    card = t_.tableau[p.column][row];
    if (!t_.isLastCard(p.column, row) || !Card{card}.occupied() || Card{card}.faceDown())
      return false;
  } else if (p.column == kWasteColumn && t_.wasteTop >= 0) {
    card = t_.waste[t_.wasteTop];
  } else {
    return false;
  }
  const int f = foundationFor(card);
  if (f < 0) return true;
  if (menu_.timed && menu_.scoreMode == ScoreMode::Normal) startClock();
  const RuleState before = restingRuleState();
  sendHome(p.column, row, card, f);
  recordMove(before);
  return true;
}

}  // namespace game
