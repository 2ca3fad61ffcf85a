#pragma once
// Undo and redo within a deal: whole copies of the rule part of the table (piles, score and
// counters; never the selection, drag or pointer fields), one per completed move.
#include <cstdint>
#include <vector>

#include "game/game_table.h"

namespace game {

struct RuleState {
  std::uint8_t tableau[kColumns][kRows];
  std::uint8_t stock[52];
  std::int8_t stockCount;
  std::uint8_t waste[52];
  std::int8_t wasteTop;
  std::uint8_t foundation[4];
  std::int8_t turnCount;
  std::uint8_t gridCount, pairMode, quatroOver;
  std::int32_t score, vegasRedeals;

  bool operator==(const RuleState&) const = default;
};

RuleState ruleStateOf(const GameTable& t);
void restoreRuleState(const RuleState& state, GameTable& t);

class MoveHistory {
 public:
  // Keeps `before` as an undo step when the move changed the table; a new step ends the redos.
  void record(const RuleState& before, const RuleState& after);
  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  // The state to go back (forward) to; `current` becomes the step the other way. Call only when
  // canUndo() (canRedo()).
  RuleState undo(const RuleState& current);
  RuleState redo(const RuleState& current);
  void clear();
  // The clock's penalty stays paid: it is taken from every kept score as well.
  void chargePenalty(int points);

 private:
  std::vector<RuleState> undo_, redo_;
};

}  // namespace game
