#pragma once
// The positions a search has met, by their keys: an open-addressed table split into segments
// that grow one at a time, so that growing never holds two copies of the whole table, and whose
// memory is taken from and given back to the system directly. Not in huge pages: the system
// zeroes and assembles them at a cost, counted in the search's CPU time, larger than that of
// the address-translation misses that they save.
#include <cstdint>
#include <vector>

#include "solver/solver_state.h"

namespace solver::detail {

// Keys with a stock field (KeyMaker::stockField) share one slot per layout, which collects the
// stock bits of the positions met. A position counts as met when one of the same layout from
// which stock presses alone lead to it was: that one offers every move it offers (the same
// moves, and the same cards from the stock), and each position after those moves is again met
// or reached from one met, so every line from it to a win has its like from the one met, whose
// search finds one if there is one.
class VisitedSet {
 public:
  explicit VisitedSet(std::uint64_t stockField = 0);
  ~VisitedSet();
  VisitedSet(const VisitedSet&) = delete;
  VisitedSet& operator=(const VisitedSet&) = delete;

  // False when the position was met already. Keys are never all zero (KeyMaker sets the top bit).
  bool insert(const Key& key) { return insert(key, hashOf(key)); }
  bool insert(const Key& key, std::uint64_t hash);  // hash: hashOf(key)
  // The hash that places the key: that of the key without its stock bits.
  std::uint64_t hashOf(const Key& key) const;
  // Starts loading the key's slot into the cache, for an insert of the key soon after; returns
  // hashOf(key).
  std::uint64_t prefetch(const Key& key) const;
  // The positions met.
  std::uint64_t size() const { return count_; }

 private:
  static constexpr int kSegmentBits = 3;
  struct Segment {
    Key* slots = nullptr;
    std::uint64_t mask = 0;  // slots - 1, a power of two less one
    std::uint64_t count = 0;
  };
  Segment segments_[1 << kSegmentBits];
  std::uint64_t count_ = 0;
  std::uint64_t stockField_;

  Key& slotFor(Key* slots, std::uint64_t mask, const Key& key, std::uint64_t hash) const;
  void grow(Segment& segment);
};

// A position after a move, with what the move leaves the next one to do and, for a position to
// enter in the table (after.cover < 0), its key.
struct Successor {
  State state;
  After after;
  Key key;
  std::uint64_t hash;  // VisitedSet::hashOf(key)
};
// The positions after each of `moves` made from `s`, in out[0 .. moves.size() - 1] (out never
// shrinks). The slots in `visited` of those to enter are fetched into the cache meanwhile, so that
// inserting the keys soon after seldom waits for memory.
void makeSuccessors(const State& s, const Rules& rules, const std::vector<Candidate>& moves,
                    const KeyMaker& keyOf, const VisitedSet& visited, std::vector<Successor>& out);

}  // namespace solver::detail
