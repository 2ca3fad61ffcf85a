// The preferences record, its 274-byte little-endian image and the settings file "mirt.ini".
#include "shell/preferences.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/file_io.h"

namespace shell {

namespace {

// Offsets of the fields in the settings file.
constexpr std::size_t kLevel = 256;
constexpr std::size_t kMusic = 257;
constexpr std::size_t kColB = 258;
constexpr std::size_t kColL = 262;
constexpr std::size_t kAmiga = 266;
constexpr std::size_t kDragDrop = 267;
constexpr std::size_t kSound = 268;
constexpr std::size_t kGame = 269;
constexpr std::size_t kTimed = 270;
constexpr std::size_t kScoreMode = 271;
constexpr std::size_t kSpare = 272;

void putU32(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t getU32(const std::uint8_t* in) {
  return std::uint32_t{in[0]} | std::uint32_t{in[1]} << 8 | std::uint32_t{in[2]} << 16 |
         std::uint32_t{in[3]} << 24;
}

constexpr const char* kSettingsName = "mirt.ini";
constexpr const char* kOpenError = "Error opening ZEROZUZA.INI file !!";

// The defaults of a first start (`firstStart`) or of an unusable settings file. The card set is
// the default one in `dir` when it exists there, under the name it has on disk, so that it can
// be opened where file names are case-sensitive.
void applyDefaults(SettingsReadResult& result, const std::string& dir, bool firstStart) {
  Preferences& pref = result.pref;
  pref.colB = firstStart ? kDefaultTableColour : kDefaultTableColourBad;
  pref.colL = kDefaultSelectColour;
  pref.level = 'C';
  pref.music = '0';
  pref.amiga = '0';
  pref.sound = '1';
  pref.dragDrop = 1;
  pref.game = 1;
  pref.timed = 1;
  pref.scoreMode = 0;
  const auto cardSet = platform::findFileNoCase(dir, firstStart ? "Vessant.tvp" : "vessant.tvp");
  if (cardSet && pref.setCardSetName(std::filesystem::path(*cardSet).filename().string())) {
    result.loadAtStart = true;
    result.cardSetPresent = true;
  }
  result.message = SettingsMessage{kOpenError, firstStart ? "System error(2)" : "System error(1)"};
}

// A field outside its range takes its first-start default, so that the menus show one choice of
// each kind and saving writes a usable file. The card-set name is looked up when it is loaded,
// the spare bytes are not used.
void checkFields(Preferences& pref) {
  const Preferences defaults;
  if (pref.level < 'A' || pref.level > 'C') pref.level = defaults.level;
  if (pref.music < '0' || pref.music > '2') pref.music = defaults.music;
  if (pref.colB >> 24 != 0) pref.colB = defaults.colB;
  if (pref.colL >> 24 != 0) pref.colL = defaults.colL;
  if (pref.amiga != '0' && pref.amiga != '1') pref.amiga = defaults.amiga;
  if (pref.dragDrop > 1) pref.dragDrop = defaults.dragDrop;
  if (pref.sound != '0' && pref.sound != '1') pref.sound = defaults.sound;
  if (pref.game < 1 || pref.game > 2) pref.game = defaults.game;
  if (pref.timed > 1) pref.timed = defaults.timed;
  if (pref.scoreMode > 2) pref.scoreMode = defaults.scoreMode;
}

}  // namespace

std::string Preferences::cardSetName() const {
  return std::string(cardSet, std::find(cardSet, cardSet + sizeof cardSet, '\0'));
}

bool Preferences::setCardSetName(const std::string& name) {
  if (name.size() >= sizeof cardSet) return false;
  std::memset(cardSet, 0, sizeof cardSet);
  std::memcpy(cardSet, name.data(), name.size());
  return true;
}

Preferences firstStartPreferences() {
  Preferences pref;
  pref.setCardSetName("Vessant.tvp");
  return pref;
}

std::array<std::uint8_t, kPreferencesSize> toBytes(const Preferences& pref) {
  std::array<std::uint8_t, kPreferencesSize> bytes{};
  std::memcpy(bytes.data(), pref.cardSet, sizeof pref.cardSet);
  bytes[kLevel] = static_cast<std::uint8_t>(pref.level);
  bytes[kMusic] = static_cast<std::uint8_t>(pref.music);
  putU32(&bytes[kColB], pref.colB);
  putU32(&bytes[kColL], pref.colL);
  bytes[kAmiga] = static_cast<std::uint8_t>(pref.amiga);
  bytes[kDragDrop] = pref.dragDrop;
  bytes[kSound] = static_cast<std::uint8_t>(pref.sound);
  bytes[kGame] = pref.game;
  bytes[kTimed] = pref.timed;
  bytes[kScoreMode] = pref.scoreMode;
  bytes[kSpare] = pref.spare[0];
  bytes[kSpare + 1] = pref.spare[1];
  return bytes;
}

Preferences fromBytes(const std::array<std::uint8_t, kPreferencesSize>& bytes) {
  Preferences pref;
  std::memcpy(pref.cardSet, bytes.data(), sizeof pref.cardSet);
  pref.level = static_cast<char>(bytes[kLevel]);
  pref.music = static_cast<char>(bytes[kMusic]);
  pref.colB = getU32(&bytes[kColB]);
  pref.colL = getU32(&bytes[kColL]);
  pref.amiga = static_cast<char>(bytes[kAmiga]);
  pref.dragDrop = bytes[kDragDrop];
  pref.sound = static_cast<char>(bytes[kSound]);
  pref.game = bytes[kGame];
  pref.timed = bytes[kTimed];
  pref.scoreMode = bytes[kScoreMode];
  pref.spare[0] = bytes[kSpare];
  pref.spare[1] = bytes[kSpare + 1];
  return pref;
}

SettingsReadResult readSettings(const std::string& dir) {
  SettingsReadResult result;
  const auto path = platform::findFileNoCase(dir, "Mirt.ini");
  // One byte more than the record tells a longer file from one of the right size.
  const auto bytes = path ? platform::readFile(*path, kPreferencesSize + 1) : std::nullopt;
  if (!bytes) {
    result.pref = fromBytes({});
    applyDefaults(result, dir, /*firstStart=*/true);
    return result;
  }
  // A short file fills the start of the record; the rest stays zero.
  std::array<std::uint8_t, kPreferencesSize> image{};
  std::copy_n(bytes->begin(), std::min(bytes->size(), kPreferencesSize), image.begin());
  result.pref = fromBytes(image);
  if (bytes->size() != kPreferencesSize) {
    applyDefaults(result, dir, /*firstStart=*/false);
    return result;
  }
  checkFields(result.pref);
  result.loadAtStart = true;
  result.cardSetPresent = true;
  return result;
}

std::optional<SettingsMessage> saveSettings(const Preferences& pref, const std::string& startDir) {
  // Replace the settings file that the next start reads, whatever the case of its name.
  const std::string path = platform::findFileNoCase(startDir, kSettingsName)
                               .value_or(platform::joinPath(startDir, kSettingsName));
  const auto bytes = toBytes(pref);
  if (platform::writeFileAtomically(path, bytes.data(), bytes.size())) return std::nullopt;
  return SettingsMessage{"Error writing ZEROZUZA.INI file !!", "System error"};
}

}  // namespace shell
