#pragma once
// A card as the rules, the solver and the painter name it. The table's record keeps a card as a
// one-byte code: 0..51 a face-up card (rank * 4 + suit, rank 0 Ace .. 12 King), the same value
// plus 64 while it lies face down, 255 an empty place.
#include <cstdint>

namespace game {

constexpr std::uint8_t kEmpty = 255;
constexpr std::uint8_t kFaceDown = 64;  // added to a card's value while it lies face down
constexpr int kAceRank = 0;
constexpr int kTenRank = 9;
constexpr int kJackRank = 10;
constexpr int kQueenRank = 11;
constexpr int kKingRank = 12;

struct Card {
  std::uint8_t code = kEmpty;

  static constexpr Card of(int rank, int suit) {
    return {static_cast<std::uint8_t>(rank * 4 + suit)};
  }

  constexpr bool occupied() const { return code < kEmpty; }
  constexpr bool faceDown() const { return code >= kFaceDown && occupied(); }
  // A face-down card whose value is a card (other codes show no card back).
  constexpr bool back() const { return code >= kFaceDown && code < 2 * kFaceDown; }
  constexpr Card turnedUp() const { return {static_cast<std::uint8_t>(code - kFaceDown)}; }
  constexpr Card turnedDown() const { return {static_cast<std::uint8_t>(code + kFaceDown)}; }

  // Of a face-up card.
  constexpr int rank() const { return code >> 2; }
  constexpr int suit() const { return code & 3; }
  // Suits 0 and 3 are one colour, 1 and 2 the other.
  constexpr int colour() const { return (suit() ^ (suit() >> 1)) & 1; }
  constexpr bool ace() const { return code < 4; }
  constexpr bool king() const { return rank() == kKingRank; }
  constexpr bool faceCard() const { return rank() >= kJackRank && rank() <= kKingRank; }
  // Ace 1 .. Ten 10, Jack 11, Queen 12, King 13 (Quatro adds them up).
  constexpr int number() const { return rank() + 1; }
  // Whether this card may lie on `target` in a fanned column: one rank lower, the other colour;
  // an Ace never lies on a column's card.
  constexpr bool followsOn(Card target) const {
    return target.rank() == rank() + 1 && target.colour() != colour() && !ace();
  }

  constexpr bool operator==(const Card&) const = default;
};

}  // namespace game
