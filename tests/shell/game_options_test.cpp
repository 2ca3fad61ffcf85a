#include "shell/game_options.h"

#include <gtest/gtest.h>

#include "tests/platform/scratch_folder.h"

using shell::GameOptions;
using namespace std::literals;

TEST(GameOptions, ReadsTheFlagLenientlyAndKeepsTheDefaultOtherwise) {
  const struct {
    std::string_view text;
    bool winnable;
  } cases[] = {
      {"WinnableDealsOnly=1\r\n", true},
      {"  winnabledealsonly =\tYes", true},
      {"Other=1\nWinnableDealsOnly=true\nWinnableDealsOnly=0\n", false},  // the last one counts
      {"WinnableDealsOnly=maybe", false},
      {"WinnableDealsOnly", false},
      {"=1\nWinnableDealsOnlyX=1", false},
      {"WinnableDealsOnly=1\0junk"sv, true},
      {"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(shell::parseGameOptions(c.text).winnableDealsOnly, c.winnable);
  }
}

TEST(GameOptions, WrittenOptionsReadBackAndAMissingFileGivesTheDefaults) {
  ScratchFolder dir;
  EXPECT_EQ(shell::readGameOptions(dir.str()), GameOptions{});
  for (bool winnable : {true, false}) {
    ASSERT_TRUE(shell::writeGameOptions({winnable}, dir.str()));
    EXPECT_EQ(shell::readGameOptions(dir.str()).winnableDealsOnly, winnable);
  }
  EXPECT_EQ(dir.read(shell::kGameOptionsFile), "WinnableDealsOnly=0\r\n");
}

// Animations on and autodrop off by default; a file keeps either once it is changed.
TEST(GameOptions, AnimationsAndAutodropReadBackAndStayOutOfAFileAtTheirDefaults) {
  const shell::GameOptions defaults;
  EXPECT_TRUE(defaults.animations);
  EXPECT_FALSE(defaults.autodrop);
  EXPECT_EQ(shell::formatGameOptions(defaults), "WinnableDealsOnly=0\r\n");
  shell::GameOptions changed;
  changed.animations = false;
  changed.autodrop = true;
  EXPECT_EQ(shell::parseGameOptions(shell::formatGameOptions(changed)), changed);
  EXPECT_EQ(shell::parseGameOptions("animations = no\nAUTODROP=yes"), changed);
}

TEST(GameOptions, EveryZoomReadsBackAndAnUnknownOneLeavesTheDefault) {
  using shell::Zoom;
  for (Zoom zoom : {Zoom::Percent150, Zoom::Percent200, Zoom::FitWindow, Zoom::Percent100}) {
    GameOptions options;
    options.zoom = zoom;
    EXPECT_EQ(shell::parseGameOptions(shell::formatGameOptions(options)), options);
  }
  EXPECT_EQ(shell::parseGameOptions(" zoom = fit ").zoom, Zoom::FitWindow);
  for (std::string_view bad : {"Zoom=175", "Zoom=", "Zoom=1500", "Zoom=Fitting"})
    EXPECT_EQ(shell::parseGameOptions(bad).zoom, Zoom::Percent100) << bad;
}

// Options.ini is read whole up to the limit of every player's file; one that cannot be read
// whole, or at all, is reported and not saved over.
TEST(GameOptions, AFileReadOnlyInPartOrNotAtAllIsReportedAndKept) {
  ScratchFolder dir;
  const std::string big = std::string(70 * 1024, ';') + "\r\nWinnableDealsOnly=1\r\n";
  dir.put(shell::kGameOptionsFile, big);
  std::string notice;
  EXPECT_TRUE(shell::readGameOptions(dir.str(), &notice).winnableDealsOnly);
  EXPECT_EQ(notice, "");
  const std::string cut = "Zoom=200\r\nWinnableDealsOnly=1\0"s + big;
  dir.put(shell::kGameOptionsFile, cut);
  EXPECT_EQ(shell::readGameOptions(dir.str(), &notice).zoom, shell::Zoom::Percent200);
  EXPECT_NE(notice, "");
  EXPECT_FALSE(shell::writeGameOptions({}, dir.str()));
  EXPECT_EQ(dir.read(shell::kGameOptionsFile), cut);
}
