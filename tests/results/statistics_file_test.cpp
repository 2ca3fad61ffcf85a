// The statistics file: a damaged file gives a message and fresh statistics, a lost game is saved
// and read back.
#include "results/statistics_file.h"

#include <gtest/gtest.h>

#include "tests/platform/scratch_folder.h"

namespace {

TEST(StatisticsFile, DamagedFileStartsAfreshAndLostGameIsSaved) {
  ScratchFolder folder;
  const std::string path = folder.file(results::kStatisticsFileName);
  results::StatisticsFile file(path);
  EXPECT_FALSE(file.load());  // none yet
  folder.put(results::kStatisticsFileName, std::string("quatro=2,1,1,1,-,-\r\nquatro=\0x", 29));
  EXPECT_TRUE(file.load());
  EXPECT_EQ(file.statistics(), game::Statistics{});

  game::GameTable t{};
  const game::MenuState quatro{.ruleSet = game::RuleSet::Quatro};
  file.dealt(t);
  t.tableau[2][0] = 7;  // a card placed
  file.observe(t, quatro, 100);
  file.leave(130);
  results::StatisticsFile again(path);
  EXPECT_FALSE(again.load());
  EXPECT_EQ(again.statistics()[game::statisticsKind(quatro)],
            (game::GameRecord{1, 0, 0, 0, {}, {}}));
}

// A won game on the clock takes its time from the clock, as the status bar shows it; others the
// time from their first move to the win.
TEST(StatisticsFile, FastestWinIsTheClocksTimeWhenTheGameHasOne) {
  ScratchFolder folder;
  results::StatisticsFile file(folder.file(results::kStatisticsFileName));
  game::GameTable won{};
  for (int suit = 0; suit < 4; ++suit) won.foundation[suit] = std::uint8_t(48 + suit);
  won.seconds = 637;
  for (const bool timed : {true, false}) {
    const game::MenuState normal{.scoreMode = game::ScoreMode::Normal, .timed = timed};
    game::GameTable t{};
    file.dealt(t);
    t.tableau[2][0] = 7;  // the first move
    file.observe(t, normal, 1000);
    file.observe(won, normal, 1621);
    EXPECT_EQ(file.statistics()[game::statisticsKind(normal)].fastestWin, timed ? 637 : 621);
  }
}

}  // namespace
