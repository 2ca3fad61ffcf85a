#pragma once
// The preferences record: the file format of the player's settings (settings.h). Its 274-byte
// little-endian image is the settings file "mirt.ini", byte for byte.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace shell {

constexpr std::size_t kPreferencesSize = 274;
constexpr std::uint32_t kDefaultTableColour = 0xD08622;     // first start (no settings file)
constexpr std::uint32_t kDefaultTableColourBad = 0x804010;  // settings file of the wrong size
constexpr std::uint32_t kDefaultSelectColour = 0x1020A0;

// Colour values are 32 bits: red in the low byte, then green, blue, top byte 0.
struct Preferences {
  char cardSet[256] = {};  // zero-terminated card-set file name
  char level = 'C';        // 'A' Easy, 'B' Medium, 'C' Hard
  char music = '0';        // '0' off, '1' MIDI playing, '2' MP3 playing
  std::uint32_t colB = kDefaultTableColour;
  std::uint32_t colL = kDefaultSelectColour;
  char amiga = '0';            // '1' Amiga colour scheme on
  std::uint8_t dragDrop = 1;   // byte 1 drag 'n drop, 0 click-select
  char sound = '1';            // '1' sound cues on
  std::uint8_t game = 1;       // byte 1 Klondike, 2 Quatro
  std::uint8_t timed = 1;      // byte 1 Timed on
  std::uint8_t scoreMode = 0;  // byte 0 None, 1 Normal, 2 Vegas
  std::uint8_t spare[2] = {};  // unused, written back as read

  std::string cardSetName() const;  // up to the terminating zero (or all 256 bytes)
  // Stores `name` when it fits with its terminating zero; returns false (and changes nothing)
  // when it is too long, so a saved file never holds a cut-off name.
  bool setCardSetName(const std::string& name);
};

// The choices of a first start, with the default card set "Vessant.tvp": the settings file that a
// new play folder is given.
Preferences firstStartPreferences();

std::array<std::uint8_t, kPreferencesSize> toBytes(const Preferences& pref);
Preferences fromBytes(const std::array<std::uint8_t, kPreferencesSize>& bytes);

// A message box the caller shows: information icon, OK button.
struct SettingsMessage {
  std::string text;
  std::string caption;
};

struct SettingsReadResult {
  Preferences pref;
  bool loadAtStart = false;  // load the card set named in pref.cardSet during start-up
  bool cardSetPresent = false;
  std::optional<SettingsMessage> message;
};

// Reads "Mirt.ini" (matched without regard to case) from `dir`, with the defaults and messages of
// a missing file or a file of the wrong size; the default card set "Vessant.tvp" is looked up in
// `dir` without regard to case. A field of the file outside its range takes its first-start
// default (the initial value in Preferences).
SettingsReadResult readSettings(const std::string& dir);

// Writes pref to startDir/"mirt.ini" (temporary file renamed over the old one). On failure returns
// the message to show ("Error writing ZEROZUZA.INI file !!", caption "System error"); the old file
// is kept.
std::optional<SettingsMessage> saveSettings(const Preferences& pref, const std::string& startDir);

}  // namespace shell
