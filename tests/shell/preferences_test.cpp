#include "shell/preferences.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_io.h"
#include "tests/platform/scratch_folder.h"
#include "tests/shell/preferences_sample.h"

namespace fs = std::filesystem;
using namespace shell;

namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  std::string dir() const { return folder_.str(); }
  std::string file(const std::string& name) const { return folder_.file(name); }
  void put(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    folder_.put(name, std::string(bytes.begin(), bytes.end()));
  }
  std::vector<std::uint8_t> read(const std::string& name) const {
    return platform::readFile(file(name)).value_or(std::vector<std::uint8_t>{});
  }

  ScratchFolder folder_;
};

// A settings file that could not be used: the message shown at start-up.
void expectReadError(const SettingsReadResult& result, const char* caption) {
  ASSERT_TRUE(result.message);
  EXPECT_EQ(result.message->text, "Error opening ZEROZUZA.INI file !!");
  EXPECT_EQ(result.message->caption, caption);
}

void expectDefaults(const Preferences& pref) {
  EXPECT_EQ(pref.level, 'C');
  EXPECT_EQ(pref.music, '0');
  EXPECT_EQ(pref.colL, kDefaultSelectColour);
  EXPECT_EQ(pref.amiga, '0');
  EXPECT_EQ(pref.sound, '1');
  EXPECT_EQ(pref.dragDrop, 1);
  EXPECT_EQ(pref.game, 1);
  EXPECT_EQ(pref.timed, 1);
  EXPECT_EQ(pref.scoreMode, 0);
}

}  // namespace

TEST(PreferencesImage, FieldsAtTheirOffsetsLittleEndian) {
  const auto bytes = toBytes(sample());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())),
            "/home/player/cards/Royal.tavi");
  EXPECT_EQ(bytes[256], 'A');
  EXPECT_EQ(bytes[257], '2');
  EXPECT_EQ((std::vector<std::uint8_t>(bytes.begin() + 258, bytes.begin() + 266)),
            (std::vector<std::uint8_t>{0x56, 0x34, 0x12, 0x00, 0xEF, 0xCD, 0xAB, 0x00}));
  EXPECT_EQ((std::vector<std::uint8_t>(bytes.begin() + 266, bytes.end())),
            (std::vector<std::uint8_t>{'1', 0, '0', 2, 0, 2, 0x5A, 0xA5}));
}

TEST(PreferencesImage, EveryImageRoundTripsByteForByte) {
  std::array<std::uint8_t, kPreferencesSize> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  EXPECT_EQ(toBytes(fromBytes(bytes)), bytes);
}

TEST(PreferencesImage, CardSetNameNeverCutOff) {
  Preferences pref;
  ASSERT_TRUE(pref.setCardSetName("short.tvp"));
  EXPECT_FALSE(pref.setCardSetName(std::string(256, 'x')));
  EXPECT_EQ(pref.cardSetName(), "short.tvp");
  EXPECT_TRUE(pref.setCardSetName(std::string(255, 'y')));
  EXPECT_EQ(pref.cardSetName(), std::string(255, 'y'));
  std::array<std::uint8_t, kPreferencesSize> unterminated{};
  std::fill_n(unterminated.begin(), 256, 'z');
  EXPECT_EQ(fromBytes(unterminated).cardSetName(), std::string(256, 'z'));
}

TEST_F(SettingsFileTest, SaveThenReadRoundTrips) {
  ASSERT_FALSE(saveSettings(sample(), dir()));
  const auto first = read("mirt.ini");
  const auto expected = toBytes(sample());
  EXPECT_EQ(first, std::vector<std::uint8_t>(expected.begin(), expected.end()));

  const SettingsReadResult result = readSettings(dir());
  EXPECT_FALSE(result.message);
  EXPECT_TRUE(result.loadAtStart);
  EXPECT_TRUE(result.cardSetPresent);
  EXPECT_EQ(toBytes(result.pref), expected);

  ASSERT_FALSE(saveSettings(result.pref, dir()));
  EXPECT_EQ(read("mirt.ini"), first);
}

TEST_F(SettingsFileTest, MissingFileGivesFirstStartDefaultsWithCardSetAsOnDisk) {
  put("VESSANT.TVP", {1});
  const SettingsReadResult result = readSettings(dir());
  expectReadError(result, "System error(2)");
  expectDefaults(result.pref);
  EXPECT_EQ(result.pref.colB, kDefaultTableColour);
  EXPECT_EQ(result.pref.cardSetName(), "VESSANT.TVP");
  EXPECT_TRUE(result.loadAtStart);
  EXPECT_TRUE(result.cardSetPresent);
}

TEST_F(SettingsFileTest, MissingFileAndMissingCardSetLoadsNothing) {
  const SettingsReadResult result = readSettings(dir());
  EXPECT_EQ(result.pref.colB, kDefaultTableColour);
  EXPECT_EQ(result.pref.cardSetName(), "");
  EXPECT_FALSE(result.loadAtStart);
  EXPECT_FALSE(result.cardSetPresent);
}

TEST_F(SettingsFileTest, WrongLengthGivesDefaultsAndKeepsUncoveredFields) {
  for (const std::size_t size : {kPreferencesSize - 1, kPreferencesSize + 1}) {
    SCOPED_TRACE(size);
    const auto image = toBytes(sample());
    std::vector<std::uint8_t> bytes(image.begin(), image.end());
    bytes.resize(size, 0x77);
    put("Mirt.ini", bytes);
    const SettingsReadResult result = readSettings(dir());
    expectReadError(result, "System error(1)");
    expectDefaults(result.pref);
    EXPECT_EQ(result.pref.colB, kDefaultTableColourBad);
    EXPECT_EQ(result.pref.cardSetName(), "/home/player/cards/Royal.tavi");
    EXPECT_EQ(result.pref.spare[0], 0x5A);
    EXPECT_EQ(result.pref.spare[1], size > kPreferencesSize ? 0xA5 : 0);
    EXPECT_FALSE(result.loadAtStart);
  }
}

TEST_F(SettingsFileTest, FieldOutOfRangeTakesItsDefault) {
  // Bytes written at an offset of a sample file, and the bytes read back there (the default when
  // the value is out of range, the value itself when it is the edge of its range).
  const struct {
    std::size_t offset;
    std::vector<std::uint8_t> written, read;
  } fields[] = {
      {256, {'Z'}, {'C'}},
      {256, {'@'}, {'C'}},
      {256, {'B'}, {'B'}},  // level
      {257, {'3'}, {'0'}},
      {257, {'/'}, {'0'}},
      {257, {'0'}, {'0'}},                            // music
      {258, {1, 2, 3, 1}, {0x22, 0x86, 0xD0, 0}},     // table colour
      {262, {1, 2, 3, 0x80}, {0xA0, 0x20, 0x10, 0}},  // selection colour
      {262, {0xFF, 0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF, 0}},
      {266, {'2'}, {'0'}},
      {266, {'0'}, {'0'}},  // Amiga scheme
      {267, {2}, {1}},
      {267, {1}, {1}},  // drag 'n drop
      {268, {'x'}, {'1'}},
      {268, {0}, {'1'}},  // sound
      {269, {0}, {1}},
      {269, {3}, {1}},
      {269, {1}, {1}},  // rule set
      {270, {5}, {1}},
      {270, {1}, {1}},  // timed
      {271, {7}, {0}},
      {271, {3}, {0}},
      {271, {1}, {1}},  // score mode
  };
  for (const auto& field : fields) {
    SCOPED_TRACE(field.offset);
    auto bytes = toBytes(sample());
    std::copy(field.written.begin(), field.written.end(), bytes.begin() + field.offset);
    put("mirt.ini", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    const SettingsReadResult result = readSettings(dir());
    EXPECT_FALSE(result.message);
    EXPECT_TRUE(result.loadAtStart);
    std::copy(field.read.begin(), field.read.end(), bytes.begin() + field.offset);
    EXPECT_EQ(toBytes(result.pref), bytes);
  }
}

TEST_F(SettingsFileTest, WrongLengthWithDefaultCardSetPresentUsesIt) {
  put("mirt.INI", std::vector<std::uint8_t>(10, 'q'));
  put("vessant.tvp", {1});
  const SettingsReadResult result = readSettings(dir());
  expectReadError(result, "System error(1)");
  EXPECT_EQ(result.pref.cardSetName(), "vessant.tvp");
  EXPECT_TRUE(result.loadAtStart);
  EXPECT_TRUE(result.cardSetPresent);
}

TEST_F(SettingsFileTest, SaveReplacesTheFileReadWhateverItsCase) {
  put("MIRT.INI", std::vector<std::uint8_t>(kPreferencesSize, 0));
  ASSERT_FALSE(saveSettings(sample(), dir()));
  EXPECT_EQ(folder_.entryCount(), 1u);  // no second file beside it where case tells them apart
  EXPECT_EQ(toBytes(readSettings(dir()).pref), toBytes(sample()));
}

TEST_F(SettingsFileTest, FailedSaveKeepsOldFileAndReportsIt) {
  // A folder in place of the settings file cannot be replaced by a file.
  fs::create_directory(file("mirt.ini"));
  const auto message = saveSettings(sample(), dir());
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text, "Error writing ZEROZUZA.INI file !!");
  EXPECT_EQ(message->caption, "System error");
  EXPECT_TRUE(fs::is_directory(file("mirt.ini")));

  const auto missing = saveSettings(sample(), file("no/such/folder"));
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->caption, "System error");
}

TEST_F(SettingsFileTest, LongStartDirectoryIsNotCut) {
  fs::path deep = folder_.path();
  for (int i = 0; i < 6; ++i) deep /= std::string(50, static_cast<char>('a' + i));
  fs::create_directories(deep);
  ASSERT_GT(deep.string().size(), 300u);
  ASSERT_FALSE(saveSettings(sample(), deep.string()));
  EXPECT_TRUE(fs::exists(deep / "mirt.ini"));
  EXPECT_EQ(toBytes(readSettings(deep.string()).pref), toBytes(sample()));
}
