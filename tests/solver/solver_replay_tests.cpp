// Every winning line the solver finds for a dealt game is pressed through the rule engine, move by
// move as a player would, until the engine declares the win.
#include <string>

#include "solver/table_position.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

struct ReplayCase {
  Level level;
  ScoreMode mode;
  std::uint32_t firstSeed;
  int deals;
  int minWon;  // a solver that wins (nearly) none tests nothing
};

class SolverReplayTest : public GameTest, public ::testing::WithParamInterface<ReplayCase> {
 protected:
  Point pointOf(Place place) const {
    return place.row == t.layout.bottomRow ? pilePoint(engine, place.column)
                                           : cardPoint(engine, place.column, place.row);
  }
  // Presses the line; stops at the first refused press.
  void replay(const std::vector<solver::Move>& moves) {
    for (std::size_t i = 0; i < moves.size(); ++i) {
      const solver::MovePlaces places = solver::placesOf(moves[i], t);
      press(pointOf(places.source));
      if (!places.onePress) press(pointOf(places.target));
      ASSERT_EQ(view.refusals, 0) << "move " << i << " of " << moves.size();
    }
  }
};

TEST_P(SolverReplayTest, WinningLinesWinInTheEngine) {
  const ReplayCase c = GetParam();
  setMenu(engine, &MenuState::level, c.level);
  setMenu(engine, &MenuState::scoreMode, c.mode);
  setMenu(engine, &MenuState::timed, false);
  setMenu(engine, &MenuState::dragDrop, false);
  // A small budget: the best-first search spends half of it, and many wins come from the
  // depth-first search that continues from the positions it left open, so both kinds of line
  // are pressed.
  const solver::Limits limits{5'000, std::chrono::milliseconds(60'000)};
  int won = 0;
  for (std::uint32_t seed = c.firstSeed; seed < c.firstSeed + c.deals; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    engine.seedSource = [seed] { return seed; };
    engine.dealKlondike();
    view.clearRecords();
    const solver::Result result = solver::solve(
        solver::positionOf(t), c.level, solver::refillsLeft(t, c.mode == ScoreMode::Vegas), limits);
    ASSERT_NE(result.outcome, solver::Outcome::Invalid);
    if (result.outcome != solver::Outcome::Won) continue;
    ++won;
    replay(result.moves);
    if (HasFatalFailure()) return;
    ASSERT_EQ(view.wins.size(), 1u);
  }
  EXPECT_GE(won, c.minWon);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, SolverReplayTest,
    ::testing::Values(ReplayCase{Level::Easy, ScoreMode::Normal, 1, 300, 150},
                      ReplayCase{Level::Medium, ScoreMode::None, 1001, 300, 150},
                      ReplayCase{Level::Hard, ScoreMode::Normal, 2001, 300, 150},
                      ReplayCase{Level::Easy, ScoreMode::Vegas, 5001, 100, 50},
                      ReplayCase{Level::Medium, ScoreMode::Vegas, 3001, 100, 15},
                      ReplayCase{Level::Hard, ScoreMode::Vegas, 4001, 100, 15}));

}  // namespace
}  // namespace game::testing
