#pragma once
// Klondike's rule state: the seven columns, stock, waste and foundations with their counters, and
// the questions asked of them. Toolkit-free.
#include <algorithm>
#include <cstdint>
#include <iterator>

#include "game/card.h"

namespace game {

constexpr int kColumns = 7;
constexpr int kRows = 19;
constexpr int kDeckSize = 52;

struct KlondikeState {
  std::uint8_t tableau[kColumns][kRows];  // column-major, row 0 is the top card of a column
  std::uint8_t stock[kDeckSize];
  std::int8_t stockCount = 0;  // < 1 means empty; may become negative by turning
  std::uint8_t waste[kDeckSize];
  std::int8_t wasteTop = -1;
  std::uint8_t foundation[4];  // top card of each foundation, 255 when empty
  std::int8_t turnCount = 0;
  std::int32_t vegasRedeals = 0;  // the stock refilled from the waste (in Vegas twice at most)

  bool operator==(const KlondikeState&) const = default;

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
  // Every foundation holds its King.
  bool allKingsHome() const {
    return std::all_of(std::begin(foundation), std::end(foundation),
                       [](std::uint8_t top) { return Card{top}.king(); });
  }
  // No card anywhere: the piles before the first deal.
  void clear() {
    std::fill(&tableau[0][0], &tableau[0][0] + kColumns * kRows, kEmpty);
    std::fill(std::begin(stock), std::end(stock), kEmpty);
    stockCount = 0;
    std::fill(std::begin(waste), std::end(waste), kEmpty);
    wasteTop = -1;
    std::fill(std::begin(foundation), std::end(foundation), kEmpty);
  }
};

}  // namespace game
