#pragma once
// Undo and redo within a deal: whole copies of the rule part of the table (piles, score and
// counters; never the selection, drag or pointer fields), one per completed move.
#include <cstdint>
#include <vector>

#include "game/game_table.h"

namespace game {

inline RuleState ruleStateOf(const GameTable& t) { return t; }
inline void restoreRuleState(const RuleState& state, GameTable& t) {
  static_cast<RuleState&>(t) = state;
}

class MoveHistory {
 public:
  // Keeps `before` as an undo step when the move changed the table (and tells whether it did); a
  // new step ends the redos.
  bool record(const RuleState& before, const RuleState& after);
  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  // The state to go back (forward) to; `current` becomes the step the other way. Call only when
  // canUndo() (canRedo()).
  RuleState undo(const RuleState& current);
  RuleState redo(const RuleState& current);
  void clear();
  // The steps as a saved game keeps them (oldest first; the next redo last), and back.
  const std::vector<RuleState>& undoSteps() const { return undo_; }
  const std::vector<RuleState>& redoSteps() const { return redo_; }
  void restore(std::vector<RuleState> undo, std::vector<RuleState> redo) {
    undo_ = std::move(undo);
    redo_ = std::move(redo);
  }
  // The clock's penalty stays paid: it is taken from every kept score as well.
  void chargePenalty(int points);

 private:
  std::vector<RuleState> undo_, redo_;
};

}  // namespace game
