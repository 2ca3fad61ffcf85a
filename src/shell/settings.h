#pragma once
// The player's settings as the game keeps them while it runs. The 274-byte preferences record
// (preferences.h) is only their file format: it is parsed into Settings when "mirt.ini" is read
// at start and produced from them when File > Save settings writes it.
#include <array>
#include <cstdint>
#include <string>

#include "game/game_engine.h"
#include "shell/preferences.h"

namespace shell {

enum class MusicSetting : std::uint8_t { Off, Midi, Mp3 };  // what plays: nothing, MIDI or MP3

struct Settings {
  std::string cardSetName;  // the card-set file loaded at start
  game::MenuState menu;     // scoring, Timed, level, drag 'n drop, sound, the game
  MusicSetting music = MusicSetting::Off;
  std::uint32_t tableColour = kDefaultTableColour;    // red in the low byte, then green, blue
  std::uint32_t selectColour = kDefaultSelectColour;  // the frame of a selected card
  bool amigaColours = false;

  // Bytes of the record that the game does not interpret, written back as read: the card-set
  // field as read (the bytes after its name's terminating zero) and the two spare bytes.
  struct CarryOver {
    std::array<std::uint8_t, sizeof Preferences::cardSet> cardSetField{};
    std::array<std::uint8_t, sizeof Preferences::spare> spare{};
  } carryOver;

  // Remembers `name` when the record can hold it with its terminating zero; returns false (and
  // changes nothing) when it is too long, so a saved file never holds a cut-off name.
  bool setCardSetName(const std::string& name);
};

// `pref` must be in range, as readSettings leaves it.
Settings settingsOf(const Preferences& pref);
Preferences recordOf(const Settings& settings);

}  // namespace shell
