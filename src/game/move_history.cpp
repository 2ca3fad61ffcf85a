#include "game/move_history.h"

namespace game {

bool MoveHistory::record(const RuleState& before, const RuleState& after) {
  if (before == after) return false;
  undo_.push_back(before);
  redo_.clear();
  return true;
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
