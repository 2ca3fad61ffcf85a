#include "shell/settings.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/file_io.h"
#include "tests/platform/scratch_folder.h"
#include "tests/shell/preferences_sample.h"

using namespace shell;

namespace {

using Image = std::array<std::uint8_t, kPreferencesSize>;

// A saved record with bytes after the card-set name's zero, which the game does not read.
Image savedImage() {
  Preferences pref = sample();
  pref.cardSet[200] = 0x7F;
  pref.cardSet[255] = 0xFF;
  return toBytes(pref);
}

// What File > Save settings writes after "mirt.ini" (nullopt: none) was read at start and
// nothing was changed.
Image readThenSave(const std::optional<std::vector<std::uint8_t>>& file) {
  ScratchFolder folder;
  if (file) folder.put("mirt.ini", std::string(file->begin(), file->end()));
  const Settings settings = settingsOf(readSettings(folder.str()).pref);
  EXPECT_FALSE(saveSettings(recordOf(settings), folder.str()));
  const auto saved =
      platform::readFile(folder.file("mirt.ini")).value_or(std::vector<std::uint8_t>{});
  Image image{};
  EXPECT_EQ(saved.size(), kPreferencesSize);
  std::copy_n(saved.begin(), std::min(saved.size(), kPreferencesSize), image.begin());
  return image;
}

std::vector<std::uint8_t> vec(const Image& image) { return {image.begin(), image.end()}; }

TEST(Settings, ReadThenSaveWritesWhatTheRecordHeld) {
  Image first = toBytes(Preferences{});  // first start without the default card set
  Image oddFlags = savedImage();
  oddFlags[256] = 'Z';  // level
  oddFlags[267] = 7;    // drag 'n drop
  oddFlags[268] = 'x';  // sound
  Image oddFlagsSaved = savedImage();
  oddFlagsSaved[256] = 'C';
  oddFlagsSaved[267] = 1;
  oddFlagsSaved[268] = '1';
  // A short file keeps its card-set field (a name of all 256 bytes here) and takes the defaults
  // of a damaged file for the fields.
  std::vector<std::uint8_t> damaged(kPreferencesSize - 1, 'q');
  Image damagedSaved = toBytes(Preferences{});
  std::fill_n(damagedSaved.begin(), sizeof Preferences::cardSet, 'q');
  damagedSaved[258] = 0x10;
  damagedSaved[259] = 0x40;
  damagedSaved[260] = 0x80;
  damagedSaved[272] = 'q';  // a spare byte, kept as read
  const struct {
    const char* name;
    std::optional<std::vector<std::uint8_t>> file;
    Image saved;
  } cases[] = {
      {"first start", std::nullopt, first},
      {"saved record", vec(savedImage()), savedImage()},
      {"flags out of range", vec(oddFlags), oddFlagsSaved},
      {"damaged", damaged, damagedSaved},
  };
  for (const auto& c : cases) EXPECT_EQ(readThenSave(c.file), c.saved) << c.name;
}

TEST(Settings, TypedChangesLandInTheirBytes) {
  const struct {
    const char* name;
    std::function<void(Settings&)> change;
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"level", [](Settings& s) { s.menu.level = game::Level::Medium; }, 256, {'B'}},
      {"music", [](Settings& s) { s.music = MusicSetting::Midi; }, 257, {'1'}},
      {"table colour", [](Settings& s) { s.tableColour = 0x030201; }, 258, {1, 2, 3, 0}},
      {"select colour", [](Settings& s) { s.selectColour = 0x000102; }, 262, {2, 1, 0}},
      {"Amiga colours", [](Settings& s) { s.amigaColours = false; }, 266, {'0'}},
      {"drag 'n drop", [](Settings& s) { s.menu.dragDrop = true; }, 267, {1}},
      {"sound", [](Settings& s) { s.menu.soundOn = true; }, 268, {'1'}},
      {"game", [](Settings& s) { s.menu.ruleSet = game::RuleSet::Klondike; }, 269, {1}},
      {"timed", [](Settings& s) { s.menu.timed = true; }, 270, {1}},
      {"score", [](Settings& s) { s.menu.scoreMode = game::ScoreMode::Normal; }, 271, {1}},
      // A chosen card set is saved with zeros after its name, even when it is the same name.
      {"card set",
       [](Settings& s) { s.setCardSetName("/home/player/cards/Royal.tavi"); },
       200,
       {0}},
  };
  for (const auto& c : cases) {
    Image expected = savedImage();
    if (c.offset == 200) expected[255] = 0;
    std::copy(c.bytes.begin(), c.bytes.end(), expected.begin() + std::ptrdiff_t(c.offset));
    Settings settings = settingsOf(fromBytes(savedImage()));
    c.change(settings);
    EXPECT_EQ(toBytes(recordOf(settings)), expected) << c.name;
  }
}

TEST(Settings, NameTooLongForTheRecordIsNotTaken) {
  Settings settings = settingsOf(fromBytes(savedImage()));
  EXPECT_FALSE(settings.setCardSetName(std::string(256, 'n')));
  EXPECT_TRUE(settings.setCardSetName(std::string(255, 'n')));
  const Image image = toBytes(recordOf(settings));
  EXPECT_EQ(image[254], 'n');
  EXPECT_EQ(image[255], 0);
}

}  // namespace
