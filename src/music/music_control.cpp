#include "music_control.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace music {

namespace {

constexpr char kMusicOff = '0';
constexpr char kMidiPlaying = '1';
constexpr char kMp3Playing = '2';

}  // namespace

bool songFileExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::string songDisplayName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

bool isMp3Song(const std::string& path) { return !path.empty() && path.back() == '3'; }

MusicControl::MusicControl(MidiOutput& midi, Mp3Output& mp3, MusicHost& host, FileCheck fileExists)
    : midi_(midi), mp3_(mp3), host_(host), fileExists_(std::move(fileExists)) {}

void MusicControl::loadPlaylistAtStartup(const std::string& startDir) {
  std::string notice;
  auto loaded = loadPlaylist(startDir, &notice);
  if (!notice.empty()) host_.showMessage(notice, {}, MessageIcon::Information);
  if (!loaded) host_.setMusicSetting(kMusicOff);
  setPlaylist(loaded ? std::move(*loaded) : Playlist{});
}

void MusicControl::startMusicAtStartup() {
  CurrentSong = 0;
  if (host_.musicSetting() != kMusicOff) PlayCurrentSong();
}

void MusicControl::shutDown() { closePlayerInUse(); }

void MusicControl::setPlaylist(Playlist playlist) {
  Playlist_ = std::move(playlist);
  CurrentSong = 0;
}

// Every change of state comes before the message: while a message box is open, queued player
// notices are handled and must find the music in its final state.
void MusicControl::PlayCurrentSong() {
  if (CurrentSong < 0 || static_cast<std::size_t>(CurrentSong) >= Playlist_.size()) {
    musicOff();
    return;
  }
  host_.setMusicOnChecked(true);
  const std::string path = Playlist_[CurrentSong];
  host_.showSongName(songDisplayName(path));
  if (!fileExists_(path)) {
    musicOff();
    host_.showMessage("Cound not find music file!!!", "Error", MessageIcon::None);
    return;
  }
  if (isMp3Song(path))
    playMp3(path);
  else
    playMidi(path);
}

void MusicControl::playMp3(const std::string& path) {
  host_.setMusicSetting(kMp3Playing);
  // A song that cannot even be opened fails like one that cannot be played.
  if (mp3_.open(path) && mp3_.play()) return;
  musicOff();
  mp3_.close();
  host_.showMessage("Error playing mp3 file !!", "System error", MessageIcon::Information);
}

void MusicControl::playMidi(const std::string& path) {
  host_.setMusicSetting(kMidiPlaying);
  if (const auto failure = midi_.open(path)) {
    musicOff();
    host_.showMessage("Error " + std::to_string(failure->code) + ": " + failure->text, "",
                      MessageIcon::None);
    return;
  }
  if (midi_.play() != 0) {
    musicOff();
    host_.showMessage("Error playing midi file !!", "System error", MessageIcon::Information);
  }
}

void MusicControl::musicOff() {
  host_.setMusicSetting(kMusicOff);
  host_.showSongName("");
  host_.setMusicOnChecked(false);
}

void MusicControl::closePlayerInUse() {
  const char setting = host_.musicSetting();
  if (setting == kMidiPlaying) {
    midi_.stop();
    midi_.close();
  } else if (setting == kMp3Playing) {
    mp3_.stop();
    mp3_.close();
  }
}

void MusicControl::stopCurrentSong() {
  // The stopped MIDI song's completion notice arrives after the next song started; it must not
  // advance past that song.
  if (host_.musicSetting() == kMidiPlaying) IgnoreNextNotify = true;
  closePlayerInUse();
}

void MusicControl::advance() {
  ++CurrentSong;
  if (static_cast<std::size_t>(CurrentSong) >= Playlist_.size()) CurrentSong = 0;
}

void MusicControl::Musicon1Click() {
  const char setting = host_.musicSetting();
  if (setting == kMusicOff) {
    if (Playlist_.empty()) return;
    host_.setMusicOnChecked(true);
    PlayCurrentSong();
    return;
  }
  // The completion notice of the stopped MIDI song then finds the music off and changes nothing.
  if (setting == kMidiPlaying) {
    midi_.stop();
    midi_.close();
  } else {
    mp3_.stop();
    mp3_.close();
  }
  musicOff();
}

void MusicControl::Nextsong1Click() {
  if (host_.musicSetting() == kMusicOff) return;
  stopCurrentSong();
  advance();
  PlayCurrentSong();
}

void MusicControl::Previoussong1Click() {
  if (host_.musicSetting() == kMusicOff) return;
  stopCurrentSong();
  if (CurrentSong <= 0 || static_cast<std::size_t>(CurrentSong) > Playlist_.size())
    CurrentSong = static_cast<int>(Playlist_.size()) - 1;
  else
    --CurrentSong;
  PlayCurrentSong();
}

void MusicControl::MediaPlayer1Notify() {
  if (host_.musicSetting() != kMidiPlaying || IgnoreNextNotify) {
    IgnoreNextNotify = false;
    return;
  }
  midi_.stop();
  midi_.close();
  advance();
  PlayCurrentSong();
}

void MusicControl::MPEGPlayer1PlayEnd() {
  mp3_.close();
  advance();
  PlayCurrentSong();
}

void MusicControl::Midiplaylist1Click(const EditorRun& runEditor) {
  Playlist items = Playlist_;
  int chosenSong = -1;
  if (!runEditor(items, chosenSong)) return;
  Playlist_ = std::move(items);
  if (chosenSong < 0 || static_cast<std::size_t>(chosenSong) >= Playlist_.size()) {
    // No song chosen: the music stops, and the next "Music on" starts at the first song.
    if (host_.musicSetting() != kMusicOff) {
      stopCurrentSong();
      musicOff();
    }
    CurrentSong = 0;
    return;
  }
  CurrentSong = chosenSong;
  if (host_.musicSetting() != kMusicOff) stopCurrentSong();
  PlayCurrentSong();
}

}  // namespace music
