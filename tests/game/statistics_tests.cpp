// The statistics records, their file lines (a damaged line is refused, never half read) and the
// tracker that counts a game from its first move.
#include "game/statistics.h"

#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

TEST(Statistics, RecordGameKeepsStreaksBestScoreAndFastestWin) {
  GameRecord r;
  recordGame(r, true, 500, 300);
  recordGame(r, true, 400, 200);
  recordGame(r, false, std::nullopt, 50);
  recordGame(r, true, std::nullopt, 400);
  EXPECT_EQ(r, (GameRecord{4, 3, 1, 2, 500, 200}));
  EXPECT_EQ(winRate(r), 75);
}

TEST(Statistics, LinesReadBackAndDamagedLinesAreRefused) {
  Statistics s{};
  recordGame(s[statisticsKind({ScoreMode::Vegas, true, Level::Easy})], true, -12, 90);
  recordGame(s[kStatisticsKinds - 1], false, std::nullopt, 5);
  EXPECT_EQ(parseStatistics(statisticsLines(s)), s);
  EXPECT_EQ(parseStatistics({}), Statistics{});
  for (const char* damaged : {"quatro=1,0,0,0,-", "quatro=1,0,0,0,-,-,7", "quatro=1,x,0,0,-,-",
                              "quatro=1,2,0,0,-,-", "quatro=3,2,2,1,-,-", "solitaire=0,0,0,0,-,-",
                              "quatro", "quatro=0,0,0,0,5,-", "quatro=99999999999,0,0,0,-,-"})
    EXPECT_FALSE(parseStatistics({damaged})) << damaged;
}

class TrackerTest : public GameTest {
 protected:
  GameTracker tracker;
};

TEST_F(TrackerTest, AGameCountsFromItsFirstMoveAndEndsOnce) {
  emptyKlondike();
  setStock({card(Two, 0), card(Three, 0)});
  tracker.dealt(t);
  t.selState = Selection::PickedUp;  // a pick-up is no move
  EXPECT_FALSE(tracker.observe(t, engine.menu(), 10));
  EXPECT_FALSE(tracker.leave(11));
  t.selState = Selection::None;
  const Point stock = bottomPlace(kStockColumn);
  engine.klondikePress(stock.x, stock.y);
  EXPECT_FALSE(tracker.observe(t, engine.menu(), 20));
  for (int f = 0; f < 4; ++f) t.foundation[f] = card(King, f);
  const auto won = tracker.observe(t, engine.menu(), 65);
  ASSERT_TRUE(won);
  EXPECT_EQ(won->kind, statisticsKind(engine.menu()));
  EXPECT_EQ(won->seconds, 45);
  EXPECT_FALSE(tracker.observe(t, engine.menu(), 70));  // counted once
  EXPECT_FALSE(tracker.leave(80));                      // a won game is not lost on leaving
}

}  // namespace
}  // namespace game::testing
