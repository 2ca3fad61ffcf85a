// The statistics file: a damaged file keeps its good records and is moved aside at the next save,
// one that cannot be read is left alone, a lost game is saved and read back, and a failed save is
// told once.
#include "results/statistics_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "tests/platform/scratch_folder.h"

namespace {

const game::MenuState kQuatro{.ruleSet = game::RuleSet::Quatro};

// Plays one Quatro game and leaves it: a lost game to save.
void loseAGame(results::StatisticsFile& file) {
  file.dealt();
  file.moved(game::statisticsKind(kQuatro), 100);  // a card placed
  file.leave(130);
}

TEST(StatisticsFile, DamagedFileKeepsItsGoodRecordsAndIsMovedAsideAtTheNextSave) {
  ScratchFolder folder;
  const std::string path = folder.file(results::kStatisticsFileName);
  results::StatisticsFile file(path);
  EXPECT_FALSE(file.load());  // none yet
  const std::string damaged("klondike.easy.none=5,2,1,2,-,60\r\nquatro=\0x\r\n", 45);
  folder.put(results::kStatisticsFileName, damaged);
  EXPECT_TRUE(file.load());
  const game::GameRecord easy{5, 2, 1, 2, {}, 60};
  EXPECT_EQ(file.statistics()[0], easy);

  loseAGame(file);
  EXPECT_EQ(folder.read(std::string(results::kStatisticsFileName) + ".damaged"), damaged);
  results::StatisticsFile again(path);
  EXPECT_FALSE(again.load());
  EXPECT_EQ(again.statistics()[0], easy);
  EXPECT_EQ(again.statistics()[game::statisticsKind(kQuatro)],
            (game::GameRecord{1, 0, 0, 0, {}, {}}));
  loseAGame(again);  // a clean file is simply replaced
  EXPECT_EQ(folder.entryCount(), 2u);
}

TEST(StatisticsFile, AFileThatCannotBeReadIsLeftAloneAndAFailedSaveIsToldOnce) {
#ifdef _WIN32
  GTEST_SKIP() << "the unreadable file is a named pipe";
#else
  ScratchFolder folder;
  const std::string path = folder.file(results::kStatisticsFileName);
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  std::vector<std::string> told;
  results::StatisticsFile unreadable(path);
  unreadable.onSaveFailure([&](const std::string& text) { told.push_back(text); });
  EXPECT_TRUE(unreadable.load());
  loseAGame(unreadable);
  EXPECT_TRUE(std::filesystem::is_fifo(path));
  EXPECT_TRUE(told.empty());  // said at loading

  results::StatisticsFile unsaved(folder.file("missing/Statistics.ini"));
  unsaved.onSaveFailure([&](const std::string& text) { told.push_back(text); });
  EXPECT_FALSE(unsaved.load());
  loseAGame(unsaved);
  loseAGame(unsaved);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("cannot be saved"), std::string::npos) << told[0];
  EXPECT_EQ(unsaved.statistics()[game::statisticsKind(kQuatro)].played, 2);
#endif
}

}  // namespace
