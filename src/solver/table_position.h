#pragma once
// The solver's link to the game: the position on the game's table, the refills its score mode
// leaves, the dealt table of a seed, and the places a player presses for a move. Everything that
// reads the game's table record is in this file and its source.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/game_table.h"
#include "solver/klondike_solver.h"

namespace solver {

Position positionOf(const game::GameTable& t);
// Vegas refills the stock twice per game; the other modes without limit, unless Vegas already
// spent the refills of this game.
int refillsLeft(const game::GameTable& t, bool vegas);
// The Klondike table that the game deals for a seed.
game::GameTable dealtTable(std::uint32_t seed);

// The places of a move: the place pressed first and the place pressed second (the same place
// for a stock press or the turn of a face-down card, which take one press).
struct MovePlaces {
  game::Place source, target;
  bool onePress = false;
};
MovePlaces placesOf(const Move& move, const game::GameTable& t);

// Every card is home.
bool isWonTable(const game::GameTable& t);
// No card can move and the stock cannot turn.
bool hasNoMove(const game::GameTable& t, Level level, bool vegas);
// The most useful move from the table (solver/suggestion.h): its stock presses, then the move.
std::vector<Move> suggestionFor(const game::GameTable& t, Level level, bool vegas);
// The position as text (solver/position_text.h), with the level and the Vegas refills used.
std::string positionTextOf(const game::GameTable& t, Level level, bool vegas);

// A search from a copy of a table, e.g. for a hint: construct it on the window's thread, run it on
// a worker thread, then ask for the first move of the winning line.
class TableSearch {
 public:
  TableSearch(const game::GameTable& t, Level level, bool vegas);
  const Result& run(const Limits& limits, const std::atomic<bool>* cancel = nullptr);
  const Result& result() const { return result_; }
  // The places of the next move of the winning line; nothing unless the search won.
  std::optional<MovePlaces> nextMove() const;
  // The places of the first press of the most useful move (solver/suggestion.h), if one helps.
  std::optional<MovePlaces> suggestedMove() const;

 private:
  game::GameTable table_;
  Position position_;
  Level level_;
  int refills_;
  Result result_;
};

}  // namespace solver
