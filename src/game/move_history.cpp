#include "game/move_history.h"

#include <algorithm>

namespace game {

namespace {

// RuleState and GameTable name the rule fields alike, so one copy serves both directions.
template <typename From, typename To>
void copyRuleFields(const From& from, To& to) {
  std::copy(&from.tableau[0][0], &from.tableau[0][0] + kColumns * kRows, &to.tableau[0][0]);
  std::copy(std::begin(from.stock), std::end(from.stock), to.stock);
  to.stockCount = from.stockCount;
  std::copy(std::begin(from.waste), std::end(from.waste), to.waste);
  to.wasteTop = from.wasteTop;
  std::copy(std::begin(from.foundation), std::end(from.foundation), to.foundation);
  to.turnCount = from.turnCount;
  to.gridCount = from.gridCount;
  to.pairMode = from.pairMode;
  to.quatroOver = from.quatroOver;
  to.score = from.score;
  to.vegasRedeals = from.vegasRedeals;
}

}  // namespace

RuleState ruleStateOf(const GameTable& t) {
  RuleState s{};
  copyRuleFields(t, s);
  return s;
}

void restoreRuleState(const RuleState& s, GameTable& t) { copyRuleFields(s, t); }

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
