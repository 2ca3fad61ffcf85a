// Recording stand-ins for the two players and the table window, as the music control sees them.
#pragma once

#include "music/music_outputs.h"

#include <optional>
#include <string>
#include <vector>

namespace music::fakes {

using Log = std::vector<std::string>;

struct FakeMidi : MidiOutput {
  explicit FakeMidi(Log& log) : log(log) {}
  std::optional<SequencerFailure> open(const std::string& path) override {
    log.push_back("midi open " + path);
    return openFailure;
  }
  int play() override {
    log.push_back("midi play");
    return playError;
  }
  void stop() override { log.push_back("midi stop"); }
  void close() override { log.push_back("midi close"); }
  Log& log;
  std::optional<SequencerFailure> openFailure;
  int playError = 0;
};

struct FakeMp3 : Mp3Output {
  explicit FakeMp3(Log& log) : log(log) {}
  bool open(const std::string& path) override {
    log.push_back("mp3 open " + path);
    return openWorks;
  }
  bool play() override {
    log.push_back("mp3 play");
    return playWorks;
  }
  void stop() override { log.push_back("mp3 stop"); }
  void close() override { log.push_back("mp3 close"); }
  Log& log;
  bool openWorks = true;
  bool playWorks = true;
};

struct Message {
  std::string text, caption;
  MessageIcon icon;
  bool operator==(const Message&) const = default;
};

struct FakeHost : MusicHost {
  void setMusicOnChecked(bool value) override { checked = value; }
  void showSongName(const std::string& name) override { panel = name; }
  void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) override {
    messages.push_back({text, caption, icon});
  }
  char musicSetting() const override { return music; }
  void setMusicSetting(char value) override { music = value; }
  bool checked = false;
  std::string panel = "untouched";
  std::vector<Message> messages;
  char music = '0';
};

}  // namespace music::fakes
