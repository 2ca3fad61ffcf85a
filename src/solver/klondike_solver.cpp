// Depth-first search over compact positions with a table of the positions already searched. The
// search is a loop over an explicit stack, so a long line of moves needs no deep call stack.
#include "solver/klondike_solver.h"

#include <time.h>

#include "solver/solver_state.h"
#include "solver/visited_set.h"

namespace solver {

namespace {

using detail::Candidate;
using detail::State;

struct Frame {
  State state;
  std::vector<Candidate> moves;
  std::size_t next = 0;
  std::size_t pathLength = 0;  // moves of the line that lead to this position
};

// The time spent so far: on the wall clock, or the CPU time of the searching thread.
class Clock {
 public:
  explicit Clock(bool cpu) : cpu_(cpu), start_(now()) {}
  std::chrono::nanoseconds elapsed() const { return now() - start_; }

 private:
  bool cpu_;
  std::chrono::nanoseconds start_;
  std::chrono::nanoseconds now() const {
    if (!cpu_) return std::chrono::steady_clock::now().time_since_epoch();
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
  }
};

struct Search {
  const detail::Rules& rules;
  const Limits& limits;
  const Clock& clock;
  const std::atomic<bool>* cancel;
  std::uint64_t statesBefore = 0;  // searched by an earlier search of the same position

  bool outOfBudget(std::uint64_t states) const {
    return (cancel && cancel->load(std::memory_order_relaxed)) ||
           clock.elapsed() >= limits.maxTime || statesBefore + states >= limits.maxStates;
  }

  // Outcome Won with the line, Lost, or Undecided; states counts the positions searched.
  Result run(const State& root, std::vector<Move> line) {
    Result result;
    detail::VisitedSet visited;
    const detail::KeyMaker keyOf(root, rules);
    visited.insert(keyOf(root));
    std::vector<Frame> stack(1);
    stack[0].state = root;
    stack[0].pathLength = line.size();
    detail::generateMoves(root, rules, kNoCard, stack[0].moves);
    std::size_t depth = 1;
    std::uint64_t steps = 0;
    while (depth > 0) {
      if ((++steps & 1023) == 0 && outOfBudget(visited.size())) {
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
      // A blocked position is entered too, so that meeting it again costs no second look.
      if (!visited.insert(keyOf(child)) || detail::isBlocked(child)) continue;
      if (depth == stack.size()) stack.emplace_back();
      Frame& next = stack[depth++];
      next.state = child;
      next.next = 0;
      next.pathLength = line.size();
      const bool laid =
          move.kind == MoveKind::WasteToColumn || move.kind == MoveKind::ColumnToColumn;
      detail::generateMoves(child, rules, laid ? move.card : kNoCard, next.moves);
    }
    result.outcome = Outcome::Lost;
    result.states = visited.size();
    return result;
  }
};

}  // namespace

Result solve(const Position& position, Level level, int refills, const Limits& limits,
             const std::atomic<bool>* cancel) {
  const Clock clock(limits.cpuTime);
  Result result;
  detail::Rules rules = detail::rulesFor(level, refills);
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
  if (detail::isBlocked(root)) {
    result.outcome = Outcome::Lost;
    return result;
  }
  // Where face-up parts can be split, first a quick search, which finds most wins sooner; its
  // "lost" proves nothing, so then a search that leaves out only the moves that cannot matter
  // decides.
  if (!rules.wholeParts) {
    rules.pruning = detail::Pruning::Quick;
    Search quick{rules, limits, clock, cancel};
    result = quick.run(root, line);
    if (result.outcome != Outcome::Lost) return result;
  }
  rules.pruning = detail::Pruning::Proved;
  Search proof{rules, limits, clock, cancel, result.states};
  Result final = proof.run(root, line);
  final.states += result.states;
  return final;
}

}  // namespace solver
