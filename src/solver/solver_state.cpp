// The solver's compact position: conversion, move generation, moves and keys.
#include "solver/solver_state.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "game/safe_home.h"

namespace solver::detail {

namespace {

using game::Card;
int rankOf(std::uint8_t card) { return Card{card}.rank(); }
int suitOf(std::uint8_t card) { return Card{card}.suit(); }
bool isKing(std::uint8_t card) { return Card{card}.king(); }
bool fitsOn(std::uint8_t card, std::uint8_t target) { return Card{card}.followsOn({target}); }
bool fitsHome(const State& s, std::uint8_t card) { return s.home[suitOf(card)] == rankOf(card); }

bool safeHome(const State& s, std::uint8_t card) { return game::safeHome(s.home, Card{card}); }

// The foundation pile a card goes to: the one of its suit, else the first empty one.
std::int8_t pileFor(const State& s, std::uint8_t card) {
  if (s.pile[suitOf(card)] >= 0) return s.pile[suitOf(card)];
  for (std::int8_t f = 0; f < 4; ++f)
    if (std::find(s.pile, s.pile + 4, f) == s.pile + 4) return f;
  return 0;  // unreachable: an Ace always finds an empty pile
}

void sendHome(State& s, std::uint8_t card) {
  s.pile[suitOf(card)] = pileFor(s, card);
  ++s.home[suitOf(card)];
}

// The engine turns a face-down card up as soon as it is the last of its column.
void reveal(State& s, int column) {
  if (s.length[column] > 0 && s.down[column] == s.length[column]) --s.down[column];
}

bool lastIsFaceUp(const State& s, int column) {
  return s.length[column] > 0 && s.down[column] < s.length[column];
}

std::uint64_t bit(std::uint8_t card) { return std::uint64_t{1} << card; }

// The cards of the other colour one rank lower: the cards that can be laid on `card`.
std::uint64_t takersOf(std::uint8_t card) {
  const int rank = rankOf(card);
  if (rank < 2) return 0;  // an Ace is never laid on a Two
  return (Card{card}.colour() == 0 ? 0x6ull : 0x9ull) << (rank - 1) * 4;  // suits 1, 2 or 0, 3
}

constexpr std::uint64_t kKings = 0xfull << 48;

// The cards of the other colour one rank higher: the cards that `card` can be laid on.
std::uint64_t parentsOf(std::uint8_t card) {
  return (Card{card}.colour() == 0 ? 0x6ull : 0x9ull) << (rankOf(card) + 1) * 4;
}

constexpr std::uint64_t kSuit0 = 0x1111111111111ull;  // the cards of suit 0

// The cards whose parents (see parentsOf) are all in `taken`, every rank at once: a card of suit 0
// or 3 has none of suits 1 and 2 one rank higher outside `taken`, one of suit 1 or 2 none of
// suits 0 and 3.
std::uint64_t placesAllIn(std::uint64_t taken) {
  const std::uint64_t open = ~taken >> 4;  // at each card's rank, the cards one rank higher
  const std::uint64_t suit12Open = (open >> 1 | open >> 2) & kSuit0;
  const std::uint64_t suit03Open = (open | open >> 3) & kSuit0;
  return (~suit12Open & kSuit0) * 0x9 | (~suit03Open & kSuit0) * 0x6;
}

// The cards that could still be laid on a column (`movable`): the talon cards that the search
// lays on one, and the heads of the face-up parts that may move (under wholeParts only a whole
// face-up part), except Kings in row 0, which have nowhere better to go.
struct Layable {
  std::uint64_t talon = 0, heads = 0;
  std::uint64_t ends = 0;         // the face-up last cards of the columns, free to go home
  std::uint64_t faceUp = 0;       // every face-up column card: each can still end its column
  std::uint64_t columnTakes = 0;  // the cards that a column can take now
  std::uint64_t movable = 0;
  // The cards that could follow a card of their suit home: in the talon or face up (a face-up
  // card in the middle of a part that moves only whole still ends its column once the cards on it
  // have gone home).
  std::uint64_t followers() const { return talon | faceUp; }
  std::uint8_t endColumn[52] = {};  // the column that each card of `ends` ends
  int firstEmpty = -1;              // the first empty column, -1 if none
  bool layOnly = false;             // only moves that lay cards on column `ends`, none home
  // Leaves only the moves that lay a card on the last card of `column`.
  void layOnlyOn(const State& s, int column) {
    const std::uint8_t end = s.cards[column][s.length[column] - 1];
    ends &= bit(end);
    columnTakes = s.length[column] < kMaxRows ? takersOf(end) : 0;
    firstEmpty = -1;
    layOnly = true;
  }
  // The columns, one bit each, whose face-up last card `card` fits on.
  unsigned columnsTaking(std::uint8_t card) const {
    if (rankOf(card) == 0) return 0;  // an Ace is never laid on a Two
    unsigned columns = 0;
    for (std::uint64_t parents = parentsOf(card) & ends; parents != 0; parents &= parents - 1)
      columns |= 1u << endColumn[__builtin_ctzll(parents)];
    return columns;
  }
  // The talon cards from which a line of talon cards, each laid on the one before, can end in a
  // head of a column: laying any other talon card on a column only covers that column.
  std::uint64_t worthLaying() const {
    std::uint64_t worth = 0;
    // By ascending rank, so that the takers of a card come before it.
    for (std::uint64_t rest = talon; rest != 0; rest &= rest - 1) {
      const auto card = static_cast<std::uint8_t>(__builtin_ctzll(rest));
      if ((takersOf(card) & (heads | worth)) != 0) worth |= bit(card);
    }
    return worth;
  }
};

Layable layableCards(const State& s, const Rules& rules) {
  Layable cards;
  for (int i = 0; i < s.talonLength; ++i) cards.talon |= bit(s.talon[i]);
  for (int c = 0; c < kColumnCount; ++c) {
    const int last = rules.wholeParts ? std::min(s.down[c], s.length[c]) : s.length[c] - 1;
    for (int r = s.down[c]; r < s.length[c]; ++r) {
      cards.faceUp |= bit(s.cards[c][r]);
      if (r <= last && (r > 0 || !isKing(s.cards[c][r]))) cards.heads |= bit(s.cards[c][r]);
    }
    if (lastIsFaceUp(s, c)) {
      const std::uint8_t end = s.cards[c][s.length[c] - 1];
      cards.ends |= bit(end);
      cards.endColumn[end] = static_cast<std::uint8_t>(c);
      if (s.length[c] < kMaxRows) cards.columnTakes |= takersOf(end);
    }
    if (s.length[c] == 0) {
      cards.columnTakes |= kKings;
      if (cards.firstEmpty < 0) cards.firstEmpty = c;
    }
  }
  // With one card turned and no refill limit every talon card stays within reach, wherever the
  // others are, so a talon card can wait (proved) until it helps; a line that plays it earlier can
  // play it instead just before the move that needs it, and until then it does from the talon
  // whatever it does elsewhere (goes home, or moves on to a column, from the talon directly). So
  // it is laid on a column only when a line of talon cards, each laid on the one before, can end
  // in a head of a column (worthLaying); the other talon cards count as none that could be laid
  // on a column, for every rule that waits for one.
  cards.movable = (rules.everyCardReachable() ? cards.worthLaying() : cards.talon) | cards.heads;
  return cards;
}

// The moves of a position as they are found, in place: at most 7 to a foundation from the
// columns, 2 onto other columns per face-up card (onto either card it fits on, or a King into
// the first empty column), and 3 per stock position (home, onto either card).
struct MoveList {
  static constexpr int kCapacity = kColumnCount + 2 * 52 + 3 * (kMaxTalon + 1);
  Candidate moves[kCapacity];
  int size = 0;
  void push_back(const Candidate& move) { moves[size++] = move; }
};

// A move that only lays a card somewhere without freeing anything is worth making only when a
// card can then be laid on it; until then it can wait, so leaving it out loses no winning line.
void addWasteMoves(const State& s, const Rules& rules, const Layable& layable, int index,
                   int presses, int refills, MoveList& out) {
  const std::uint8_t card = s.talon[index];
  const auto add = [&](MoveKind kind, int target, int order) {
    out.push_back({kind, 0, 0, static_cast<std::int8_t>(target), card,
                   static_cast<std::uint8_t>(presses), static_cast<std::uint8_t>(index),
                   static_cast<std::uint8_t>(refills), static_cast<std::int16_t>(order + presses)});
  };
  // When every talon card stays within reach (see layableCards), a talon card goes home only when
  // the next card of its suit could follow (one of `followers`), and onto a column only when it
  // is movable.
  if (!layable.layOnly && fitsHome(s, card) &&
      (!rules.everyCardReachable() || isKing(card) || (layable.followers() & bit(card + 4)) != 0))
    add(MoveKind::WasteToFoundation, pileFor(s, card), 1);
  if ((layable.columnTakes & bit(card)) == 0 || (layable.movable & bit(card)) == 0) return;
  // Proved: of the empty columns only the first takes a King, as they are all alike.
  if (isKing(card)) {
    if (layable.firstEmpty >= 0) add(MoveKind::WasteToColumn, layable.firstEmpty, 20);
    return;
  }
  for (unsigned targets = layable.columnsTaking(card); targets != 0; targets &= targets - 1) {
    const int t = __builtin_ctz(targets);
    if (s.length[t] < kMaxRows) add(MoveKind::WasteToColumn, t, 20);
  }
}

// Every waste card that stock presses can turn up: this pass to the end of the stock, then one
// refill and a whole pass. Proved: a second refill would only repeat the pass with a refill less,
// and a stock position seen before in this pass offers the same waste card.
void addTalonMoves(const State& s, const Rules& rules, const Layable& layable, MoveList& out) {
  const int n = s.talonLength;
  int q = s.position, presses = 0, refills = s.refillsUsed;
  bool refilled = false;
  bool seen[kMaxTalon + 1] = {};
  if (q >= 1) addWasteMoves(s, rules, layable, q - 1, 0, refills, out);
  seen[q] = true;
  for (;;) {
    if (q < n) {
      q = std::min(q + rules.turn, n);
      ++presses;
      if (!seen[q]) addWasteMoves(s, rules, layable, q - 1, presses, refills, out);
      if (!refilled) seen[q] = true;
    } else if (!refilled && q >= 2 && (rules.refillLimit < 0 || refills < rules.refillLimit)) {
      q = 0;
      ++presses;
      ++refills;
      refilled = true;
    } else {
      break;
    }
  }
}

// Sending the last card of a column home helps when it turns a card up, when the next card of its
// suit could follow it home (one of `followers`), or when the card it frees goes home, takes
// another card (one of `ready`: in the talon or free to move), or leaves its column empty for a
// King. Otherwise it can wait (proved): until one of these becomes true the card covers nothing
// that a line uses (the card it frees can move with it on top, and nothing is laid on it in a line
// that sent it home), so a line that sends it home earlier can send it home instead just before the
// card it frees is used or the next card of its suit goes home, and then this rule lets it go.
bool sendingHomeHelps(const State& s, int c, std::uint64_t followers, std::uint64_t ready,
                      bool kingWaits) {
  const int last = s.length[c] - 1;
  const std::uint8_t card = s.cards[c][last];
  if (last == s.down[c] && last > 0) return true;
  if (isKing(card) || (followers & bit(card + 4)) != 0) return true;
  if (last == 0) return kingWaits;
  const std::uint8_t freed = s.cards[c][last - 1];
  return fitsHome(s, freed) || (takersOf(freed) & ready & ~bit(card)) != 0;
}

void addColumnMoves(const State& s, const Rules& rules, const Layable& free, std::uint8_t lastLaid,
                    MoveList& out) {
  const std::uint64_t layable = free.movable;
  const bool kingWaits = (layable & kKings) != 0;
  for (int c = 0; c < kColumnCount; ++c) {
    if (!lastIsFaceUp(s, c)) continue;
    const int last = s.length[c] - 1;
    const std::uint8_t lastCard = s.cards[c][last];
    if (!free.layOnly && fitsHome(s, lastCard) &&
        sendingHomeHelps(s, c, free.followers(), layable | free.ends, kingWaits))
      out.push_back({MoveKind::ColumnToFoundation, static_cast<std::int8_t>(c),
                     static_cast<std::int8_t>(last), pileFor(s, lastCard), lastCard, 0, 0, 0, 0});
    const int firstUp = s.down[c];
    for (int r = firstUp; r <= last; ++r) {
      if (rules.wholeParts && r != firstUp) break;
      const std::uint8_t head = s.cards[c][r];
      if ((free.columnTakes & bit(head)) == 0) continue;  // no column can take it
      // Proved: the cards just laid here, laid on at once to another column, could have gone
      // there directly from where they came (the same cards move, from the same place, onto the
      // same card), and that move was tried from the position before.
      if (head == lastLaid) continue;
      const int count = s.length[c] - r;
      // Proved: a column emptied helps only a King that moves into it, and until then its cards
      // can do from where they lie whatever they do in the other column: laid on, split, sent
      // home (only their head's place differs, and nothing else is laid on the card they would
      // cover). So a line that empties the column earlier can empty it instead just before the
      // King comes, straight to where its cards are then, and then a King waits (it is a talon
      // card or the head of a face-up part).
      if (r == 0 && !kingWaits && !isKing(head)) continue;
      // Splitting a face-up part helps only the card it frees, which then goes home or
      // takes a card other than the head moved: until then the cards moved can do from where they
      // lie whatever they do in the other column, and the freed card can move with them on top;
      // a line that splits earlier can split instead just before the freed card is used.
      if (r > firstUp && !fitsHome(s, s.cards[c][r - 1]) &&
          (takersOf(s.cards[c][r - 1]) & layable & ~bit(head)) == 0)
        continue;
      // Turning a card up first (the more hidden cards, the sooner), then emptying a column, then
      // splitting a face-up part.
      const int order = r == firstUp ? (firstUp > 0 ? 10 - firstUp : 40) : 50;
      const auto add = [&](int target) {
        out.push_back({MoveKind::ColumnToColumn, static_cast<std::int8_t>(c),
                       static_cast<std::int8_t>(r), static_cast<std::int8_t>(target), head, 0, 0, 0,
                       static_cast<std::int16_t>(order)});
      };
      if (isKing(head)) {
        // Proved: a King from row 0 to another empty column changes nothing, and the empty
        // columns are all alike.
        if (r > 0 && free.firstEmpty >= 0) add(free.firstEmpty);
        continue;
      }
      for (unsigned targets = free.columnsTaking(head); targets != 0; targets &= targets - 1) {
        const int t = __builtin_ctz(targets);
        if (s.length[t] + count <= kMaxRows) add(t);
      }
    }
  }
}

std::uint64_t mix(std::uint64_t x) {
  x ^= x >> 33;
  x *= 0xff51afd7ed558ccdull;
  x ^= x >> 33;
  x *= 0xc4ceb9fe1a85ec53ull;
  x ^= x >> 33;
  return x;
}

// Two independent hashes of a string of 64-bit words.
struct Hasher {
  std::uint64_t a = 0xcbf29ce484222325ull, b = 0x9e3779b97f4a7c15ull;
  void add(std::uint64_t word) {
    a = (a ^ word) * 0x100000001b3ull;
    a ^= a >> 32;
    b = (b + word) * 0xd6e8feb86659fd93ull;
    b ^= b >> 29;
  }
  Key finish() const { return {mix(a), mix(b)}; }
};

}  // namespace

Rules rulesFor(Level level, int refills) {
  return {level == Level::Easy ? 1 : 3, level == Level::Hard,
          refills < 0 ? kUnlimitedRefills : refills};
}

bool toState(const Position& position, State& s, std::vector<Move>& moves) {
  s = State{};
  bool used[52] = {};
  const auto take = [&used](std::uint8_t card) {
    if (card > 51 || used[card]) return false;
    used[card] = true;
    return true;
  };
  std::fill(s.pile, s.pile + 4, std::int8_t{-1});
  for (int f = 0; f < 4; ++f) {
    const std::uint8_t top = position.foundation[f];
    if (top == kNoCard) continue;
    if (top > 51 || s.pile[suitOf(top)] >= 0) return false;
    s.pile[suitOf(top)] = static_cast<std::int8_t>(f);
    s.home[suitOf(top)] = static_cast<std::uint8_t>(rankOf(top) + 1);
    for (int rank = 0; rank <= rankOf(top); ++rank)
      if (!take(static_cast<std::uint8_t>(rank * 4 + suitOf(top)))) return false;
  }
  for (int c = 0; c < kColumnCount; ++c) {
    const Position::Column& column = position.columns[c];
    const int length = static_cast<int>(column.cards.size());
    if (length > kMaxRows || column.faceDown < 0 || column.faceDown > length) return false;
    for (int r = 0; r < length; ++r) {
      if (!take(column.cards[r])) return false;
      // Face-up cards lie each on the one before, as the rules lay them (the key counts on it).
      if (r > column.faceDown && !fitsOn(column.cards[r], column.cards[r - 1])) return false;
      s.cards[c][r] = column.cards[r];
    }
    s.length[c] = static_cast<std::uint8_t>(length);
    s.down[c] = static_cast<std::uint8_t>(column.faceDown);
    if (length > 0 && column.faceDown == length) {
      moves.push_back({MoveKind::Flip, static_cast<std::int8_t>(c),
                       static_cast<std::int8_t>(length - 1), 0, column.cards[length - 1]});
      reveal(s, c);
    }
  }
  const std::size_t talon = position.waste.size() + position.stock.size();
  if (talon > static_cast<std::size_t>(kMaxTalon)) return false;
  for (std::uint8_t card : position.waste) {
    if (!take(card)) return false;
    s.talon[s.talonLength++] = card;
  }
  for (auto it = position.stock.rbegin(); it != position.stock.rend(); ++it) {
    if (!take(*it)) return false;
    s.talon[s.talonLength++] = *it;
  }
  s.position = static_cast<std::uint8_t>(position.waste.size());
  return true;
}

void generateMoves(const State& s, const Rules& rules, After after, std::vector<Candidate>& out) {
  MoveList list;
  Layable layable = layableCards(s, rules);
  // Proved, while every talon card stays within reach: a talon card laid on a column is there
  // only for the card laid on it next. Until then, from the talon it does whatever it does there:
  // goes home, or moves on to another column (laid there directly), and the card it covers takes
  // no other card and moves with it or alone the same. So a line that lays it earlier can lay it
  // instead just before the card that comes on it, and the move after it lays a card on it: a
  // talon card (the same again) or a face-up part.
  if (after.cover >= 0) layable.layOnlyOn(s, after.cover);
  addColumnMoves(s, rules, layable, after.laid, list);
  addTalonMoves(s, rules, layable, list);
  // Few moves, mostly in order already: a stable insertion sort.
  for (int i = 1; i < list.size; ++i) {
    const Candidate move = list.moves[i];
    int j = i;
    for (; j > 0 && list.moves[j - 1].order > move.order; --j) list.moves[j] = list.moves[j - 1];
    list.moves[j] = move;
  }
  out.assign(list.moves, list.moves + list.size);
}

namespace {

// The moves below append the player's moves to `moves` unless it is null (while searching).
void makeMove(State& s, const Candidate& m, std::vector<Move>* moves) {
  switch (m.kind) {
    case MoveKind::WasteToFoundation:
    case MoveKind::WasteToColumn: {
      if (moves) moves->insert(moves->end(), m.presses, Move{MoveKind::Stock});
      std::copy(s.talon + m.talonIndex + 1, s.talon + s.talonLength, s.talon + m.talonIndex);
      --s.talonLength;
      s.position = m.talonIndex;
      s.refillsUsed = m.refillsUsed;
      if (m.kind == MoveKind::WasteToFoundation) {
        sendHome(s, m.card);
      } else {
        s.cards[m.target][s.length[m.target]++] = m.card;
      }
      break;
    }
    case MoveKind::ColumnToFoundation:
      sendHome(s, m.card);
      --s.length[m.column];
      reveal(s, m.column);
      break;
    case MoveKind::ColumnToColumn: {
      const int count = s.length[m.column] - m.row;
      std::copy(s.cards[m.column] + m.row, s.cards[m.column] + m.row + count,
                s.cards[m.target] + s.length[m.target]);
      s.length[m.target] = static_cast<std::uint8_t>(s.length[m.target] + count);
      s.length[m.column] = static_cast<std::uint8_t>(m.row);
      reveal(s, m.column);
      break;
    }
    case MoveKind::Stock:
    case MoveKind::Flip: break;  // never searched: stock presses belong to waste moves
  }
  if (moves) moves->push_back({m.kind, m.column, m.row, m.target, m.card});
}

void sendSafeCardsHome(State& s, const Rules& rules, std::vector<Move>* moves) {
  // With one card turned and no refill limit a talon card stays within reach wherever the others
  // are, so a safe one goes home as a column's last card does: the stock presses that turn it up
  // first (to the end of the stock and round again for a card below the waste card).
  const bool fromTalon = rules.everyCardReachable();
  for (bool again = true; again;) {
    again = false;
    for (int c = 0; c < kColumnCount; ++c) {
      if (!lastIsFaceUp(s, c)) continue;
      const std::uint8_t card = s.cards[c][s.length[c] - 1];
      if (!fitsHome(s, card) || !safeHome(s, card)) continue;
      makeMove(s,
               {MoveKind::ColumnToFoundation, static_cast<std::int8_t>(c),
                static_cast<std::int8_t>(s.length[c] - 1), pileFor(s, card), card, 0, 0, 0, 0},
               moves);
      again = true;
    }
    for (int i = 0; fromTalon && i < s.talonLength; ++i) {
      const std::uint8_t card = s.talon[i];
      if (!fitsHome(s, card) || !safeHome(s, card)) continue;
      const int rounds = i < s.position - 1;
      const int presses =
          i >= s.position - 1 ? i + 1 - s.position : s.talonLength - s.position + 1 + i + 1;
      makeMove(s,
               {MoveKind::WasteToFoundation, 0, 0, pileFor(s, card), card,
                static_cast<std::uint8_t>(presses), static_cast<std::uint8_t>(i),
                static_cast<std::uint8_t>(s.refillsUsed + rounds), 0},
               moves);
      again = true;
      break;
    }
  }
}

// The move and the safe foundation moves after it. The position before has no card left to send
// home, so after a move that sends none home only the column that it lays cards on or takes
// cards from can have one (a talon card's safety changes only with the cards home), and most
// moves are quickly seen to leave none.
void makeMoveAndSafeMoves(State& s, const Rules& rules, const Candidate& m,
                          std::vector<Move>* moves) {
  makeMove(s, m, moves);
  if (m.kind == MoveKind::ColumnToColumn || m.kind == MoveKind::WasteToColumn) {
    // Of ColumnToColumn the target's new last card is the one the source column ended in.
    const int c = m.kind == MoveKind::ColumnToColumn ? m.column : m.target;
    if (!lastIsFaceUp(s, c)) return;
    const std::uint8_t card = s.cards[c][s.length[c] - 1];
    if (!fitsHome(s, card) || !safeHome(s, card)) return;
  }
  sendSafeCardsHome(s, rules, moves);
}

}  // namespace

void applyMoveAlone(State& s, const Candidate& m, std::vector<Move>& moves) {
  makeMove(s, m, &moves);
}

void applyMove(State& s, const Rules& rules, const Candidate& m, std::vector<Move>& moves) {
  makeMoveAndSafeMoves(s, rules, m, &moves);
}

void applyMove(State& s, const Rules& rules, const Candidate& m) {
  makeMoveAndSafeMoves(s, rules, m, nullptr);
}

int usefulness(const State& s, const Rules& rules, const Candidate& m) {
  const int pressCost = std::min<int>(m.presses, 20);
  switch (m.kind) {
    case MoveKind::ColumnToFoundation:
    case MoveKind::WasteToFoundation: return (safeHome(s, m.card) ? 100 : 40) * 32 - pressCost;
    case MoveKind::ColumnToColumn: {
      const int down = s.down[m.column];
      if (m.row == down && down > 0) return (80 + down) * 32;
      // Emptying a column pays only while a King can move into it.
      if (m.row == 0)
        return (layableCards(s, rules).movable & kKings) != 0 && !isKing(m.card) ? 60 * 32 : 0;
      return fitsHome(s, s.cards[m.column][m.row - 1]) ? 35 * 32 : 0;
    }
    case MoveKind::WasteToColumn: return (isKing(m.card) ? 50 : 30) * 32 - pressCost;
    case MoveKind::Stock:
    case MoveKind::Flip: break;
  }
  return 0;
}

void playSafeMoves(State& s, const Rules& rules, std::vector<Move>& moves) {
  sendSafeCardsHome(s, rules, &moves);
}

bool isWon(const State& s) {
  return s.home[0] == 13 && s.home[1] == 13 && s.home[2] == 13 && s.home[3] == 13;
}

namespace {

int bitWidth(unsigned value) { return value == 0 ? 0 : 32 - __builtin_clz(value); }

// Fields of a key written one after the other from bit 0. A field keeps only the low `width`
// bits of its value (less than 64), so a field of width 0 writes nothing.
struct BitPacker {
  std::uint64_t words[4] = {};
  int used = 0;
  void put(std::uint64_t value, int width) {
    value &= (std::uint64_t{1} << width) - 1;
    const int word = used >> 6, shift = used & 63;
    words[word] |= value << shift;
    if (shift + width > 64) words[word + 1] |= value >> (64 - shift);
    used += width;
  }
};

constexpr int kHomeBits = 16, kPairBits = 24;
// A card's bit in the key's pair field: one per rank below the King and colour, for the cards of
// suits 0 and 1; 32 more for those of suits 2 and 3.
constexpr auto kPairBitOf = [] {
  std::array<std::uint8_t, 52> bits{};
  for (int card = 0; card < 52; ++card) {
    const int suit = card & 3;
    bits[card] =
        static_cast<std::uint8_t>((card >> 2) * 2 + ((suit + 1) >> 1 & 1) + (suit >> 1) * 32);
  }
  return bits;
}();
// A column's field: its head card while it has no face-down cards (52 when empty), else 52 plus
// its face-down count; the head then is the searched position's card right above them (it never
// left, or the card below it would have been turned up).
constexpr unsigned kEmptyColumn = 52;

}  // namespace

bool isBlocked(const State& s) {
  std::uint64_t home = 0;
  for (int suit = 0; suit < 4; ++suit)
    home |= (kSuit0 & ((std::uint64_t{1} << 4 * s.home[suit]) - 1)) << suit;
  // A card leaves its column home (when it is the last card, after the lower cards of its suit),
  // or as the head of the cards on it onto a card of the other colour one rank higher that ends
  // another column, or carried on a face-up card below it that moves so, or, a King, into an
  // empty column. Take a set of column cards, no Kings, such that each one's ways out need a card
  // of the set to have left first: a card of the set lies above it (it cannot go home), or a
  // lower card of its suit lies below a card of the set, and each card that it or a face-up card
  // below it could move onto is home, lies below a card of the set, or is a stranded talon card.
  // Then no card of the set can be the first of them to leave, so none ever leaves: the position
  // is lost. The largest such set is found by starting from every card and dropping the ones
  // with a way out. A talon card, not a King, gets onto a column only laid on a card that it
  // could move onto while that ends a column; when each of those is home (for good), below a card
  // of the set, or a stranded talon card itself, it is stranded: before a card of the set has
  // left, it never ends a column (the first of them to do so would have been laid on none).
  // The set starts from the cards whose own ways onto other columns are barred even if every card
  // that lies below another belonged below one of the set.
  std::uint64_t lying = 0, below = 0;  // the column cards; those with a card on them
  // Per column card: the cards below it, and the face-up ones among them, which could carry it;
  // `carried`: the cards that have such a card below them.
  std::uint64_t underCard[52], faceUpUnder[52], carried = 0;
  for (int c = 0; c < kColumnCount; ++c) {
    if (s.length[c] == 0) continue;
    std::uint64_t under = 0, faceUp = 0;
    for (int r = 0; r < s.length[c]; ++r) {
      const std::uint8_t card = s.cards[c][r];
      underCard[card] = under;
      faceUpUnder[card] = faceUp;
      under |= bit(card);
      if (r > s.down[c]) carried |= bit(card);
      if (r >= s.down[c]) faceUp |= bit(card);
    }
    lying |= under;
    below |= under & ~bit(s.cards[c][s.length[c] - 1]);
  }
  std::uint64_t talon = 0;
  for (int i = 0; i < s.talonLength; ++i) talon |= bit(s.talon[i]);
  // The cards given as no place for a card of the set, with the stranded talon cards added. A
  // rank's stranded cards depend only on those of the rank above, so there is one answer, and
  // adding the cards stranded so far until no more are found reaches it.
  const std::uint64_t talonBelowKings = talon & ~kKings;
  const auto strandedTalon = [talonBelowKings](std::uint64_t unreachable) {
    for (std::uint64_t stranded = 0;;) {
      const std::uint64_t found = talonBelowKings & placesAllIn(unreachable | stranded);
      if (found == stranded) return unreachable | stranded;
      stranded = found;
    }
  };
  std::uint64_t stuck = lying & ~kKings & placesAllIn(strandedTalon(home | below));
  while (stuck != 0) {
    std::uint64_t covered = 0;  // the cards below a card of the set
    for (std::uint64_t rest = stuck; rest != 0; rest &= rest - 1)
      covered |= underCard[__builtin_ctzll(rest)];
    // The cards whose ways home are barred: those below a card of the set, and those of a higher
    // rank than a card of their suit that lies below one.
    std::uint64_t higherOfSuit = covered << 4;
    for (int shift = 4; shift < 64; shift *= 2) higherOfSuit |= higherOfSuit << shift;
    // Of those, the cards whose moves onto other columns are barred too, then the ones whose
    // carriers (the face-up cards below them) are all in the set.
    std::uint64_t kept =
        stuck & (covered | higherOfSuit) & placesAllIn(strandedTalon(home | covered));
    for (std::uint64_t rest = kept & carried; rest != 0; rest &= rest - 1) {
      const auto card = static_cast<std::uint8_t>(__builtin_ctzll(rest));
      if ((faceUpUnder[card] & ~stuck) != 0) kept &= ~bit(card);
    }
    if (kept == stuck) break;
    stuck = kept;
  }
  return stuck != 0;
}

std::uint64_t hashOf(const Key& key) { return mix(key.a ^ (key.b * 0x9e3779b97f4a7c15ull)); }

KeyMaker::KeyMaker(const State& root, const Rules& rules) : rules_(rules) {
  std::fill(std::begin(talonSlot_), std::end(talonSlot_), std::uint8_t{0});
  for (int i = 0; i < root.talonLength; ++i)
    talonSlot_[root.talon[i]] = static_cast<std::uint8_t>(i);
  int bits = kHomeBits + kPairBits;
  for (int c = 0; c < kColumnCount; ++c) {
    columnBits_[c] = static_cast<std::uint8_t>(bitWidth(kEmptyColumn + root.down[c]));
    bits += columnBits_[c];
  }
  talonBits_ = root.talonLength;
  const bool stockPosition = !rules.everyCardReachable();
  positionBits_ = static_cast<std::uint8_t>(stockPosition ? bitWidth(root.talonLength) : 0);
  refillBits_ = static_cast<std::uint8_t>(
      rules.refillLimit >= 0 ? bitWidth(static_cast<unsigned>(rules.refillLimit)) : 0);
  bits += talonBits_ + refillBits_;
  // Turning three cards without a refill limit, the stock position gets a bit of its own when the
  // key has room for one per stock position that reaches fewer cards than a full stock, so that
  // the table can tell which positions of a layout lead to which.
  const int stockBits = stockBitIndex(std::max(root.talonLength - 1, 0)) + 1;
  if (rules.turn == 3 && rules.refillLimit < 0 && bits + stockBits <= 127) {
    stockField_ = ((std::uint64_t{1} << stockBits) - 1) << (63 - stockBits);
    positionBits_ = 0;
  }
  bits += positionBits_;
  exact_ = bits <= 127;  // the top bit marks a key as used
}

int KeyMaker::stockBitIndex(int position) {
  if (position % 3 == 0) return 0;
  return 1 + (position / 3) * 2 + position % 3 - 1;
}

std::uint64_t KeyMaker::positionsReaching(std::uint64_t stockBit, std::uint64_t field) {
  if (field == 0) return std::uint64_t{1} << 63;  // no stock bits: only the same key
  const int shift = __builtin_ctzll(field);
  const std::uint64_t own = stockBit >> shift;
  if (own == 1) return field;  // every stock position reaches what a full stock does
  // The bits of the same remainder at most this one: every other bit.
  const std::uint64_t sameRemainder =
      (__builtin_ctzll(own) % 2 != 0 ? 0xaaaaaaaaaaaaaaaaull : 0x5555555555555554ull);
  return (sameRemainder & ((own << 1) - 1)) << shift;
}

// The fields: the cards home per suit; per rank below the King and colour, the pile of the card
// that the first of its two cards lying on a column card lies on (the other one, if it lies on
// one too, lies on the other); the columns; the talon cards left; the stock position (a number,
// or a bit of the stock field); the refills used. They name every card's place: home by the counts,
// talon cards by their bits, face-down cards by the counts in the column fields; the rest lie face
// up, each column's head named and every other card on the card its pair's bit names. So the key is
// exact.
std::uint64_t KeyMaker::talonLeft(const State& s) const {
  std::uint64_t talon = 0;
  for (int i = 0; i < s.talonLength; ++i) talon |= std::uint64_t{1} << talonSlot_[s.talon[i]];
  return talon;
}

namespace {

// A column's share of the key's pair field: per face-up card below its head (at its kPairBitOf),
// that it lies there, and whether the card it lies on has suit 2 or 3.
void addPairs(const State& s, int c, std::uint64_t& lying, std::uint64_t& onHigh) {
  for (int r = s.down[c] + 1; r < s.length[c]; ++r) {
    const std::uint64_t pairBit = std::uint64_t{1} << kPairBitOf[s.cards[c][r]];
    lying |= pairBit;
    onHigh |= (s.cards[c][r - 1] & 2) != 0 ? pairBit : 0;
  }
}

}  // namespace

void KeyMaker::partsOf(const State& s, Parts& parts) const {
  for (int c = 0; c < kColumnCount; ++c) {
    parts.lying[c] = parts.onHigh[c] = 0;
    addPairs(s, c, parts.lying[c], parts.onHigh[c]);
    parts.length[c] = s.length[c];
  }
  parts.talonLength = s.talonLength;
  parts.talon = talonLeft(s);
}

Key KeyMaker::operator()(const State& s) const {
  std::uint64_t lying = 0, onHigh = 0;
  for (int c = 0; c < kColumnCount; ++c) addPairs(s, c, lying, onHigh);
  return fromParts(s, lying, onHigh, talonLeft(s));
}

Key KeyMaker::operator()(const State& s, const Parts& before) const {
  std::uint64_t lying = 0, onHigh = 0;
  for (int c = 0; c < kColumnCount; ++c) {
    if (s.length[c] == before.length[c]) {
      lying |= before.lying[c];
      onHigh |= before.onHigh[c];
    } else {
      addPairs(s, c, lying, onHigh);
    }
  }
  return fromParts(s, lying, onHigh,
                   s.talonLength == before.talonLength ? before.talon : talonLeft(s));
}

Key KeyMaker::fromParts(const State& s, std::uint64_t lying, std::uint64_t onHigh,
                        std::uint64_t talon) const {
  // Columns without face-down cards can be swapped without changing the game: their fields fill
  // the slots of those columns in ascending order, the heads (distinct cards, as a set) before
  // the empty columns.
  std::uint64_t heads = 0;
  for (int c = 0; c < kColumnCount; ++c)
    if (s.down[c] == 0 && s.length[c] > 0) heads |= bit(s.cards[c][0]);
  const auto lowTwin = static_cast<std::uint32_t>(onHigh);
  const auto lowPresent = static_cast<std::uint32_t>(lying);
  const auto highTwin = static_cast<std::uint32_t>(onHigh >> 32);
  // The column fields one after the other (at most 7 bits each).
  std::uint64_t columns = 0;
  int columnsWidth = 0;
  for (int c = 0; c < kColumnCount; ++c) {
    unsigned field = kEmptyColumn;
    if (s.down[c] > 0) {
      field = kEmptyColumn + s.down[c];
    } else if (heads != 0) {
      field = static_cast<unsigned>(__builtin_ctzll(heads));
      heads &= heads - 1;
    }
    columns |= std::uint64_t{field} << columnsWidth;
    columnsWidth += columnBits_[c];
  }
  const unsigned home = s.home[0] | s.home[1] << 4 | s.home[2] << 8 | s.home[3] << 12;
  BitPacker key;
  key.put(home | std::uint64_t{lowTwin | (highTwin & ~lowPresent)} << kHomeBits,
          kHomeBits + kPairBits);
  key.put(columns, columnsWidth);
  key.put(talon, talonBits_);
  // Without a refill limit the refills used do not matter, and a stock that stands at a multiple
  // of the cards turned, or is empty, reaches the same cards as a full one (after a refill). With
  // one card turned that is every stock.
  const bool refills = rules_.refillLimit >= 0;
  const bool position = refills || (s.position % rules_.turn != 0 && s.position != s.talonLength);
  key.put(position ? s.position : 0, positionBits_);
  key.put(refills ? s.refillsUsed : 0, refillBits_);
  Key result{key.words[0], key.words[1]};
  if (stockField_ != 0)
    result.b |= std::uint64_t{1} << (__builtin_ctzll(stockField_) +
                                     (position ? stockBitIndex(s.position) : 0));
  if (!exact_) {
    Hasher h;
    for (std::uint64_t word : key.words) h.add(word);
    result = h.finish();
  }
  result.b |= std::uint64_t{1} << 63;
  return result;
}

}  // namespace solver::detail
