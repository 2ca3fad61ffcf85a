#pragma once
// Background music: plays the playlist song after song, MP3 files on the MP3 player and
// everything else on the MIDI sequencer, driven by the "&Music" menu, the players' end notices
// and the table window's start-up and shut-down. Runs on the user-interface thread only.
#include "music/music_outputs.h"
#include "music/playlist_file.h"

#include <functional>
#include <string>

namespace music {

using FileCheck = std::function<bool(const std::string& path)>;

// True when `path` names an existing file (relative paths: from the current directory).
bool songFileExists(const std::string& path);
// The song's name as the status bar shows it: no folder, no extension.
std::string songDisplayName(const std::string& path);
// Songs whose path ends in '3' (".mp3", ".MP3") are MP3 files; all others go to the sequencer.
bool isMp3Song(const std::string& path);

class MusicControl {
 public:
  // Runs the playlist editor on a copy of the playlist. Returns true when it was closed with OK;
  // then `items` holds the edited list and `chosenSong` the song to start (-1: none).
  using EditorRun = std::function<bool(Playlist& items, int& chosenSong)>;

  MusicControl(MidiOutput& midi, Mp3Output& mp3, MusicHost& host,
               FileCheck fileExists = songFileExists);

  // Start-up, in the table window's order: first load the playlist from the start directory
  // (without one the music setting becomes '0'; one read only in part is reported), then, once
  // the card set is loaded, start the music when the setting says so.
  void loadPlaylistAtStartup(const std::string& startDir);
  void startMusicAtStartup();
  // Shut-down: stops and closes the player in use.
  void shutDown();

  void playCurrentSong();
  void toggleMusic();
  void nextSong();
  void previousSong();
  void editPlaylist(const EditorRun& runEditor);
  void midiSongCompleted();  // the sequencer's completion notice
  void mp3SongEnded();       // the MP3 player's end event

  const Playlist& playlist() const { return playlist_; }
  // Replaces the playlist and starts again at its first song (does not touch the music).
  void setPlaylist(Playlist playlist);
  int currentSong() const { return currentSong_; }
  bool ignoreNextNotify() const { return ignoreNextNotify_; }

 private:
  // Stops and closes the player that the music setting names; nothing while the music is off.
  void closePlayerInUse();
  // The same before another song is started.
  void stopCurrentSong();
  void musicOff();
  void advance();
  void playMp3(const std::string& path);
  void playMidi(const std::string& path);

  MidiOutput& midi_;
  Mp3Output& mp3_;
  MusicHost& host_;
  FileCheck fileExists_;

  Playlist playlist_;
  int currentSong_ = 0;  // a valid index of a non-empty playlist, 0 when it is empty
  bool ignoreNextNotify_ = false;
};

}  // namespace music
