#pragma once
// A best-first search for a winning line: it expands first the position that seems closest to a
// win by an estimate of the moves still needed, and keeps every position it has generated in a
// few words (the face-down cards and the talon's order never change, so a count and a set of
// talon slots name them). It finds most wins after far fewer positions than a depth-first
// search, and leaves the positions it has not expanded to a depth-first search that continues
// from them with the same table of visited positions.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "solver/solver_state.h"
#include "solver/visited_set.h"

namespace solver::detail {

class WinSearch {
 public:
  // keyOf, made for this root, and visited are shared with the search that continues; the root's
  // key is inserted. Positions keep their talon as keyOf's slots of the root's talon.
  WinSearch(const State& root, const Rules& rules, const KeyMaker& keyOf, VisitedSet& visited,
            std::uint32_t maxPositions);
  ~WinSearch();

  // Expands positions, the most promising first. Won: a winning line was found (winningLine).
  // Lost: every position reachable was expanded without a win (a proof: the moves left out are
  // only those that cannot matter). Undecided: outOfBudget() said so, or maxPositions were stored;
  // the positions not yet expanded are then left for nextOpen.
  Outcome run(const std::function<bool()>& outOfBudget);
  std::vector<Move> winningLine() const;

  // Takes the most promising position not yet expanded; lineTo(node) is the line to it.
  bool nextOpen(State& state, std::uint32_t& node);
  std::vector<Move> lineTo(std::uint32_t node) const;

 private:
  struct Packed;
  struct Store;
  const State root_;
  const Rules& rules_;
  const KeyMaker& keyOf_;
  VisitedSet& visited_;
  const std::uint32_t maxPositions_;
  std::unique_ptr<Store> store_;
  std::uint32_t won_ = 0;  // the node of the won position, once found

  void pack(const State& s, Packed& p) const;
  void unpack(const Packed& p, State& s) const;
};

}  // namespace solver::detail
