#pragma once
// Quatro's rule state: the 4 x 4 grid, the card to place and the deck it comes from. Toolkit-free.
#include <algorithm>
#include <cstdint>
#include <iterator>

#include "game/card.h"
#include "game/klondike_state.h"

namespace game {

constexpr int kQuatroGridSize = 4;

struct QuatroState {
  std::uint8_t grid[kQuatroGridSize][kQuatroGridSize];  // [grid column][row], 255 when empty
  std::uint8_t current = kEmpty;  // the card to place; 255 once the last one is placed
  std::uint8_t deck[kDeckSize];
  std::int8_t deckTop = -1;     // deck[deckTop] comes next; -1 once the deck is used up
  std::uint8_t gridCount = 0;   // cards on the grid
  std::uint8_t pairMode = 0;    // the grid is full, pairs are taken away
  std::uint8_t quatroOver = 0;  // won: every border place holds its face card

  bool operator==(const QuatroState&) const = default;

  // No card anywhere: the state before the first deal.
  void clear() {
    std::fill(&grid[0][0], &grid[0][0] + kQuatroGridSize * kQuatroGridSize, kEmpty);
    current = kEmpty;
    std::fill(std::begin(deck), std::end(deck), kEmpty);
    deckTop = -1;
  }
};

}  // namespace game
