#pragma once
// A move for a player who has no winning line to follow (the search gave up, or proved the game
// lost): the most useful legal move by a simple rule of thumb (detail::usefulness).
#include <vector>

#include "solver/klondike_solver.h"

namespace solver {

// The stock presses that turn the card up, then the move; empty when no move helps.
std::vector<Move> suggestMove(const Position& position, Level level, int refills);
// False when pressing the stock would change nothing: stock empty and no refill left to make.
bool canTurnStock(const Position& position, int refills);

}  // namespace solver
