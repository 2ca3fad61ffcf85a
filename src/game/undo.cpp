// Undo and redo of completed moves within a deal, and the double click that sends a card home.
#include "game/game_engine.h"

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
  if (autodrop_ && !autoFinishing_ && !(restingRuleState() == before)) rules().dropSafeCards(*this);
  if (history_.record(before, restingRuleState())) view_.moveMade();
  view_.movesChanged();
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
  const std::optional<Place> place = rules().placeUnder(t_, x, y);
  return place && rules().doubleClick(*this, *place);
}

}  // namespace game
