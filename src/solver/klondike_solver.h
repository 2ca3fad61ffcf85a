#pragma once
// A solver for this game's Klondike: given every card of a position, the level and the stock
// refills left, it finds a winning line of moves, proves that there is none, or gives up when its
// budget of positions or time is spent. Toolkit-free and self-contained: a search runs on any
// thread and stops soon after its cancel flag is set.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "game/level.h"

namespace solver {

// Easy turns one card, Medium three; Hard turns three and moves only a whole face-up part of a
// column (or the waste card) onto another column.
using game::Level;  // the levels of the game's rules

constexpr int kUnlimitedRefills = -1;
constexpr std::uint8_t kNoCard = 255;

// A Klondike position. Cards are values 0..51 (rank * 4 + suit, suits 0 and 3 of one colour).
struct Position {
  struct Column {
    int faceDown = 0;                 // the first faceDown cards lie face down
    std::vector<std::uint8_t> cards;  // row 0 first
  };
  Column columns[7];
  std::vector<std::uint8_t> stock;  // bottom first: the last card is turned next
  std::vector<std::uint8_t> waste;  // bottom first: the last card is the top card
  std::uint8_t foundation[4] = {kNoCard, kNoCard, kNoCard, kNoCard};  // top card of each pile
};

// One move as the player makes it.
enum class MoveKind : std::uint8_t {
  Stock,               // press the stock: turn cards, or refill it from the waste
  Flip,                // press a face-down last card of a column to turn it
  WasteToFoundation,   // the waste card onto foundation `target`
  WasteToColumn,       // the waste card onto column `target`
  ColumnToFoundation,  // the last card of `column` onto foundation `target`
  ColumnToColumn,      // the cards of `column` from `row` down onto column `target`
};

struct Move {
  MoveKind kind = MoveKind::Stock;
  std::int8_t column = 0, row = 0;  // the tableau place pressed first (Flip, ColumnTo...)
  std::int8_t target = 0;           // column 0..6 or foundation pile 0..3
  std::uint8_t card = kNoCard;      // the card moved (the head of a run)
  bool operator==(const Move&) const = default;
};

enum class Outcome : std::uint8_t {
  Won,        // `moves` leads from the position to the win
  Lost,       // every position reachable was searched: the game cannot be won
  Undecided,  // the budget was spent or the search was cancelled
  Invalid,    // the position is not one of Klondike (a card twice, a bad code, a hidden card
              // below a face-up one, face-up cards not each on the one before, a foundation
              // pile of two suits)
};

struct Limits {
  std::uint64_t maxStates = 2'000'000;  // distinct positions searched
  std::chrono::milliseconds maxTime{2000};
  bool cpuTime = false;  // maxTime counts the searching thread's CPU time, not the wall clock's
};

struct Result {
  Outcome outcome = Outcome::Undecided;
  std::vector<Move> moves;
  std::uint64_t states = 0;  // distinct positions searched
};

// refills: how often the stock may still be refilled from the waste, or kUnlimitedRefills.
// cancel (may be null): the search stops soon after it turns true and answers Undecided.
Result solve(const Position& position, Level level, int refills, const Limits& limits,
             const std::atomic<bool>* cancel = nullptr);

}  // namespace solver
