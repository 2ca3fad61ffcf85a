// Best-first search for a win over positions stored in a few words.
#include "solver/win_search.h"

#include <cstring>
#include <utility>

#include "game/card.h"

namespace solver::detail {

namespace {

using game::Card;
int rankOf(std::uint8_t card) { return Card{card}.rank(); }
int suitOf(std::uint8_t card) { return Card{card}.suit(); }

constexpr int kPriorities = 4096;
constexpr std::uint32_t kChunk = 1 << 16;  // positions stored per allocation
constexpr std::uint32_t kNoNode = UINT32_MAX;

// A split that frees a card only to take another card seldom leads to a win: it waits behind
// every position whose priority is this much higher.
constexpr int kSplitCost = 20;
// The first expansions each continue from the most promising position just generated, a dive
// that reaches the win of most deals at once; then always from the most promising of all.
constexpr std::uint64_t kDiveExpansions = 2000;

// How many moves a position still needs, roughly: each card not home one move there, each
// face-down card one that uncovers it, each card that lies above a lower card of its suit one
// that takes it away before that card can go home. With a refill limit each talon card counts
// once more: turned past, it may be out of reach for good.
int movesNeededEstimate(const State& s, const Rules& rules) {
  int needed = 52;
  for (int suit = 0; suit < 4; ++suit) needed -= s.home[suit];
  for (int c = 0; c < kColumnCount; ++c) {
    needed += s.down[c];
    int lowest[4] = {13, 13, 13, 13};  // the lowest rank of each suit below, in this column
    for (int r = 0; r < s.length[c]; ++r) {
      const int suit = suitOf(s.cards[c][r]), rank = rankOf(s.cards[c][r]);
      if (rank > lowest[suit])
        ++needed;
      else
        lowest[suit] = rank;
    }
  }
  if (rules.refillLimit >= 0) needed += s.talonLength;
  return needed;
}

// An After in a byte: the card laid, or kCover and the column to lay a card on.
constexpr std::uint8_t kCover = 0x80;
std::uint8_t packAfter(After after) {
  return after.cover >= 0 ? static_cast<std::uint8_t>(kCover | after.cover) : after.laid;
}
After unpackAfter(std::uint8_t packed) {
  if (packed == kNoCard || (packed & kCover) == 0) return {packed, -1};
  return {kNoCard, static_cast<std::int8_t>(packed & ~kCover)};
}

bool freesCardForHome(const State& s, const Candidate& move) {
  const std::uint8_t freed = s.cards[move.column][move.row - 1];
  return s.home[suitOf(freed)] == rankOf(freed);
}

// What the moves made so far cost: with a refill limit a stock press costs as much as a move.
int moveCost(const Rules& rules, const Candidate& move) {
  return 1 + (rules.refillLimit >= 0 ? move.presses : 0);
}

int priorityOf(const State& before, const Candidate& move, const State& after, int cost,
               const Rules& rules) {
  const bool split = move.kind == MoveKind::ColumnToColumn && move.row > before.down[move.column] &&
                     !freesCardForHome(before, move);
  return std::min(cost + movesNeededEstimate(after, rules) + (split ? kSplitCost : 0),
                  kPriorities - 1);
}

}  // namespace

// A position in 48 bytes. Per column: the face-down count (bits 0-4), the face-up count (5-8),
// the head of the face-up part (9-14) and, per face-up card below the head, which of the two
// suits of its colour it has (15-26): the face-down cards are those of the root.
struct WinSearch::Packed {
  std::uint32_t columns[kColumnCount];
  std::uint32_t parent;  // the position this one was reached from
  std::uint64_t talon;   // the slots of the root's talon that still hold their card
  std::uint16_t home;    // cards home, 4 bits per suit
  std::uint16_t cost;    // of the moves from the root (moveCost)
  std::uint8_t position, refillsUsed;
  std::uint8_t piles;  // the foundation pile of each suit that has one, 2 bits per suit
  std::uint8_t after;  // as generateMoves takes it (packAfter)

  bool samePosition(const Packed& o) const {
    return std::memcmp(columns, o.columns, sizeof columns) == 0 && talon == o.talon &&
           home == o.home && position == o.position && refillsUsed == o.refillsUsed &&
           piles == o.piles;
  }
};

// The stored positions, in chunks that never move, and those not yet expanded in a bucket per
// priority, the newest first within a bucket.
struct WinSearch::Store {
  std::vector<std::unique_ptr<Packed[]>> chunks;
  std::uint32_t size = 0;
  std::vector<std::vector<std::uint32_t>> open{kPriorities};
  int lowest = kPriorities;

  Packed& operator[](std::uint32_t node) { return chunks[node / kChunk][node % kChunk]; }
  const Packed& operator[](std::uint32_t node) const {
    return chunks[node / kChunk][node % kChunk];
  }
  std::uint32_t add() {
    if (size % kChunk == 0) chunks.push_back(std::make_unique_for_overwrite<Packed[]>(kChunk));
    return size++;
  }
  void push(std::uint32_t node, int priority) {
    open[priority].push_back(node);
    lowest = std::min(lowest, priority);
  }
  bool pop(std::uint32_t& node) {
    while (lowest < kPriorities && open[lowest].empty()) ++lowest;
    if (lowest == kPriorities) return false;
    node = open[lowest].back();
    open[lowest].pop_back();
    return true;
  }
};

WinSearch::WinSearch(const State& root, const Rules& rules, const KeyMaker& keyOf,
                     VisitedSet& visited, std::uint32_t maxPositions)
    : root_(root),
      rules_(rules),
      keyOf_(keyOf),
      visited_(visited),
      maxPositions_(maxPositions),
      store_(std::make_unique<Store>()) {
  visited_.insert(keyOf_(root));
  Packed& first = (*store_)[store_->add()];
  pack(root, first);
  first.parent = 0;
  first.cost = 0;
  first.after = packAfter({});
  store_->push(0, 0);
}

WinSearch::~WinSearch() = default;

void WinSearch::pack(const State& s, Packed& p) const {
  for (int c = 0; c < kColumnCount; ++c) {
    const int down = s.down[c], up = s.length[c] - down;
    std::uint32_t code = static_cast<std::uint32_t>(down | up << 5);
    if (up > 0) code |= static_cast<std::uint32_t>(s.cards[c][down]) << 9;
    for (int r = down + 1; r < s.length[c]; ++r)
      code |= static_cast<std::uint32_t>(suitOf(s.cards[c][r]) >> 1) << (14 + r - down);
    p.columns[c] = code;
  }
  p.talon = keyOf_.talonLeft(s);
  p.home = 0;
  p.piles = 0;
  for (int suit = 0; suit < 4; ++suit) {
    p.home = static_cast<std::uint16_t>(p.home | s.home[suit] << 4 * suit);
    if (s.pile[suit] >= 0) p.piles = static_cast<std::uint8_t>(p.piles | s.pile[suit] << 2 * suit);
  }
  p.position = s.position;
  p.refillsUsed = s.refillsUsed;
}

void WinSearch::unpack(const Packed& p, State& s) const {
  std::memcpy(&s, &root_, sizeof s);  // the face-down cards
  for (int c = 0; c < kColumnCount; ++c) {
    const std::uint32_t code = p.columns[c];
    const int down = code & 31, up = code >> 5 & 15;
    s.down[c] = static_cast<std::uint8_t>(down);
    s.length[c] = static_cast<std::uint8_t>(down + up);
    if (up == 0) continue;
    std::uint8_t card = static_cast<std::uint8_t>(code >> 9 & 63);
    s.cards[c][down] = card;
    for (int k = 1; k < up; ++k) {
      // The next card has the other colour: suit 1 or 2 after suits 0 and 3, else 0 or 3.
      const int high = code >> (14 + k) & 1;
      const int suit = Card{card}.colour() == 0 ? 1 + high : 3 * high;
      card = static_cast<std::uint8_t>((rankOf(card) - 1) * 4 + suit);
      s.cards[c][down + k] = card;
    }
  }
  int length = 0;
  for (std::uint64_t slots = p.talon; slots != 0; slots &= slots - 1)
    s.talon[length++] = root_.talon[std::countr_zero(slots)];
  s.talonLength = static_cast<std::uint8_t>(length);
  s.position = p.position;
  s.refillsUsed = p.refillsUsed;
  for (int suit = 0; suit < 4; ++suit) {
    s.home[suit] = static_cast<std::uint8_t>(p.home >> 4 * suit & 15);
    s.pile[suit] = static_cast<std::int8_t>(s.home[suit] > 0 ? p.piles >> 2 * suit & 3 : -1);
  }
}

Outcome WinSearch::run(const std::function<bool()>& outOfBudget) {
  Store& store = *store_;
  State state;
  std::vector<Candidate> moves;
  std::vector<Successor> children;
  std::uint32_t diveNext = kNoNode;  // the node a dive expands next, not in the open buckets
  int diveNextPriority = 0;
  const auto endDive = [&] {
    if (diveNext != kNoNode) store.push(diveNext, diveNextPriority);
    diveNext = kNoNode;
  };
  for (std::uint64_t expansions = 0;; ++expansions) {
    const bool diving = expansions < kDiveExpansions;
    if (!diving) endDive();
    if (expansions % 64 == 0 && outOfBudget()) {
      endDive();
      return Outcome::Undecided;
    }
    std::uint32_t node = std::exchange(diveNext, kNoNode);
    if (node == kNoNode && !store.pop(node)) return Outcome::Lost;
    const Packed parent = store[node];
    unpack(parent, state);
    generateMoves(state, rules_, unpackAfter(parent.after), moves);
    if (store.size + moves.size() > maxPositions_) {
      store.push(node, 0);  // for the search that continues
      return Outcome::Undecided;
    }
    makeSuccessors(state, rules_, moves, keyOf_, visited_, children);
    // In reverse, so that among equals the move that generateMoves orders first comes first.
    for (std::size_t i = moves.size(); i-- > 0;) {
      const Candidate& move = moves[i];
      const State& child = children[i].state;
      const bool won = isWon(child);
      const After after = children[i].after;
      // A blocked position is lost: entered in the table, never stored to be expanded.
      if (!won && after.cover < 0 &&
          (!visited_.insert(children[i].key, children[i].hash) || isBlocked(child)))
        continue;
      const std::uint32_t id = store.add();
      Packed& packed = store[id];
      pack(child, packed);
      packed.parent = node;
      packed.cost = static_cast<std::uint16_t>(parent.cost + moveCost(rules_, move));
      packed.after = packAfter(after);
      if (won) {
        won_ = id;
        return Outcome::Won;
      }
      const int priority = priorityOf(state, move, child, packed.cost, rules_);
      if (diving && (diveNext == kNoNode || priority <= diveNextPriority)) {
        endDive();
        diveNext = id;
        diveNextPriority = priority;
      } else {
        store.push(id, priority);
      }
    }
  }
}

std::vector<Move> WinSearch::winningLine() const { return lineTo(won_); }

bool WinSearch::nextOpen(State& state, std::uint32_t& node) {
  if (!store_->pop(node)) return false;
  unpack((*store_)[node], state);
  return true;
}

std::vector<Move> WinSearch::lineTo(std::uint32_t node) const {
  const Store& store = *store_;
  std::vector<std::uint32_t> path;
  for (std::uint32_t n = node; n != 0; n = store[n].parent) path.push_back(n);
  std::vector<Move> line, played;
  std::vector<Candidate> moves;
  State state = root_, child;
  Packed packed;
  After after;
  // Each step again: the move from the position before that leads to the stored one.
  for (auto it = path.rbegin(); it != path.rend(); ++it) {
    const Packed& next = store[*it];
    generateMoves(state, rules_, after, moves);
    for (const Candidate& move : moves) {
      child = state;
      played.clear();
      applyMove(child, rules_, move, played);
      pack(child, packed);
      if (packed.samePosition(next)) break;
    }
    line.insert(line.end(), played.begin(), played.end());
    state = child;
    after = unpackAfter(next.after);
  }
  return line;
}

}  // namespace solver::detail
