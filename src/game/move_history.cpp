#include "game/move_history.h"

#include <algorithm>

namespace game {

RuleState ruleStateOf(const GameTable& t) {
  RuleState s{};
  std::copy(&t.tableau[0][0], &t.tableau[0][0] + kColumns * kRows, &s.tableau[0][0]);
  std::copy(std::begin(t.stock), std::end(t.stock), s.stock);
  s.stockCount = t.stockCount;
  std::copy(std::begin(t.waste), std::end(t.waste), s.waste);
  s.wasteTop = t.wasteTop;
  std::copy(std::begin(t.foundation), std::end(t.foundation), s.foundation);
  s.turnCount = t.turnCount;
  s.gridCount = t.gridCount;
  s.pairMode = t.pairMode;
  s.quatroOver = t.quatroOver;
  s.score = t.score;
  s.vegasRedeals = t.vegasRedeals;
  return s;
}

void restoreRuleState(const RuleState& s, GameTable& t) {
  std::copy(&s.tableau[0][0], &s.tableau[0][0] + kColumns * kRows, &t.tableau[0][0]);
  std::copy(std::begin(s.stock), std::end(s.stock), t.stock);
  t.stockCount = s.stockCount;
  std::copy(std::begin(s.waste), std::end(s.waste), t.waste);
  t.wasteTop = s.wasteTop;
  std::copy(std::begin(s.foundation), std::end(s.foundation), t.foundation);
  t.turnCount = s.turnCount;
  t.gridCount = s.gridCount;
  t.pairMode = s.pairMode;
  t.quatroOver = s.quatroOver;
  t.score = s.score;
  t.vegasRedeals = s.vegasRedeals;
}

void MoveHistory::record(const RuleState& before, const RuleState& after) {
  if (before == after) return;
  undo_.push_back(before);
  redo_.clear();
}

RuleState MoveHistory::undo(const RuleState& current) {
  const RuleState back = undo_.back();
  undo_.pop_back();
  redo_.push_back(current);
  return back;
}

RuleState MoveHistory::redo(const RuleState& current) {
  const RuleState forward = redo_.back();
  redo_.pop_back();
  undo_.push_back(current);
  return forward;
}

void MoveHistory::clear() {
  undo_.clear();
  redo_.clear();
}

void MoveHistory::chargePenalty(int points) {
  for (auto* steps : {&undo_, &redo_})
    for (RuleState& s : *steps) s.score -= points;
}

}  // namespace game
