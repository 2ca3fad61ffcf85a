#pragma once
// A plain model of Klondike's moves and an exhaustive search over it, written from the rules
// alone, to check the solver's answers: every legal move is tried from every position, with no
// shortcut but the turn of a face-down last card, which is free and can only help.
#include <cstdint>
#include <random>
#include <vector>

#include "solver/klondike_solver.h"

namespace solver::reference {

struct Table {
  Position position;
  Level level = Level::Easy;
  int refillsLeft = kUnlimitedRefills;
};

// Every table one legal move away.
std::vector<Table> successors(const Table& table);
// Applies a move of the solver's line; false when the rules refuse it.
bool apply(Table& table, const Move& move);
// A random legal move; false when there is none.
bool playRandomMove(Table& table, std::mt19937& random);
bool isWon(const Table& table);
// Won, Lost, or Undecided when more than maxTables tables are reachable.
Outcome search(const Table& table, std::size_t maxTables);

}  // namespace solver::reference
