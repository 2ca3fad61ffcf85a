#pragma once
// The shuffle of both rule sets, built on the C runtime's linear congruential generator so that a
// seed always gives the same deck.
#include <array>
#include <cstdint>

namespace game {

using Deck = std::array<std::uint8_t, 52>;

// state = state * 22695477 + 1 (mod 2^32); a draw is (state >> 16) & 0x7FFF.
class RuntimeRandom {
 public:
  explicit RuntimeRandom(std::uint32_t seed) : state_(seed) {}
  int draw() {
    state_ = state_ * 22695477u + 1u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

 private:
  std::uint32_t state_;
};

// A permutation of the card values 0..51 in three phases (random order by rejection, drawing
// without replacement, a cut), each phase starting from the same seed.
Deck shuffleDeck(std::uint32_t seed);

}  // namespace game
