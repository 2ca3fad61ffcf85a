#pragma once
// When a card may go home without a thought: the rule of the solver's forced moves and of
// Options > Autodrop.
#include <algorithm>
#include <cstdint>
#include <span>

#include "game/card.h"

namespace game {

// A card is safe at home, given how many cards of each suit are home, when the cards that could
// still be laid on it (the other colour's, one rank lower) can go home as soon as they are free:
// their own suits are home up to two ranks below the card, and the only card that could lie on
// them (this colour's other suit, two ranks below) can go home too. Sending it home then never
// costs a winning line.
inline bool safeHome(std::span<const std::uint8_t, 4> home, Card card) {
  const int rank = card.rank();
  if (rank <= 1) return true;
  const int twin = 3 - card.suit();  // the other suit of this colour (0 and 3, 1 and 2)
  const int lower = card.colour() == 0 ? std::min(home[1], home[2]) : std::min(home[0], home[3]);
  return lower >= rank || (lower >= rank - 1 && home[std::size_t(twin)] >= rank - 2);
}

}  // namespace game
