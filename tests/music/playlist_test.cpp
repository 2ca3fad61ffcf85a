// The playlist file and the editor's list operations.
#include "playlist_edits.h"
#include "playlist_file.h"

#include "file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace music {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class PlaylistFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("playlist_test_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  void writeRaw(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string readRaw(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path dir_;
};

TEST_F(PlaylistFileTest, SaveWritesCrLfAfterEveryEntryAndLoadsBack) {
  const Playlist songs = {"/music/a.mid", "b.mp3", "C:\\songs\\c.MID"};
  EXPECT_FALSE(savePlaylist(songs, dir_.string()));
  EXPECT_EQ(readRaw("Playlist.ini"), "/music/a.mid\r\nb.mp3\r\nC:\\songs\\c.MID\r\n");
  EXPECT_EQ(loadPlaylist(dir_.string()), songs);
}

TEST_F(PlaylistFileTest, EmptyListSavesAnEmptyFileThatLoadsAsEmptyList) {
  writeRaw("Playlist.ini", "old contents\r\n");
  EXPECT_FALSE(savePlaylist({}, dir_.string()));
  EXPECT_EQ(readRaw("Playlist.ini"), "");
  ASSERT_TRUE(loadPlaylist(dir_.string()));
  EXPECT_TRUE(loadPlaylist(dir_.string())->empty());
}

TEST_F(PlaylistFileTest, LineRulesOfLoading) {
  struct Case {
    std::string bytes;
    Playlist expected;
  } cases[] = {
      {"a.mid\r\nb.mid", {"a.mid", "b.mid"}},                // last line without terminator
      {"a.mid\r\n\r\nb.mid\r\n", {"a.mid", "", "b.mid"}},   // blank line: empty entry
      {"a.mid\rb.mid\nc.mid\r\n", {"a.mid", "b.mid", "c.mid"}},
      {"a.mid\r\nb.m\0id\r\nc.mid\r\n"s, {"a.mid", "b.m"}},  // NUL ends the text
      {"\r\n", {""}},
      {"", {}},
  };
  for (const Case& c : cases) {
    writeRaw("Playlist.ini", c.bytes);
    EXPECT_EQ(loadPlaylist(dir_.string()), c.expected) << testing::PrintToString(c.bytes);
  }
}

TEST_F(PlaylistFileTest, NameIsMatchedWithoutRegardToCaseAndMissingFileGivesNothing) {
  EXPECT_FALSE(loadPlaylist(dir_.string()));
  writeRaw("PLAYLIST.INI", "x.mid\r\n");
  EXPECT_EQ(loadPlaylist(dir_.string()), Playlist{"x.mid"});
}

TEST_F(PlaylistFileTest, SavePathIsPlaylistIniInTheStartDirectory) {
  EXPECT_EQ(playlistSavePath("/home/player/cards"), "/home/player/cards/Playlist.ini");
  EXPECT_EQ(playlistSavePath("/"), "/Playlist.ini");
}

TEST_F(PlaylistFileTest, FailedSaveReportsAndKeepsTheOldFile) {
  if (::geteuid() == 0) {
    // Root may write into a read-only folder; a folder that does not exist fails for everyone.
    const auto message = savePlaylist({"a.mid"}, (dir_ / "missing").string());
    ASSERT_TRUE(message);
    EXPECT_NE(message->find("Playlist.ini"), std::string::npos);
    return;
  }
  writeRaw("Playlist.ini", "old.mid\r\n");
  fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::remove);
  const auto message = savePlaylist({"new.mid"}, dir_.string());
  ASSERT_TRUE(message);
  EXPECT_NE(message->find((dir_ / "Playlist.ini").string()), std::string::npos);
  EXPECT_EQ(readRaw("Playlist.ini"), "old.mid\r\n");
}

TEST(PlaylistEdits, InsertPutsChosenFilesBeforeTheSelectedEntryInReverseOrder) {
  EditedList list{{"A", "B", "X", "Y"}, 2};
  insertSongsBeforeSelected(list, {"F1", "F2", "F3"});
  EXPECT_EQ(list.items, (Playlist{"A", "B", "F3", "F2", "F1", "X", "Y"}));
  EXPECT_EQ(list.selected, 5);
  EXPECT_EQ(list.items[list.selected], "X");
}

TEST(PlaylistEdits, InsertAndDeleteWithoutSelectionDoNothing) {
  EditedList list{{"A", "B"}, -1};
  insertSongsBeforeSelected(list, {"F1"});
  deleteSelectedSong(list);
  EXPECT_EQ(list.items, (Playlist{"A", "B"}));
}

TEST(PlaylistEdits, AddAppendsInDialogOrderAndDeleteRemovesTheSelectedEntry) {
  EditedList list{{"A", "B", "C"}, 1};
  appendSongs(list, {"D", "E"});
  EXPECT_EQ(list.items, (Playlist{"A", "B", "C", "D", "E"}));
  EXPECT_EQ(list.selected, 1);
  deleteSelectedSong(list);
  EXPECT_EQ(list.items, (Playlist{"A", "C", "D", "E"}));
  EXPECT_EQ(list.selected, -1);
}

TEST(PlaylistEdits, DraggedEntryTakesThePlaceOfTheEntryItWasDroppedOn) {
  EditedList down{{"0", "1", "2", "3", "4"}, 1};
  EXPECT_TRUE(moveSong(down, 1, 3));
  EXPECT_EQ(down.items, (Playlist{"0", "2", "3", "1", "4"}));
  EXPECT_EQ(down.selected, 3);

  EditedList up{{"0", "1", "2", "3", "4"}, 3};
  EXPECT_TRUE(moveSong(up, 3, 1));
  EXPECT_EQ(up.items, (Playlist{"0", "3", "1", "2", "4"}));

  EditedList self{{"0", "1", "2"}, 1};
  EXPECT_TRUE(moveSong(self, 1, 1));
  EXPECT_EQ(self.items, (Playlist{"0", "1", "2"}));
}

TEST(PlaylistEdits, DropWithoutExistingSourceOrTargetChangesNothing) {
  EditedList list{{"0", "1", "2"}, -1};
  EXPECT_FALSE(moveSong(list, -1, 1));
  EXPECT_FALSE(moveSong(list, 0, 3));
  EXPECT_FALSE(moveSong(list, 5, 0));
  EXPECT_EQ(list.items, (Playlist{"0", "1", "2"}));
  EXPECT_EQ(list.selected, -1);
}

TEST(PlaylistEdits, ChosenSongOfOkAndDoubleClick) {
  EXPECT_EQ(chosenSongForOk(EditedList{{}, -1}), -1);
  EXPECT_EQ(chosenSongForOk(EditedList{{"a", "b"}, -1}), 0);
  EXPECT_EQ(chosenSongForOk(EditedList{{"a", "b"}, 1}), 1);
  EXPECT_EQ(chosenSongForDoubleClick(EditedList{{"a", "b"}, -1}), -1);
  EXPECT_EQ(chosenSongForDoubleClick(EditedList{{"a", "b"}, 1}), 1);
}

}  // namespace
}  // namespace music
