// The playlist file and the editor's list operations.
#include "music/playlist_edits.h"
#include "music/playlist_file.h"

#include "tests/platform/scratch_folder.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif
#include <filesystem>

namespace music {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class PlaylistFileTest : public ::testing::Test {
 protected:
  ScratchFolder dir;
};

TEST_F(PlaylistFileTest, SaveWritesCrLfAfterEveryEntryAndLoadsBack) {
  const Playlist songs = {"/music/a.mid", "b.mp3", "C:\\songs\\c.MID"};
  EXPECT_FALSE(savePlaylist(songs, dir.str()));
  EXPECT_EQ(dir.read("Playlist.ini"), "/music/a.mid\r\nb.mp3\r\nC:\\songs\\c.MID\r\n");
  EXPECT_EQ(loadPlaylist(dir.str()), songs);
}

TEST_F(PlaylistFileTest, EmptyListSavesAnEmptyFileThatLoadsAsEmptyList) {
  dir.put("Playlist.ini", "old contents\r\n");
  EXPECT_FALSE(savePlaylist({}, dir.str()));
  EXPECT_EQ(dir.read("Playlist.ini"), "");
  ASSERT_TRUE(loadPlaylist(dir.str()));
  EXPECT_TRUE(loadPlaylist(dir.str())->empty());
}

TEST_F(PlaylistFileTest, LineRulesOfLoading) {
  struct Case {
    std::string bytes;
    Playlist expected;
  } cases[] = {
      {"a.mid\r\nb.mid", {"a.mid", "b.mid"}},              // last line without terminator
      {"a.mid\r\n\r\nb.mid\r\n", {"a.mid", "", "b.mid"}},  // blank line: empty entry
      {"a.mid\rb.mid\nc.mid\r\n", {"a.mid", "b.mid", "c.mid"}},
      {"a.mid\r\nb.m\0id\r\nc.mid\r\n"s, {"a.mid", "b.m", "c.mid"}},  // NUL ends its line
      {"\r\n", {""}},
      {"", {}},
  };
  for (const Case& c : cases) {
    dir.put("Playlist.ini", c.bytes);
    EXPECT_EQ(loadPlaylist(dir.str()), c.expected) << testing::PrintToString(c.bytes);
  }
}

// A long playlist is read whole; one read in part (a NUL byte cuts its line) is reported and no
// Save writes over it.
TEST_F(PlaylistFileTest, LongOrDamagedFileIsNeverSavedShorter) {
  const Playlist many(400000, "/music/song.mid");
  std::string text;
  for (const std::string& song : many) text += song + "\r\n";
  dir.put("Playlist.ini", text);
  std::string notice;
  EXPECT_EQ(loadPlaylist(dir.str(), &notice), many);
  EXPECT_EQ(notice, "");

  const std::string damaged = "a.mid\r\nb\0.mid\r\nc.mid\r\n"s;
  dir.put("Playlist.ini", damaged);
  EXPECT_EQ(loadPlaylist(dir.str(), &notice), (Playlist{"a.mid", "b", "c.mid"}));
  EXPECT_NE(notice.find(dir.file("Playlist.ini")), std::string::npos);
  const auto message = savePlaylist({"a.mid", "b", "c.mid"}, dir.str());
  ASSERT_TRUE(message);
  EXPECT_NE(message->find(dir.file("Playlist.ini")), std::string::npos);
  EXPECT_EQ(dir.read("Playlist.ini"), damaged);
}

TEST_F(PlaylistFileTest, NameIsMatchedWithoutRegardToCaseAndMissingFileGivesNothing) {
  EXPECT_FALSE(loadPlaylist(dir.str()));
  dir.put("PLAYLIST.INI", "x.mid\r\n");
  EXPECT_EQ(loadPlaylist(dir.str()), Playlist{"x.mid"});
}

TEST_F(PlaylistFileTest, SavePathIsPlaylistIniInTheStartDirectory) {
  EXPECT_EQ(playlistSavePath("/home/player/cards"), "/home/player/cards/Playlist.ini");
  EXPECT_EQ(playlistSavePath("/"), "/Playlist.ini");
}

TEST_F(PlaylistFileTest, FailedSaveReportsAndKeepsTheOldFile) {
#ifdef _WIN32
  const bool writesIntoReadOnlyFolders = true;  // the folder's attribute does not stop saving
#else
  const bool writesIntoReadOnlyFolders = ::geteuid() == 0;
#endif
  if (writesIntoReadOnlyFolders) {
    // Root may write into a read-only folder; a folder that does not exist fails for everyone.
    const auto message = savePlaylist({"a.mid"}, dir.file("missing"));
    ASSERT_TRUE(message);
    EXPECT_NE(message->find("Playlist.ini"), std::string::npos);
    return;
  }
  dir.put("Playlist.ini", "old.mid\r\n");
  fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::remove);
  const auto message = savePlaylist({"new.mid"}, dir.str());
  ASSERT_TRUE(message);
  EXPECT_NE(message->find(dir.file("Playlist.ini")), std::string::npos);
  EXPECT_EQ(dir.read("Playlist.ini"), "old.mid\r\n");
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

TEST(PlaylistEdits, DraggedEntryTakesThePlaceOfTheEntryItWasDroppedOnAndIsSelected) {
  const struct {
    Playlist before;
    int from, to;
    Playlist after;
  } drags[] = {
      {{"0", "1", "2", "3", "4"}, 1, 3, {"0", "2", "3", "1", "4"}},
      {{"0", "1", "2", "3", "4"}, 3, 1, {"0", "3", "1", "2", "4"}},
      {{"0", "1", "2"}, 1, 1, {"0", "1", "2"}},
  };
  for (const auto& drag : drags) {
    SCOPED_TRACE(testing::Message() << drag.from << " onto " << drag.to);
    EditedList list{drag.before, drag.from};
    EXPECT_TRUE(moveSong(list, drag.from, drag.to));
    EXPECT_EQ(list.items, drag.after);
    EXPECT_EQ(list.selected, drag.to);
  }
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
