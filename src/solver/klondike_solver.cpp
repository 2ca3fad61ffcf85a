// The solver: a best-first search for a win (solver/win_search.h), then a depth-first search over
// compact positions from every position it left open, with one table of the positions already
// searched. The depth-first search is a loop over an explicit stack, so a long line of moves
// needs no deep call stack.
#include "solver/klondike_solver.h"

#include <time.h>

#include <algorithm>

#include "solver/solver_state.h"
#include "solver/visited_set.h"
#include "solver/win_search.h"

namespace solver {

namespace {

using detail::Candidate;
using detail::State;
using detail::VisitedSet;

// A position being searched: its moves and the positions after them, made all at once when the
// search enters it (see makeSuccessors).
struct Frame {
  std::vector<Candidate> moves;
  std::vector<detail::Successor> children;  // children[i]: after moves[i]
  std::size_t next = 0;
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
  const detail::KeyMaker& keyOf;
  VisitedSet& visited;  // shared by the searches of one position
  std::vector<Frame> stack{};

  bool outOfBudget() const {
    return (cancel && cancel->load(std::memory_order_relaxed)) ||
           clock.elapsed() >= limits.maxTime || visited.size() >= limits.maxStates;
  }

  // Outcome Won with the line, Lost, or Undecided. The positions in `visited` are not searched
  // again: the search counts on whoever put them there to search them.
  Result run(const State& root, std::vector<Move> line) {
    Result result;
    visited.insert(keyOf(root));
    if (stack.empty()) stack.emplace_back();
    enter(stack[0], root, {});
    std::size_t depth = 1;
    std::uint64_t steps = 0;
    while (depth > 0) {
      if ((++steps & 1023) == 0 && outOfBudget()) {
        result.states = visited.size();
        return result;
      }
      Frame& frame = stack[depth - 1];
      if (frame.next == frame.moves.size()) {
        --depth;
        continue;
      }
      const detail::Successor& child = frame.children[frame.next++];
      if (detail::isWon(child.state)) {
        // The line again, move by move along the stack.
        State state = root;
        for (std::size_t d = 0; d < depth; ++d)
          detail::applyMove(state, rules, stack[d].moves[stack[d].next - 1], line);
        result.outcome = Outcome::Won;
        result.moves = std::move(line);
        result.states = visited.size();
        return result;
      }
      // A blocked position is entered too, so that meeting it again costs no second look.
      if (child.after.cover < 0 &&
          (!visited.insert(child.key, child.hash) || detail::isBlocked(child.state)))
        continue;
      // Growing the stack moves the frames but not their children's storage: `child` stays valid.
      if (depth == stack.size()) stack.emplace_back();
      enter(stack[depth++], child.state, child.after);
    }
    result.outcome = Outcome::Lost;
    result.states = visited.size();
    return result;
  }

  // Makes the frame search `state`, reached by a move that left `after`.
  void enter(Frame& frame, const State& state, detail::After after) {
    frame.next = 0;
    detail::generateMoves(state, rules, after, frame.moves);
    detail::makeSuccessors(state, rules, frame.moves, keyOf, visited, frame.children);
  }
};

// The share of the budget that the best-first search spends before the depth-first search
// continues from the positions it left open, and the positions it may store.
constexpr int kBestFirstShare = 2;  // one half
constexpr std::uint32_t kMaxStoredPositions = 1'000'000;

// The share of the budget for a search under looser rules.
constexpr int kLooserShare = 8;  // one eighth

// Searches from `root` under `rules`, after its safe moves (appended to `line`, the moves that led
// to the root): first a best-first search, which finds most wins soon; then, when `looser` rules
// are given, a search under them (their loss is this position's loss); then a depth-first search
// from every position the best-first search left open, which needs far less memory per position.
// Each leaves out only the moves that cannot matter, so when none finds a win the position is
// lost. A winning line starts with `line`.
Result searchFrom(State root, std::vector<Move> line, const detail::Rules& rules,
                  const detail::Rules* looser, const Limits& limits, const Clock& clock,
                  const std::atomic<bool>* cancel) {
  Result result;
  detail::playSafeMoves(root, rules, line);
  if (detail::isWon(root)) {
    result.outcome = Outcome::Won;
    result.moves = std::move(line);
    return result;
  }
  if (detail::isBlocked(root)) {
    result.outcome = Outcome::Lost;
    return result;
  }
  const detail::KeyMaker keyOf(root, rules);
  VisitedSet visited(keyOf.stockField());
  Limits own = limits;
  if (looser) own.maxStates -= limits.maxStates / kLooserShare;
  Search proof{rules, own, clock, cancel, keyOf, visited};
  detail::WinSearch best(root, rules, keyOf, visited, kMaxStoredPositions);
  const auto bestFirstSpent = [&] {
    return proof.outOfBudget() || clock.elapsed() >= limits.maxTime / kBestFirstShare ||
           visited.size() >= own.maxStates / kBestFirstShare;
  };
  result.outcome = best.run(bestFirstSpent);
  result.states = visited.size();
  if (result.outcome == Outcome::Won) {
    const std::vector<Move> won = best.winningLine();
    line.insert(line.end(), won.begin(), won.end());
    result.moves = std::move(line);
  }
  if (result.outcome != Outcome::Undecided) return result;
  std::uint64_t looserStates = 0;
  if (looser && !proof.outOfBudget()) {
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(clock.elapsed());
    const Limits share{limits.maxStates / kLooserShare,
                       std::min(limits.maxTime, spent + limits.maxTime / kLooserShare),
                       limits.cpuTime};
    const Result loose = searchFrom(root, {}, *looser, nullptr, share, clock, cancel);
    looserStates = loose.states;
    if (loose.outcome == Outcome::Lost) {
      result.outcome = Outcome::Lost;
      result.states = visited.size() + looserStates;
      return result;
    }
  }
  State open;
  std::uint32_t node = 0;
  result.outcome = Outcome::Lost;
  // The budget is checked here too: a search from a position whose moves lead only to positions
  // seen before ends before it checks.
  while (result.outcome == Outcome::Lost && best.nextOpen(open, node)) {
    result.outcome = Outcome::Undecided;
    if (!proof.outOfBudget()) result = proof.run(open, {});
  }
  if (result.outcome == Outcome::Won) {
    const std::vector<Move> toOpen = best.lineTo(node);
    line.insert(line.end(), toOpen.begin(), toOpen.end());
    line.insert(line.end(), result.moves.begin(), result.moves.end());
    result.moves = std::move(line);
  }
  result.states = visited.size() + looserStates;
  return result;
}

}  // namespace

Result solve(const Position& position, Level level, int refills, const Limits& limits,
             const std::atomic<bool>* cancel) {
  return detail::solveUnder(position, detail::rulesFor(level, refills), limits, cancel);
}

Result detail::solveUnder(const Position& position, const Rules& rules, const Limits& limits,
                          const std::atomic<bool>* cancel) {
  const Clock clock(limits.cpuTime);
  std::vector<Move> line;
  State root;
  if (!detail::toState(position, root, line)) {
    Result invalid;
    invalid.outcome = Outcome::Invalid;
    return invalid;
  }
  // Turning one card with no refill limit, every talon card is within reach at any time, so the
  // same position under those rules offers every line that turning three or a refill limit
  // allows, and more: lost there, it is lost here. Its search is often far smaller (the stock
  // position does not matter, and talon cards wait until they help), so it gets a share of the
  // budget when the best-first search has found no win.
  const Rules looser{1, rules.wholeParts, kUnlimitedRefills};
  return searchFrom(root, std::move(line), rules, rules.everyCardReachable() ? nullptr : &looser,
                    limits, clock, cancel);
}

}  // namespace solver
