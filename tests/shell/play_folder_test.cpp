#include "shell/play_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_io.h"
#include "shell/command_line.h"
#include "tests/platform/file_size_limit.h"
#include "tests/platform/scratch_folder.h"

using namespace shell;

namespace {

TEST(PlayFolderTest, ChoosesNamedThenStartWithFilesThenPerUserFolder) {
  struct Case {
    const char* named;
    bool startHoldsFiles;
    const char* user;
    PlayFolderChoice expected;
  };
  const Case cases[] = {
      {"/named", true, "/user", {"/named", true}},
      {"", true, "/user", {"/start", false}},
      {"", false, "/user", {"/user", true}},
      {"", false, "", {"/start", false}},  // no home: the start folder, as before
  };
  for (const Case& c : cases) {
    const PlayFolderChoice got = choosePlayFolder(c.named, "/start", c.startHoldsFiles, c.user);
    EXPECT_EQ(got.folder, c.expected.folder) << c.named << c.startHoldsFiles << c.user;
    EXPECT_EQ(got.fill, c.expected.fill) << c.named << c.startHoldsFiles << c.user;
  }
}

TEST(PlayFolderTest, PerUserFolderFollowsXdgDataHomeThenHome) {
#ifdef _WIN32
  GTEST_SKIP() << "the per-user folder follows the rules of Linux desktops";
#endif
  EXPECT_EQ(userPlayFolder("/x/data", "/home/p", "game"), "/x/data/game");
  EXPECT_EQ(userPlayFolder("relative", "/home/p", "game"), "/home/p/.local/share/game");
  EXPECT_EQ(userPlayFolder(nullptr, "/home/p", "game"), "/home/p/.local/share/game");
  EXPECT_EQ(userPlayFolder(nullptr, "", "game"), "");
  EXPECT_EQ(userPlayFolder(nullptr, nullptr, "game"), "");
}

TEST(PlayFolderTest, RecognisesTheGameFilesWithoutRegardToCase) {
  ScratchFolder start;
  start.put("README.md", "x");
  EXPECT_FALSE(holdsGameFiles(start.str()));
  start.put("HIGHSCORE.INI", "x");
  EXPECT_TRUE(holdsGameFiles(start.str()));
}

TEST(PlayFolderTest, FillingCopiesOnlyWhatThePlayerLacks) {
  ScratchFolder data, home;
  data.put("Vessant.tvp", "default deck");
  data.put("mirt_1.wav", "default sound");
  data.put("Playlist.ini", "default list");
  home.put("mirt_1.wav", "player's sound");
  home.put("PLAYLIST.INI", "player's list");
  const std::string play = home.file("new/play");
  EXPECT_TRUE(fillPlayFolder(home.str(), data.str()).notCopied.empty());
  EXPECT_EQ(home.read("Vessant.tvp"), "default deck");
  EXPECT_EQ(home.read("mirt_1.wav"), "player's sound");
  EXPECT_EQ(home.read("PLAYLIST.INI"), "player's list");
  EXPECT_EQ(home.entryCount(), 3u);  // no second playlist, no temporary left
  EXPECT_TRUE(fillPlayFolder(play, data.str()).notCopied.empty());  // created, parents too
  const auto copied = platform::readFile(play + "/Playlist.ini");
  ASSERT_TRUE(copied);
  EXPECT_EQ(std::string(copied->begin(), copied->end()), "default list");
}

// A disk that fills up during the copy (the file size limit makes the write fail): the default
// file is reported and nothing of it is left in the play folder.
TEST(PlayFolderTest, ACopyThatFailsLeavesNothingBehind) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file size limit to make a write fail";
#else
  ScratchFolder data, home;
  data.put("Vessant.tvp", std::string(5000, 'x'));
  data.put("mirt_1.wav", "sound");
  FillOutcome outcome;
  {
    const FileSizeLimit fullDisk(1000);
    outcome = fillPlayFolder(home.str(), data.str());
  }
  EXPECT_EQ(outcome.notCopied, std::vector<std::string>{"Vessant.tvp"});
  EXPECT_EQ(home.entryCount(), 1u);  // the sound alone
#endif
}

// A named play folder that is a file: said in the notice for the message box, and the game stays
// in the folder it was started in.
TEST(CommandLineTest, APlayFolderThatCannotBeUsedIsSaidClearly) {
  ScratchFolder home;
  home.put("file", "x");
  const std::string named = home.file("file"), below = home.file("file/play");
  EXPECT_EQ(fillPlayFolder(below, home.str()).notCopied, std::vector<std::string>{});
  EXPECT_FALSE(fillPlayFolder(below, home.str()).folderError.empty());
  const std::filesystem::path start = std::filesystem::current_path();
  for (const std::string& folder : {named, below}) {
    const char* args[] = {"game", "--play-dir", folder.c_str()};
    std::string notice;
    EXPECT_EQ(enterPlayFolder(3, args, &notice), std::nullopt);
    EXPECT_EQ(std::filesystem::current_path(), start);
    EXPECT_EQ(notice.rfind("The play folder \"" + folder + "\" cannot be used: ", 0), 0u) << notice;
    EXPECT_NE(notice.find("The game plays in \"" + start.string() + "\" instead"),
              std::string::npos)
        << notice;
  }
}

TEST(CommandLineTest, ReadsTheGameOptionsAndLeavesTheRest) {
  const char* args[] = {"game", "-platform", "xcb", "--play-dir", "/p", "--version"};
  const StartOptions o = parseStartOptions(6, args);
  EXPECT_EQ(o.playDir, "/p");
  EXPECT_TRUE(o.version);
  EXPECT_FALSE(o.help);
  const char* joined[] = {"game", "--play-dir=/q", "-h"};
  EXPECT_EQ(parseStartOptions(3, joined).playDir, "/q");
  EXPECT_TRUE(parseStartOptions(3, joined).help);
  for (int argc : {2, 3}) {
    const char* missing[] = {"game", "--play-dir", ""};
    EXPECT_FALSE(parseStartOptions(argc, missing).error.empty()) << argc;
  }
  const char* empty[] = {"game", "--play-dir="};
  EXPECT_FALSE(parseStartOptions(2, empty).error.empty());
}

}  // namespace
