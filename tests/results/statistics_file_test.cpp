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

  const game::MenuState quatro{.ruleSet = game::RuleSet::Quatro};
  file.dealt();
  file.moved(game::statisticsKind(quatro), 100);  // a card placed
  file.leave(130);
  results::StatisticsFile again(path);
  EXPECT_FALSE(again.load());
  EXPECT_EQ(again.statistics()[game::statisticsKind(quatro)],
            (game::GameRecord{1, 0, 0, 0, {}, {}}));
}

}  // namespace
