// The statistics records, their file lines (a damaged line is passed over, never half read) and
// the tracker that counts a game from its first move.
#include "game/statistics.h"

#include "tests/game/game_fixture.h"

#include <limits>

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

// Counts read from a file may be as large as an int goes: they stop there, stay consistent and
// read back, and the win rate needs no more room than they do.
TEST(Statistics, CountsStopAtTheirLargestValue) {
  constexpr int kMost = std::numeric_limits<int>::max();
  GameRecord r{kMost, kMost - 1, kMost - 1, kMost - 1, 10, 5};
  recordGame(r, true, 20, 4);
  recordGame(r, true, 30, 3);
  EXPECT_EQ(r, (GameRecord{kMost, kMost, kMost, kMost, 30, 3}));
  Statistics s{};
  s[0] = r;
  EXPECT_EQ(parseStatistics(statisticsLines(s)), s);
  EXPECT_EQ(winRate(r), 100);
  EXPECT_EQ(winRate({30'000'000, 29'000'000, 0, 0, {}, {}}), 96);
}

TEST(Statistics, LinesReadBackAndADamagedLineLosesOnlyItsOwnRecord) {
  Statistics s{};
  recordGame(s[statisticsKind({ScoreMode::Vegas, true, Level::Easy})], true, -12, 90);
  recordGame(s[kStatisticsKinds - 1], false, std::nullopt, 5);
  bool damaged = false;
  EXPECT_EQ(parseStatistics(statisticsLines(s), &damaged), s);
  EXPECT_FALSE(damaged);
  EXPECT_EQ(parseStatistics({}), Statistics{});
  Statistics withoutQuatro = s;
  withoutQuatro[kStatisticsKinds - 1] = {};
  for (const char* bad :
       {"quatro=1,0,0,0,-", "quatro=1,0,0,0,-,-,7", "quatro=1,x,0,0,-,-", "quatro=1,2,0,0,-,-",
        "quatro=3,2,2,1,-,-", "solitaire=0,0,0,0,-,-", "quatro", "quatro=0,0,0,0,5,-",
        "quatro=99999999999,0,0,0,-,-", "quatro=7,2,0,1,-,9x5"}) {
    std::vector<std::string> lines = statisticsLines(s);
    lines.back() = bad;  // the Quatro line
    lines.push_back(bad);
    damaged = false;
    EXPECT_EQ(parseStatistics(lines, &damaged), withoutQuatro) << bad;
    EXPECT_TRUE(damaged) << bad;
  }
}

TEST(Statistics, AGameCountsFromItsFirstMoveAndEndsOnce) {
  GameTracker tracker;
  tracker.dealt();
  EXPECT_FALSE(tracker.end(11));  // never played: no game to count
  tracker.moved(4, 20);
  tracker.moved(7, 30);  // only the first move starts the game
  const auto won = tracker.end(65);
  ASSERT_TRUE(won);
  EXPECT_EQ(won->kind, 4);
  EXPECT_EQ(won->seconds, 45);
  EXPECT_FALSE(tracker.end(80));  // counted once
  tracker.dealt();
  tracker.moved(1, 100);
  EXPECT_EQ(tracker.end(90)->seconds, 0);  // a clock that went back counts no time
}

// The engine reports a move when a press changed the piles, never for a pick-up or a refusal.
TEST_F(GameTest, OnlyPressesThatChangeThePilesAreMoves) {
  emptyKlondike();
  setStock({card(Two, 0), card(Three, 0)});
  setColumn(0, {card(Five, 1)});
  leftDown(at(0, 0));  // picks the card up
  leftDown(at(0, 0));  // and puts it back: no home for it
  leftDown(at(2, 0));  // an empty column: refused
  EXPECT_EQ(view.moves, 0);
  leftDown(bottomPlace(kStockColumn));
  EXPECT_EQ(view.moves, 1);
}

}  // namespace
}  // namespace game::testing
