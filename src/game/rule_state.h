#pragma once
// The rule state of the table: what the rules read and change, and all that undo restores, the
// statistics see as a move and a saved game keeps. Each game keeps its own state, which the other
// game leaves as it was; the score is common. The fields are listed in the games' state structs
// and here only; the table's record (GameTable) adds the selection, the drag, the clock and the
// layout around it.
#include <cstdint>

#include "game/klondike_state.h"
#include "game/quatro_state.h"

namespace game {

struct RuleState : KlondikeState, QuatroState {
  std::int32_t score = 0;

  bool operator==(const RuleState&) const = default;
};

// No card anywhere: the rule state before the first deal.
inline RuleState emptyRuleState() {
  RuleState s{};
  s.KlondikeState::clear();
  s.QuatroState::clear();
  return s;
}

}  // namespace game
