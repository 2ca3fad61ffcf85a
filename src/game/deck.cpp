#include "game/deck.h"

#include <algorithm>

namespace game {

namespace {

// Phase 1: values in the order in which they first come up.
Deck randomOrder(std::uint32_t seed) {
  RuntimeRandom random(seed);
  Deck pool{};
  for (int j = 0; j < 52; ++j) {
    int v;
    do {
      v = (random.draw() & 255) >> 2;
    } while (v >= 52 || std::find(pool.begin(), pool.begin() + j, v) != pool.begin() + j);
    pool[j] = static_cast<std::uint8_t>(v);
  }
  return pool;
}

// Phase 2: draw from the pool without replacement, closing each gap.
Deck drawWithoutReplacement(Deck pool, std::uint32_t seed) {
  RuntimeRandom random(seed);
  Deck deck{};
  for (int j = 0; j < 52; ++j) {
    const int left = 52 - j;
    int k;
    do {
      k = (random.draw() & 255) * left / 255;
    } while (k >= left);
    deck[j] = pool[k];
    std::copy(pool.begin() + k + 1, pool.begin() + left, pool.begin() + k);
  }
  return deck;
}

// Phase 3: rotate left by the drawn amount when it is below 52.
void cut(Deck& deck, std::uint32_t seed) {
  RuntimeRandom random(seed);
  const int v = (random.draw() & 255) >> 2;
  if (v < 52) std::rotate(deck.begin(), deck.begin() + v, deck.end());
}

}  // namespace

Deck shuffleDeck(std::uint32_t seed) {
  Deck deck = drawWithoutReplacement(randomOrder(seed), seed);
  cut(deck, seed);
  return deck;
}

}  // namespace game
