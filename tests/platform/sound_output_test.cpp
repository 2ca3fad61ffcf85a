// Plays the refusal cue through SDL's disk audio driver and checks that real sound came out.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio_device.h"
#include "platform/sound_cues.h"
#include "tests/platform/scratch_folder.h"

namespace {

// The loudest 16-bit sample written so far.
int loudestSample(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int loudest = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto sample = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[i]) |
                                                  (static_cast<unsigned char>(bytes[i + 1]) << 8));
    loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
  }
  return loudest;
}

TEST(SoundOutput, TheRefusalCueReachesTheAudioDevice) {
  const ScratchFolder dir;
  const std::string output = dir.file("output.raw");
  ::setenv("SDL_AUDIODRIVER", "disk", 1);
  ::setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
  ASSERT_TRUE(platform::ensureAudioOpen());
  platform::soundCues().play(std::string(KLONDIKE_PLAY_DIR) + "/mirt_1.wav");

  // The disk driver writes as the mixer runs; give it a few seconds at most.
  int loudest = 0;
  for (int attempt = 0; attempt < 100 && loudest < 8000; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    loudest = loudestSample(output);
  }
  EXPECT_GE(loudest, 8000);
}

}  // namespace
