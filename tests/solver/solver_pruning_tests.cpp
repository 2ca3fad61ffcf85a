// The solver against an exhaustive search over every legal move: on positions reached by playing
// part of a dealt game's winning line and then random legal moves, at every level, with and
// without Vegas' refill limit, the two agree whenever both decide, every winning line is legal
// under the plain model of the rules, no position called blocked can be won, and none lost under
// the looser rules (one card turned, no refill limit) can be won at the level.
#include <gtest/gtest.h>

#include <string>

#include "solver/solver_state.h"
#include "solver/table_position.h"
#include "tests/solver/reference_search.h"

namespace solver {
namespace {

struct PruningCase {
  Level level;
  int refills;  // kUnlimitedRefills, or Vegas' refills left
  std::uint32_t firstSeed;
  int deals;
  int minCompared;  // positions that both searches decided: a test that compares none tests nothing
  int minBlocked;   // positions called blocked that the exhaustive search proved lost
};

const Limits kDealLimits{20'000, std::chrono::hours(1)};
const Limits kPositionLimits{200'000, std::chrono::hours(1)};
constexpr std::size_t kReferenceTables = 60'000;
constexpr int kLineShares[] = {50, 65, 80};  // percent of the winning line played first
constexpr int kRandomMoves[] = {3, 12, 40, 150};

// Plays the line's moves under the plain model; false at the first move it refuses.
bool playLine(reference::Table& table, const std::vector<Move>& moves, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    if (!reference::apply(table, moves[i])) return false;
  return true;
}

bool isBlocked(const reference::Table& table) {
  detail::State state;
  std::vector<Move> flips;
  return detail::toState(table.position, state, flips) && detail::isBlocked(state);
}

class SolverPruningTest : public ::testing::TestWithParam<PruningCase> {};

TEST_P(SolverPruningTest, AgreesWithTheExhaustiveSearch) {
  const PruningCase c = GetParam();
  int compared = 0, lost = 0, blocked = 0, looselyLost = 0;
  const detail::Rules rules = detail::rulesFor(c.level, c.refills);
  const detail::Rules looser{1, rules.wholeParts, kUnlimitedRefills};
  for (std::uint32_t seed = c.firstSeed; seed < c.firstSeed + c.deals; ++seed) {
    const reference::Table dealt{positionOf(dealtTable(seed)), c.level, c.refills};
    const Result deal = solve(dealt.position, c.level, c.refills, kDealLimits);
    if (deal.outcome != Outcome::Won) continue;
    std::mt19937 random(seed);
    for (int share : kLineShares)
      for (int randomMoves : kRandomMoves) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " line " + std::to_string(share) + "% then " +
                     std::to_string(randomMoves) + " random moves");
        reference::Table table = dealt;
        ASSERT_TRUE(playLine(table, deal.moves, deal.moves.size() * share / 100));
        for (int i = 0; i < randomMoves && reference::playRandomMove(table, random); ++i) {}
        const Result solved = solve(table.position, c.level, table.refillsLeft, kPositionLimits);
        ASSERT_NE(solved.outcome, Outcome::Invalid);
        if (solved.outcome == Outcome::Won) {
          reference::Table replayed = table;
          ASSERT_TRUE(playLine(replayed, solved.moves, solved.moves.size()));
          EXPECT_TRUE(reference::isWon(replayed));
        }
        const Outcome exhaustive = reference::search(table, kReferenceTables);
        if (exhaustive != Outcome::Undecided && solved.outcome != Outcome::Undecided) {
          ++compared;
          lost += exhaustive == Outcome::Lost;
          EXPECT_EQ(solved.outcome, exhaustive);
        }
        if (detail::solveUnder(table.position, looser, kPositionLimits).outcome == Outcome::Lost) {
          EXPECT_NE(exhaustive, Outcome::Won);
          ++looselyLost;
        }
        // Random play on to the first position called blocked, which must be lost.
        for (int i = 0; i < 300 && !isBlocked(table) && reference::playRandomMove(table, random);
             ++i) {}
        if (isBlocked(table)) {
          const Outcome blockedOutcome = reference::search(table, kReferenceTables);
          EXPECT_NE(blockedOutcome, Outcome::Won);
          blocked += blockedOutcome == Outcome::Lost;
        }
      }
  }
  EXPECT_GE(compared, c.minCompared);
  EXPECT_GE(blocked, c.minBlocked);
  std::printf("compared %d lost %d blocked %d lost under looser rules %d\n", compared, lost,
              blocked, looselyLost);
}

INSTANTIATE_TEST_SUITE_P(
    LevelsAndRefills, SolverPruningTest,
    ::testing::Values(PruningCase{Level::Easy, kUnlimitedRefills, 100, 20, 20, 8},
                      PruningCase{Level::Easy, 0, 200, 20, 20, 2},
                      PruningCase{Level::Medium, kUnlimitedRefills, 300, 20, 20, 2},
                      PruningCase{Level::Medium, 1, 400, 20, 20, 0},
                      PruningCase{Level::Hard, kUnlimitedRefills, 500, 20, 20, 3},
                      PruningCase{Level::Hard, 2, 600, 20, 20, 0}));

}  // namespace
}  // namespace solver
