#include "music/music_control.h"

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
  currentSong_ = 0;
  if (host_.musicSetting() != kMusicOff) playCurrentSong();
}

void MusicControl::shutDown() { closePlayerInUse(); }

void MusicControl::setPlaylist(Playlist playlist) {
  playlist_ = std::move(playlist);
  currentSong_ = 0;
}

// Every change of state comes before the message: while a message box is open, queued player
// notices are handled and must find the music in its final state.
void MusicControl::playCurrentSong() {
  if (currentSong_ < 0 || static_cast<std::size_t>(currentSong_) >= playlist_.size()) {
    musicOff();
    return;
  }
  host_.setMusicOnChecked(true);
  const std::string path = playlist_[currentSong_];
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
  if (host_.musicSetting() == kMidiPlaying) ignoreNextNotify_ = true;
  closePlayerInUse();
}

void MusicControl::advance() {
  ++currentSong_;
  if (static_cast<std::size_t>(currentSong_) >= playlist_.size()) currentSong_ = 0;
}

void MusicControl::toggleMusic() {
  const char setting = host_.musicSetting();
  if (setting == kMusicOff) {
    if (playlist_.empty()) return;
    host_.setMusicOnChecked(true);
    playCurrentSong();
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

void MusicControl::nextSong() {
  if (host_.musicSetting() == kMusicOff) return;
  stopCurrentSong();
  advance();
  playCurrentSong();
}

void MusicControl::previousSong() {
  if (host_.musicSetting() == kMusicOff) return;
  stopCurrentSong();
  if (currentSong_ <= 0 || static_cast<std::size_t>(currentSong_) > playlist_.size())
    currentSong_ = static_cast<int>(playlist_.size()) - 1;
  else
    --currentSong_;
  playCurrentSong();
}

void MusicControl::midiSongCompleted() {
  if (host_.musicSetting() != kMidiPlaying || ignoreNextNotify_) {
    ignoreNextNotify_ = false;
    return;
  }
  midi_.stop();
  midi_.close();
  advance();
  playCurrentSong();
}

void MusicControl::mp3SongEnded() {
  mp3_.close();
  advance();
  playCurrentSong();
}

void MusicControl::editPlaylist(const EditorRun& runEditor) {
  Playlist items = playlist_;
  int chosenSong = -1;
  if (!runEditor(items, chosenSong)) return;
  playlist_ = std::move(items);
  if (chosenSong < 0 || static_cast<std::size_t>(chosenSong) >= playlist_.size()) {
    // No song chosen: the music stops, and the next "Music on" starts at the first song.
    if (host_.musicSetting() != kMusicOff) {
      stopCurrentSong();
      musicOff();
    }
    currentSong_ = 0;
    return;
  }
  currentSong_ = chosenSong;
  if (host_.musicSetting() != kMusicOff) stopCurrentSong();
  playCurrentSong();
}

}  // namespace music
