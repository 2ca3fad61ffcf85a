// Playback control against recording fakes of the two players and the table window.
#include "music/music_control.h"
#include "tests/music/music_fakes.h"
#include "tests/platform/scratch_folder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace music {
namespace {

using namespace fakes;

class MusicControlTest : public ::testing::Test {
 protected:
  MusicControlTest()
      : control(midi, mp3, host, [this](const std::string& path) { return !missing.count(path); }) {
  }

  void useSongs(Playlist songs) { control.setPlaylist(std::move(songs)); }
  // The music setting, the menu check mark and the song panel, as in "1 checked 'Waltz'".
  std::string shown() const {
    return std::string(1, host.music) + (host.checked ? " checked '" : " unchecked '") +
           host.panel + "'";
  }
  // Closes the editor with OK, handing back `items` and `chosen`.
  void editorOk(Playlist items, int chosen) {
    control.editPlaylist([&](Playlist& list, int& chosenSong) {
      list = items;
      chosenSong = chosen;
      return true;
    });
  }

  Log log;
  FakeMidi midi{log};
  FakeMp3 mp3{log};
  FakeHost host;
  std::set<std::string> missing;
  MusicControl control;
};

TEST_F(MusicControlTest, SongNameAndPlayerChoice) {
  EXPECT_EQ(songDisplayName("/home/p/music/Waltz.mid"), "Waltz");
  EXPECT_EQ(songDisplayName("C:\\Music\\my.song.MP3"), "my.song");
  EXPECT_EQ(songDisplayName("plain"), "plain");
  EXPECT_TRUE(isMp3Song("a.MP3"));
  EXPECT_TRUE(isMp3Song("a.mp3"));
  EXPECT_FALSE(isMp3Song("a.mid"));
  EXPECT_FALSE(isMp3Song("a.mp4"));
  EXPECT_FALSE(isMp3Song(""));
}

TEST_F(MusicControlTest, MusicOnStartsTheCurrentSongOnTheRightPlayer) {
  useSongs({"dir/one.mid", "two.MP3"});
  control.toggleMusic();
  EXPECT_EQ(log, (Log{"midi open dir/one.mid", "midi play"}));
  EXPECT_EQ(shown(), "1 checked 'one'");

  log.clear();
  control.nextSong();
  EXPECT_EQ(log, (Log{"midi stop", "midi close", "mp3 open two.MP3", "mp3 play"}));
  EXPECT_EQ(shown(), "2 checked 'two'");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(MusicControlTest, MusicOnWithEmptyPlaylistDoesNothing) {
  control.toggleMusic();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(shown(), "0 unchecked 'untouched'");
}

TEST_F(MusicControlTest, MusicOffStopsThePlayerAndOnRestartsTheSameSong) {
  useSongs({"a.mid", "b.mp3"});
  control.toggleMusic();
  control.toggleMusic();
  EXPECT_EQ(shown(), "0 unchecked ''");
  EXPECT_FALSE(control.ignoreNextNotify());
  // The stopped song's notice finds the music off and changes nothing.
  control.midiSongCompleted();
  EXPECT_EQ(host.music, '0');

  control.nextSong();  // nothing while off
  control.previousSong();
  EXPECT_EQ(control.currentSong(), 0);
  log.clear();
  control.toggleMusic();
  EXPECT_EQ(log, (Log{"midi open a.mid", "midi play"}));

  control.nextSong();
  log.clear();
  control.toggleMusic();
  EXPECT_EQ(log, (Log{"mp3 stop", "mp3 close"}));
  EXPECT_EQ(host.music, '0');
  EXPECT_EQ(control.currentSong(), 1);
}

TEST_F(MusicControlTest, NextAndPreviousWrapAround) {
  useSongs({"a.mid", "b.mid", "c.mid"});
  control.toggleMusic();
  control.previousSong();
  EXPECT_EQ(control.currentSong(), 2);
  EXPECT_EQ(host.panel, "c");
  control.nextSong();
  EXPECT_EQ(control.currentSong(), 0);
  control.nextSong();
  EXPECT_EQ(control.currentSong(), 1);
  control.previousSong();
  EXPECT_EQ(control.currentSong(), 0);
}

TEST_F(MusicControlTest, WithOneSongNextAndPreviousRestartIt) {
  useSongs({"only.mp3"});
  control.toggleMusic();
  log.clear();
  control.nextSong();
  control.previousSong();
  EXPECT_EQ(log, (Log{"mp3 stop", "mp3 close", "mp3 open only.mp3", "mp3 play", "mp3 stop",
                      "mp3 close", "mp3 open only.mp3", "mp3 play"}));
  EXPECT_EQ(control.currentSong(), 0);
}

TEST_F(MusicControlTest, NoticeOfAStoppedMidiSongIsIgnoredOnceThenSongsAdvance) {
  useSongs({"a.mid", "b.mid", "c.mid"});
  control.toggleMusic();
  control.nextSong();  // a.mid is stopped; its notice comes after b.mid started
  EXPECT_TRUE(control.ignoreNextNotify());
  log.clear();
  control.midiSongCompleted();
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(control.ignoreNextNotify());
  EXPECT_EQ(control.currentSong(), 1);

  control.midiSongCompleted();  // b.mid ended by itself
  EXPECT_EQ(log, (Log{"midi stop", "midi close", "midi open c.mid", "midi play"}));
  EXPECT_EQ(control.currentSong(), 2);
  control.midiSongCompleted();
  EXPECT_EQ(control.currentSong(), 0);
}

TEST_F(MusicControlTest, EndOfAnMp3SongAdvances) {
  useSongs({"a.mp3", "b.mid"});
  control.toggleMusic();
  log.clear();
  control.mp3SongEnded();
  EXPECT_EQ(log, (Log{"mp3 close", "midi open b.mid", "midi play"}));
  EXPECT_EQ(control.currentSong(), 1);
  EXPECT_EQ(host.music, '1');
}

TEST_F(MusicControlTest, MissingFileStopsTheMusicAndKeepsTheSong) {
  useSongs({"a.mid", "gone.mid", "c.mid"});
  missing.insert("gone.mid");
  control.toggleMusic();
  log.clear();
  control.nextSong();
  EXPECT_EQ(log, (Log{"midi stop", "midi close"}));
  EXPECT_EQ(host.messages,
            (std::vector<Message>{{"Cound not find music file!!!", "Error", MessageIcon::None}}));
  EXPECT_EQ(shown(), "0 unchecked ''");
  EXPECT_EQ(control.currentSong(), 1);

  log.clear();
  missing.clear();
  control.toggleMusic();  // tries the same song again
  EXPECT_EQ(log, (Log{"midi open gone.mid", "midi play"}));
}

TEST_F(MusicControlTest, FailedMp3OpenOrPlayStopsTheMusicWithItsMessage) {
  useSongs({"a.mp3"});
  for (bool openWorks : {false, true}) {
    mp3.openWorks = openWorks;
    mp3.playWorks = false;
    log.clear();
    host.messages.clear();
    control.toggleMusic();
    EXPECT_EQ(log.back(), "mp3 close");
    EXPECT_EQ(host.messages, (std::vector<Message>{{"Error playing mp3 file !!", "System error",
                                                    MessageIcon::Information}}));
    EXPECT_EQ(shown(), "0 unchecked ''");
  }
}

TEST_F(MusicControlTest, SequencerFailuresShowTheirMessages) {
  useSongs({"a.mid"});
  midi.openFailure = SequencerFailure{4, "The file is not a standard MIDI file."};
  control.toggleMusic();
  EXPECT_EQ(log, (Log{"midi open a.mid"}));
  EXPECT_EQ(host.messages, (std::vector<Message>{{"Error 4: The file is not a standard MIDI file.",
                                                  "", MessageIcon::None}}));
  EXPECT_EQ(shown(), "0 unchecked ''");

  midi.openFailure.reset();
  midi.playError = 7;
  host.messages.clear();
  control.toggleMusic();
  EXPECT_EQ(host.messages, (std::vector<Message>{{"Error playing midi file !!", "System error",
                                                  MessageIcon::Information}}));
  EXPECT_EQ(shown(), "0 unchecked ''");
}

TEST_F(MusicControlTest, EditorOkWhileOffStartsTheChosenSong) {
  editorOk({"a.mid", "b.mp3", "c.mid"}, 1);
  EXPECT_EQ(control.playlist(), (Playlist{"a.mid", "b.mp3", "c.mid"}));
  EXPECT_EQ(control.currentSong(), 1);
  EXPECT_EQ(log, (Log{"mp3 open b.mp3", "mp3 play"}));
  EXPECT_EQ(shown(), "2 checked 'b'");
}

TEST_F(MusicControlTest, EditorOkWithASongStopsThePlayingOneFirst) {
  useSongs({"a.mid", "b.mid"});
  control.toggleMusic();
  log.clear();
  editorOk({"b.mid", "a.mid"}, 1);
  EXPECT_EQ(log, (Log{"midi stop", "midi close", "midi open a.mid", "midi play"}));
  EXPECT_TRUE(control.ignoreNextNotify());
}

TEST_F(MusicControlTest, EditorOkWithoutSongStopsTheMusicAndKeepsTheIndexValid) {
  useSongs({"a.mid", "b.mid", "c.mid"});
  control.toggleMusic();
  control.nextSong();
  control.nextSong();
  log.clear();
  editorOk({}, -1);
  EXPECT_EQ(log, (Log{"midi stop", "midi close"}));
  EXPECT_EQ(shown(), "0 unchecked ''");
  EXPECT_EQ(control.currentSong(), 0);

  // While off, a shortened list with no song chosen still leaves a valid index.
  useSongs({"a.mid", "b.mid", "c.mid"});
  control.toggleMusic();
  control.nextSong();
  control.nextSong();
  control.toggleMusic();
  editorOk({"a.mid"}, -1);
  EXPECT_EQ(control.currentSong(), 0);
  log.clear();
  control.toggleMusic();
  EXPECT_EQ(log, (Log{"midi open a.mid", "midi play"}));
}

TEST_F(MusicControlTest, EditorWorksOnACopyAndCancelChangesNothing) {
  useSongs({"a.mid", "b.mid"});
  Playlist seen;
  control.editPlaylist([&](Playlist& list, int& chosen) {
    seen = list;
    list.clear();
    chosen = -1;
    return false;
  });
  EXPECT_EQ(seen, (Playlist{"a.mid", "b.mid"}));
  EXPECT_EQ(control.playlist(), (Playlist{"a.mid", "b.mid"}));
  EXPECT_TRUE(log.empty());
}

TEST_F(MusicControlTest, StartUpWithoutPlaylistFileTurnsMusicOff) {
  host.music = '1';
  control.loadPlaylistAtStartup("/nonexistent/folder/for/music/tests");
  EXPECT_EQ(host.music, '0');
  control.startMusicAtStartup();
  EXPECT_TRUE(log.empty());
}

TEST_F(MusicControlTest, StartUpReportsAPlaylistReadInPart) {
  ScratchFolder dir;
  dir.put("Playlist.ini", std::string("a.mid\r\nb\0\r\n", 10));
  control.loadPlaylistAtStartup(dir.str());
  EXPECT_EQ(control.playlist(), (Playlist{"a.mid", "b"}));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text.find(dir.file("Playlist.ini")), std::string::npos);
}

TEST_F(MusicControlTest, StartUpWithMusicOnPlaysTheFirstSongAndEmptyListMeansOff) {
  host.music = '2';
  useSongs({"a.mid", "b.mp3"});
  control.startMusicAtStartup();
  EXPECT_EQ(log, (Log{"midi open a.mid", "midi play"}));
  EXPECT_EQ(host.music, '1');

  log.clear();
  useSongs({});
  control.startMusicAtStartup();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(host.music, '0');
  EXPECT_FALSE(host.checked);
}

TEST_F(MusicControlTest, ShutDownStopsThePlayerInUse) {
  useSongs({"a.mp3"});
  control.toggleMusic();
  log.clear();
  control.shutDown();
  EXPECT_EQ(log, (Log{"mp3 stop", "mp3 close"}));
  host.music = '1';
  log.clear();
  control.shutDown();
  EXPECT_EQ(log, (Log{"midi stop", "midi close"}));
}

}  // namespace
}  // namespace music
