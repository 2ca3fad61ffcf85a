#pragma once
// The solver's compact position and its moves: one fixed-size record copied per move, the moves
// of a position in the order the search tries them, and a 128-bit key of the position that does
// not depend on the order of the columns without face-down cards.
#include <cstdint>
#include <vector>

#include "game/card.h"
#include "solver/klondike_solver.h"

namespace solver::detail {

constexpr int kColumnCount = 7;
constexpr int kMaxRows = 19;  // the table's rows: a move that would need more is refused
constexpr int kMaxTalon = 52;

// The search leaves a move out only where it cannot matter or can wait until it helps (each such
// rule is argued where it is applied, and checked against an exhaustive search in the tests), so
// a search that finds no win proves the position lost.
struct Rules {
  int turn = 3;            // cards turned per stock press
  bool wholeParts = true;  // only a whole face-up part (or the waste card) moves between columns
  int refillLimit = kUnlimitedRefills;
  // With one card turned and no refill limit every talon card stays within reach at any time,
  // wherever the others are.
  bool everyCardReachable() const { return turn == 1 && refillLimit < 0; }
};

struct State {
  std::uint8_t cards[kColumnCount][kMaxRows];  // card values, face-down ones included
  std::uint8_t length[kColumnCount];
  std::uint8_t down[kColumnCount];  // the first down[c] cards of column c are face down
  // Stock and waste as one sequence in turning order: talon[0 .. position - 1] is the waste (its
  // top card last), the rest the stock. A refill only sets position back to 0.
  std::uint8_t talon[kMaxTalon];
  std::uint8_t talonLength;
  std::uint8_t position;
  std::uint8_t refillsUsed;
  std::uint8_t home[4];  // cards on the foundation of each suit
  std::int8_t pile[4];   // the foundation pile holding each suit, -1 while it has none
};

Rules rulesFor(Level level, int refills);
// solve() under any rules, also those of no level (one card turned with moves of whole parts).
Result solveUnder(const Position& position, const Rules& rules, const Limits& limits,
                  const std::atomic<bool>* cancel = nullptr);

// A move of the search: for a waste card, the stock presses that turn it up come first.
struct Candidate {
  MoveKind kind;
  std::int8_t column, row, target;
  std::uint8_t card;
  std::uint8_t presses;      // stock presses before the waste move
  std::uint8_t talonIndex;   // where the waste card lies in the talon
  std::uint8_t refillsUsed;  // refills used after those presses
  std::int16_t order;        // tried in ascending order
};

struct Key {
  std::uint64_t a, b;
  bool operator==(const Key&) const = default;
};
// The key's bits mixed into 64, for a table to place it by.
std::uint64_t hashOf(const Key& key);

// Converts and checks a position; false when it is not one of Klondike. Face-down last cards are
// turned (the moves that turn them are appended to `moves`).
bool toState(const Position& position, State& state, std::vector<Move>& moves);

// What the move before leaves the next one to do.
struct After {
  // The head of the cards it laid on a column (kNoCard if none): they are not moved on to another
  // column, which they could have reached directly.
  std::uint8_t laid = kNoCard;
  // While every talon card stays within reach, the column where it laid a talon card (-1 if
  // none): the next move lays a card on that one (generateMoves argues why). The position is then
  // not one to enter in the table, as its moves are not all of its own, and gets no blocked test,
  // as the positions after it get one.
  std::int8_t cover = -1;
};
void generateMoves(const State& s, const Rules& rules, After after, std::vector<Candidate>& out);
// What a move leaves the next one to do.
inline After afterMove(const Rules& rules, const Candidate& move) {
  const bool laid = move.kind == MoveKind::WasteToColumn || move.kind == MoveKind::ColumnToColumn;
  const bool talonCardLaid = move.kind == MoveKind::WasteToColumn && rules.everyCardReachable();
  return {laid ? move.card : kNoCard, static_cast<std::int8_t>(talonCardLaid ? move.target : -1)};
}
// Applies a move and the safe foundation moves after it, appending the player's moves. The position
// before has no safe foundation move left (as after playSafeMoves or applyMove).
void applyMove(State& s, const Rules& rules, const Candidate& c, std::vector<Move>& moves);
// The same while searching: the player's moves are not needed.
void applyMove(State& s, const Rules& rules, const Candidate& c);
// The move alone, without the safe foundation moves.
void applyMoveAlone(State& s, const Candidate& c, std::vector<Move>& moves);
// How much a move helps a player who has no winning line to follow, 0 for not at all, in this
// order: a card safe at home; a move that turns a face-down card (the more lie below it, the
// sooner); a column emptied for a King that can move into it; a King from the waste; another card
// home; a split that frees a card for home; another waste card onto a column. Among equals, the
// fewer stock presses the better. Each such move sends a card home, turns one, empties a column
// for good or takes a card from the talon for good, so a player following them never goes round
// in a circle.
int usefulness(const State& s, const Rules& rules, const Candidate& m);
// Sends every card home that no other card could still need as a place to go: the columns' last
// cards, and the talon cards when every talon card stays within reach.
void playSafeMoves(State& s, const Rules& rules, std::vector<Move>& moves);
bool isWon(const State& s);
// True when some column cards can never leave their columns, each waiting for another of them:
// the position and every one after it are lost.
bool isBlocked(const State& s);
// The key of a position: equal for positions that differ only in the order of columns without
// face-down cards, or in stock positions that reach the same cards, and otherwise different. The
// key is exact (two different positions never share it) whenever its fields fit in 127 bits:
// every position that play can reach (at most 24 talon cards, at most six face-down cards in a
// column). Only a hand-built position with a much longer talon gets a 128-bit hash of its fields.
class KeyMaker {
 public:
  KeyMaker(const State& root, const Rules& rules);
  Key operator()(const State& s) const;
  bool exact() const { return exact_; }
  // Turning three cards without a refill limit, an exact key gives the stock position one bit of
  // `stockField()` (in Key::b): bit 0 of the field for a stock that reaches the same cards as a
  // full one, else one bit per position. Otherwise the field is empty (0).
  std::uint64_t stockField() const { return stockField_; }
  // The stock bits of the positions of the same layout from which stock presses alone lead to
  // the position of `stockBit` (itself included): each of them offers every move it offers. For
  // an empty field, the top bit, set in every key.
  static std::uint64_t positionsReaching(std::uint64_t stockBit, std::uint64_t field);
  // The slots of the searched position's talon whose card is still in the talon, one bit each.
  std::uint64_t talonLeft(const State& s) const;

  // What the key takes from each column and from the talon of a position.
  struct Parts {
    std::uint64_t lying[kColumnCount], onHigh[kColumnCount];
    std::uint8_t length[kColumnCount];
    std::uint8_t talonLength;
    std::uint64_t talon;
  };
  void partsOf(const State& s, Parts& parts) const;
  // The key of a position after one applyMove from the position of `before`, the same as
  // operator()(s) but quicker: a move and the safe moves after it only add cards to a column or
  // take them from its end, and only take cards from the talon, so a column or talon of the same
  // length as before is the same as before.
  Key operator()(const State& s, const Parts& before) const;

 private:
  const Rules& rules_;
  std::uint8_t talonSlot_[52];  // where each card lies in the talon of the searched position
  std::uint8_t columnBits_[kColumnCount], talonBits_, positionBits_, refillBits_;
  std::uint64_t stockField_ = 0;
  bool exact_;

  // A stock position's bit in the stock field: 0 for a multiple of three, else one per position.
  static int stockBitIndex(int position);

  Key fromParts(const State& s, std::uint64_t lying, std::uint64_t onHigh,
                std::uint64_t talon) const;
};

}  // namespace solver::detail
