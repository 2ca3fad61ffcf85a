// The wave cues that the build synthesizes into the play folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Wave {
  int format = 0, channels = 0, sampleRate = 0, byteRate = 0, blockAlign = 0, bits = 0;
  std::vector<std::int16_t> samples;
  double seconds() const { return static_cast<double>(samples.size()) / sampleRate; }
};

std::uint32_t little(const std::vector<unsigned char>& bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[at + i];
  return value;
}

// Walks the RIFF chunks the way a strict player would; nullopt on any inconsistency.
std::optional<Wave> readWave(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
  if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF" ||
      std::string(bytes.begin() + 8, bytes.begin() + 12) != "WAVE" ||
      little(bytes, 4, 4) != bytes.size() - 8)
    return std::nullopt;
  Wave wave;
  bool haveFormat = false, haveData = false;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id(bytes.begin() + static_cast<long>(at),
                         bytes.begin() + static_cast<long>(at) + 4);
    const std::uint32_t size = little(bytes, at + 4, 4);
    if (at + 8 + size > bytes.size()) return std::nullopt;
    if (id == "fmt " && size >= 16) {
      wave.format = static_cast<int>(little(bytes, at + 8, 2));
      wave.channels = static_cast<int>(little(bytes, at + 10, 2));
      wave.sampleRate = static_cast<int>(little(bytes, at + 12, 4));
      wave.byteRate = static_cast<int>(little(bytes, at + 16, 4));
      wave.blockAlign = static_cast<int>(little(bytes, at + 20, 2));
      wave.bits = static_cast<int>(little(bytes, at + 22, 2));
      haveFormat = true;
    } else if (id == "data" && haveFormat && size % 2 == 0) {
      for (std::uint32_t i = 0; i < size; i += 2)
        wave.samples.push_back(static_cast<std::int16_t>(little(bytes, at + 8 + i, 2)));
      haveData = true;
    }
    at += 8 + size + size % 2;
  }
  if (!haveData) return std::nullopt;
  return wave;
}

int peak(const std::vector<std::int16_t>& samples) {
  int loudest = 0;
  for (auto s : samples) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
  return loudest;
}

void expectPlayablePcm(const Wave& wave) {
  EXPECT_EQ(wave.format, 1);
  EXPECT_EQ(wave.bits, 16);
  EXPECT_GE(wave.channels, 1);
  EXPECT_GE(wave.sampleRate, 22050);
  EXPECT_EQ(wave.blockAlign, wave.channels * 2);
  EXPECT_EQ(wave.byteRate, wave.sampleRate * wave.blockAlign);
  // Loud enough to hear, with headroom, and no click at either end.
  EXPECT_GT(peak(wave.samples), 16000);
  EXPECT_LT(peak(wave.samples), 32767);
  ASSERT_FALSE(wave.samples.empty());
  EXPECT_LT(std::abs(static_cast<int>(wave.samples.front())), 2000);
  EXPECT_LT(std::abs(static_cast<int>(wave.samples.back())), 2000);
}

const std::string kPlayDir = KLONDIKE_PLAY_DIR;

TEST(GameSounds, TheRefusalCueIsAShortKnock) {
  const auto wave = readWave(kPlayDir + "/mirt_1.wav");
  ASSERT_TRUE(wave.has_value());
  expectPlayablePcm(*wave);
  EXPECT_GE(wave->seconds(), 0.04);
  EXPECT_LE(wave->seconds(), 0.2);
}

TEST(GameSounds, TheWinCueIsAFanfareOfAboutASecondAndAHalf) {
  const auto wave = readWave(kPlayDir + "/mirt_2.wav");
  ASSERT_TRUE(wave.has_value());
  expectPlayablePcm(*wave);
  EXPECT_GE(wave->seconds(), 1.0);
  EXPECT_LE(wave->seconds(), 2.5);
  // Still sounding after its first second: the held chord at the end.
  const auto from = static_cast<long>(wave->sampleRate * 1.0);
  const auto to = static_cast<long>(wave->sampleRate * 1.2);
  EXPECT_GT(peak({wave->samples.begin() + from, wave->samples.begin() + to}), 4000);
}

}  // namespace
