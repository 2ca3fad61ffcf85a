#pragma once
// A Klondike position as text, for players who ask the command-line solver about a game they are
// in, and for tests that pin positions. One item per line, in any order; '#' starts a comment:
//   level easy|medium|hard    the level (optional)
//   vegas N                   Vegas scoring with N stock refills used (optional: without it the
//                             stock may be refilled without limit)
//   col0 .. col6 CODES        a column, row 0 first
//   stock CODES               the stock, bottom first: the last card is turned next
//   waste CODES               the waste, bottom first: the last card is the top card
//   found T0 T1 T2 T3         the top card of each foundation pile, 255 for an empty one
// Card codes are the game's: rank * 4 + suit (Ace 0 .. King 12; suits 0 and 3 of one colour), plus
// 64 for a face-down card. Items left out are empty.
#include <optional>
#include <string>

#include "solver/klondike_solver.h"

namespace solver {

struct PositionFile {
  Position position;
  std::optional<Level> level;
  int vegasRefillsUsed = -1;  // -1 without the vegas item
  // The refills the stock still allows.
  int refillsLeft() const;
};

// The position in `text`, or the reason it is none (with its line number). Checks the form and
// that no card appears twice; solve() checks the rest of the rules.
struct PositionParse {
  std::optional<PositionFile> file;
  std::string error;
};
PositionParse parsePosition(const std::string& text);

std::string positionText(const PositionFile& file);

}  // namespace solver
