#include "solver/suggestion.h"

#include "solver/solver_state.h"

namespace solver {

std::vector<Move> suggestMove(const Position& position, Level level, int refills) {
  std::vector<Move> moves;
  detail::State state;
  if (!detail::toState(position, state, moves)) return {};
  if (!moves.empty()) return moves;  // a face-down last card to turn first
  const detail::Rules rules = detail::rulesFor(level, refills);
  std::vector<detail::Candidate> candidates;
  detail::generateMoves(state, rules, {}, candidates);
  const detail::Candidate* best = nullptr;
  int bestValue = 0;
  for (const detail::Candidate& c : candidates) {
    const int value = detail::usefulness(state, rules, c);
    if (value > bestValue) {
      best = &c;
      bestValue = value;
    }
  }
  if (best) detail::applyMoveAlone(state, *best, moves);
  return moves;
}

bool canTurnStock(const Position& position, int refills) {
  return !position.stock.empty() || (position.waste.size() >= 2 && refills != 0);
}

}  // namespace solver
