// Depth-first search over compact positions with a table of the positions already searched. The
// search is a loop over an explicit stack, so a long line of moves needs no deep call stack.
#include "klondike_solver.h"

#include <memory>

#include "solver_state.h"

namespace solver {

namespace {

using detail::Candidate;
using detail::Key;
using detail::State;

// Open addressing over 128-bit keys; grows to keep at most half of its slots used.
class VisitedSet {
 public:
  VisitedSet() { rehash(1 << 16); }
  // False when the key was there already.
  bool insert(const Key& key) {
    if (2 * (count_ + 1) > capacity_) rehash(capacity_ * 2);
    if (!place(slots_.get(), capacity_, key)) return false;
    ++count_;
    return true;
  }
  std::uint64_t size() const { return count_; }

 private:
  std::unique_ptr<Key[]> slots_;
  std::uint64_t capacity_ = 0, count_ = 0;

  static bool place(Key* slots, std::uint64_t capacity, const Key& key) {
    for (std::uint64_t i = key.b & (capacity - 1);; i = (i + 1) & (capacity - 1)) {
      if (slots[i].a == 0) {
        slots[i] = key;
        return true;
      }
      if (slots[i] == key) return false;
    }
  }
  void rehash(std::uint64_t capacity) {
    std::unique_ptr<Key[]> fresh(new Key[capacity]());
    for (std::uint64_t i = 0; i < capacity_; ++i)
      if (slots_[i].a != 0) place(fresh.get(), capacity, slots_[i]);
    slots_ = std::move(fresh);
    capacity_ = capacity;
  }
};

struct Frame {
  State state;
  std::vector<Candidate> moves;
  std::size_t next = 0;
  std::size_t pathLength = 0;  // moves of the line that lead to this position
};

detail::Rules rulesFor(Level level, int refills) {
  return {level == Level::Easy ? 1 : 3, level == Level::Hard, refills < 0 ? kUnlimitedRefills : refills};
}

}  // namespace

Result solve(const Position& position, Level level, int refills, const Limits& limits,
             const std::atomic<bool>* cancel) {
  Result result;
  const detail::Rules rules = rulesFor(level, refills);
  std::vector<Move> line;
  State root;
  if (!detail::toState(position, root, line)) {
    result.outcome = Outcome::Invalid;
    return result;
  }
  detail::playSafeMoves(root, line);
  if (detail::isWon(root)) {
    result.outcome = Outcome::Won;
    result.moves = std::move(line);
    return result;
  }
  const auto deadline = std::chrono::steady_clock::now() + limits.maxTime;
  VisitedSet visited;
  visited.insert(detail::keyOf(root, rules));
  std::vector<Frame> stack(1);
  stack[0].state = root;
  stack[0].pathLength = line.size();
  detail::generateMoves(root, rules, stack[0].moves);
  std::size_t depth = 1;
  std::uint64_t steps = 0;
  while (depth > 0) {
    if ((++steps & 1023) == 0 &&
        ((cancel && cancel->load(std::memory_order_relaxed)) ||
         std::chrono::steady_clock::now() >= deadline)) {
      result.states = visited.size();
      return result;
    }
    Frame& frame = stack[depth - 1];
    if (frame.next == frame.moves.size()) {
      --depth;
      continue;
    }
    const Candidate move = frame.moves[frame.next++];
    line.resize(frame.pathLength);
    State child = frame.state;
    detail::applyMove(child, move, line);
    if (detail::isWon(child)) {
      result.outcome = Outcome::Won;
      result.moves = std::move(line);
      result.states = visited.size();
      return result;
    }
    if (!visited.insert(detail::keyOf(child, rules))) continue;
    if (visited.size() >= limits.maxStates) {
      result.states = visited.size();
      return result;
    }
    if (depth == stack.size()) stack.emplace_back();
    Frame& next = stack[depth++];
    next.state = child;
    next.next = 0;
    next.pathLength = line.size();
    detail::generateMoves(child, rules, next.moves);
  }
  result.outcome = Outcome::Lost;
  result.states = visited.size();
  return result;
}

}  // namespace solver
