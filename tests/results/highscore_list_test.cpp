#include "results/highscore_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_io.h"
#include "tests/platform/scratch_folder.h"

namespace fs = std::filesystem;
using namespace results;
using Lines = std::vector<std::string>;

namespace {

// Rows as "name score time" for compact comparisons.
std::string row(const HighscoreList& list, int r) {
  return list.name(r) + " " + list.score(r) + " " + list.time(r);
}

class HighscoreFileTest : public ::testing::Test {
 protected:
  void put(const std::string& text) const { dir.put(kHighscoreFileName, text); }
  std::string contents() const { return dir.read(kHighscoreFileName); }
  ScratchFolder dir;
};

Lines numbered(int count) {
  Lines lines;
  for (int i = 0; i < count; ++i) lines.push_back(std::to_string(1000 - i));
  return lines;
}

}  // namespace

TEST(defaultHighscores, TenRowsOfTavi) {
  const HighscoreList list = defaultHighscores();
  ASSERT_EQ(list.lines.size(), 30u);
  EXPECT_EQ(row(list, 0), "TAVI 350 10");
  EXPECT_EQ(row(list, 3), "TAVI 200 40");
  EXPECT_EQ(row(list, 6), "TAVI 50 70");
  EXPECT_EQ(row(list, 9), "TAVI 20 100");
}

TEST(highscoreValue, OnlyDecimalIntegersCount) {
  EXPECT_EQ(highscoreValue("350"), 350);
  EXPECT_EQ(highscoreValue("-2147483648"), INT32_MIN);
  EXPECT_EQ(highscoreValue("-52"), -52);
  for (const char* bad : {"", "abc", "12abc", " 12", "1.5", "-", "99999999999"}) {
    EXPECT_EQ(highscoreValue(bad), 0) << bad;
  }
}

TEST(placeResult, BestResultTakesFirstPlaceAndDropsTheTenth) {
  HighscoreList list = defaultHighscores();
  EXPECT_EQ(placeResult(list, "400", "300"), 0);
  EXPECT_EQ(row(list, 0), "TAVI 400 300");
  EXPECT_EQ(row(list, 1), "TAVI 350 10");
  EXPECT_EQ(row(list, 9), "TAVI 30 90");
}

TEST(placeResult, EqualScoreGoesAboveEqualOrLongerTime) {
  HighscoreList equal = defaultHighscores();
  equal.name(3) = "Ann";
  EXPECT_EQ(placeResult(equal, "200", "40"), 3);
  EXPECT_EQ(row(equal, 3), "Ann 200 40");  // name stays until confirmed; old row moved down
  EXPECT_EQ(row(equal, 4), "Ann 200 40");
  EXPECT_EQ(row(equal, 5), "TAVI 150 50");

  HighscoreList longer = defaultHighscores();
  EXPECT_EQ(placeResult(longer, "200", "41"), 4);
  EXPECT_EQ(row(longer, 3), "TAVI 200 40");
  EXPECT_EQ(row(longer, 4), "TAVI 200 41");
  EXPECT_EQ(row(longer, 5), "TAVI 150 50");
}

TEST(placeResult, BelowTheTenBestLeavesListUnchanged) {
  for (const auto& [score, time] : {std::pair{"19", "1"}, std::pair{"20", "101"}}) {
    HighscoreList list = defaultHighscores();
    EXPECT_EQ(placeResult(list, score, time), kNotPlaced);
    EXPECT_EQ(list.lines, defaultHighscores().lines);
  }
  HighscoreList last = defaultHighscores();
  EXPECT_EQ(placeResult(last, "20", "100"), 9);
  EXPECT_EQ(row(last, 9), "TAVI 20 100");
}

TEST(placeResult, TwoResultsInARow) {
  HighscoreList list = defaultHighscores();
  list.name(0) = "First";
  EXPECT_EQ(placeResult(list, "300", "15"), 1);
  EXPECT_EQ(placeResult(list, "500", "99"), 0);
  EXPECT_EQ(row(list, 0), "First 500 99");
  EXPECT_EQ(row(list, 1), "First 350 10");
  EXPECT_EQ(row(list, 2), "TAVI 300 15");
  EXPECT_EQ(row(list, 3), "TAVI 300 20");
}

TEST(placeResult, GarbageRowsCountAsZero) {
  HighscoreList list = defaultHighscores();
  list.score(9) = "lots";
  EXPECT_EQ(placeResult(list, "-5", "10"), kNotPlaced);
  EXPECT_EQ(placeResult(list, "0", "10"), 9);
  EXPECT_EQ(list.score(9), "0");
}

TEST_F(HighscoreFileTest, MissingFileGivesDefaults) {
  EXPECT_EQ(loadHighscores(dir.str()).lines, defaultHighscores().lines);
  EXPECT_FALSE(fs::exists(dir.file(kHighscoreFileName)));  // defaults are not written at load
}

TEST_F(HighscoreFileTest, TwentyLinesGetTimeTen) {
  dir.put("HIGHSCORE.INI", platform::joinLinesCrLf(numbered(20)));
  const HighscoreList list = loadHighscores(dir.str());
  ASSERT_EQ(list.lines.size(), 30u);
  EXPECT_EQ(list.score(9), "981");
  for (int r = 0; r < kHighscoreRows; ++r) EXPECT_EQ(list.time(r), "10");
}

TEST_F(HighscoreFileTest, ShortFileCompletedFromDefaults) {
  put("Bob\n\n7\r");
  const HighscoreList list = loadHighscores(dir.str());
  ASSERT_EQ(list.lines.size(), 30u);
  EXPECT_EQ(list.name(0), "Bob");
  EXPECT_EQ(list.name(1), "");
  EXPECT_EQ(list.name(2), "7");
  EXPECT_EQ(row(list, 3), "TAVI 200 40");
}

TEST_F(HighscoreFileTest, LinesPastThirtyAreWrittenBack) {
  Lines lines = numbered(35);
  lines[0] = "";
  lines[32] = "kept extra";
  put(platform::joinLinesCrLf(lines));
  HighscoreList list = loadHighscores(dir.str());
  EXPECT_EQ(list.lines, lines);
  list.name(0) = "Eve";
  ASSERT_FALSE(saveHighscores(list, dir.str()));
  lines[0] = "Eve";
  EXPECT_EQ(contents(), platform::joinLinesCrLf(lines));
}

// A long file is read whole. A NUL byte cuts only its own line; the file read in part is reported
// and no entry writes the list over it.
TEST_F(HighscoreFileTest, LongOrDamagedFileIsNeverSavedShorter) {
  Lines rows = numbered(30);
  rows[0] = std::string(2 << 20, 'n');
  put(platform::joinLinesCrLf(rows));
  std::string notice;
  EXPECT_EQ(loadHighscores(dir.str(), &notice).lines, rows);
  EXPECT_EQ(notice, "");

  rows = numbered(30);
  rows[14] = std::string(
      "98\0"
      "6",
      4);
  const std::string damaged = platform::joinLinesCrLf(rows);
  put(damaged);
  HighscoreList list = loadHighscores(dir.str(), &notice);
  rows[14] = "98";
  EXPECT_EQ(list.lines, rows);
  EXPECT_NE(notice.find(dir.file(kHighscoreFileName)), std::string::npos);
  EXPECT_EQ(placeResult(list, "5000", "1"), 0);
  EXPECT_EQ(saveHighscores(list, dir.str()), "Cannot create file " + dir.file(kHighscoreFileName));
  EXPECT_EQ(contents(), damaged);
}

TEST_F(HighscoreFileTest, SaveWritesCrLfAndReadsBack) {
  HighscoreList list = defaultHighscores();
  list.name(4) = "";
  ASSERT_FALSE(saveHighscores(list, dir.str()));
  EXPECT_EQ(contents().substr(0, 12), "TAVI\r\nTAVI\r\n");
  EXPECT_EQ(contents().substr(contents().size() - 5), "100\r\n");
  EXPECT_EQ(loadHighscores(dir.str()).lines, list.lines);
}

TEST_F(HighscoreFileTest, SaveReplacesExistingFileWhateverItsCase) {
  dir.put("highscore.INI", "old\n");
  ASSERT_FALSE(saveHighscores(defaultHighscores(), dir.str()));
  EXPECT_EQ(dir.read("highscore.INI"), platform::joinLinesCrLf(defaultHighscores().lines));
  EXPECT_EQ(dir.entryCount(), 1u);  // no second file beside it where case tells them apart
}

TEST_F(HighscoreFileTest, FailedSaveKeepsOldFileAndNamesThePath) {
  const std::string missingDir = dir.file("gone");
  const auto message = saveHighscores(defaultHighscores(), missingDir);
  ASSERT_TRUE(message);
  EXPECT_EQ(*message, "Cannot create file " + missingDir + "/Highscore.ini");

  // A folder of that name in the way: the write fails and the folder's contents stay.
  fs::create_directory(dir.file(kHighscoreFileName));
  dir.put("Highscore.ini/inside", "kept");
  ASSERT_TRUE(saveHighscores(defaultHighscores(), dir.str()));
  EXPECT_EQ(dir.read("Highscore.ini/inside"), "kept");
  EXPECT_EQ(dir.entryCount(), 1u);
}
