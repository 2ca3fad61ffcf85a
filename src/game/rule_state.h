#pragma once
// The rule state of a game: what the rules read and change, and all that undo restores, the
// statistics see as a move and a saved game keeps. Its fields are listed here only; the table's
// record (GameTable) adds the selection, the drag, the clock and the layout around it.
#include <algorithm>
#include <cstdint>
#include <iterator>

#include "game/card.h"

namespace game {

constexpr int kColumns = 7;
constexpr int kRows = 19;
constexpr int kDeckSize = 52;

// Klondike's piles; Quatro keeps its grid in the first four columns of `tableau`, its current card
// in waste[0] and its deck in `stock`.
struct RuleState {
  std::uint8_t tableau[kColumns][kRows];  // column-major, row 0 is the top card of a column
  std::uint8_t stock[kDeckSize];
  std::int8_t stockCount = 0;  // < 1 means empty; may become negative by turning
  std::uint8_t waste[kDeckSize];
  std::int8_t wasteTop = -1;
  std::uint8_t foundation[4];  // top card of each foundation, 255 when empty
  std::int8_t turnCount = 0;
  std::uint8_t gridCount = 0;  // Quatro: cards on the grid
  std::uint8_t pairMode = 0;   // Quatro: the grid is full, pairs are taken away
  std::uint8_t quatroOver = 0;
  std::int32_t score = 0, vegasRedeals = 0;

  bool operator==(const RuleState&) const = default;

  Card card(int column, int row) const { return {tableau[column][row]}; }
  // The lowest occupied row of a column at or above `row` (row 0 when none is).
  int cardRowAtOrAbove(int column, int row) const {
    row = std::clamp(row, 0, kRows - 1);
    while (row > 0 && !card(column, row).occupied()) --row;
    return row;
  }
  // The row of a column's last card (0 for an empty column).
  int lastRow(int column) const { return cardRowAtOrAbove(column, kRows - 1); }
  bool isLastCard(int column, int row) const {
    return row == kRows - 1 || !card(column, row + 1).occupied();
  }
  // Occupied rows from `row` down to the first empty one.
  int runLength(int column, int row) const {
    int end = row;
    while (end < kRows && card(column, end).occupied()) ++end;
    return end - row;
  }
  // Every Klondike foundation holds its King.
  bool allKingsHome() const {
    return std::all_of(std::begin(foundation), std::end(foundation),
                       [](std::uint8_t top) { return Card{top}.king(); });
  }
};

}  // namespace game
