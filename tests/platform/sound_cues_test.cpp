// Runs with SDL's dummy audio driver: the mixer plays in real time into nothing.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "audio_device.h"
#include "sound_cues.h"

namespace {

const std::string kFanfare = std::string(KLONDIKE_PLAY_DIR) + "/mirt_2.wav";

class SoundCues : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(platform::ensureAudioOpen()) << "the dummy driver should always open";
    Mix_HaltChannel(-1);
  }
  void TearDown() override { Mix_HaltChannel(-1); }
};

TEST_F(SoundCues, TheDeviceIsOpenedOnceAndSharedByEveryCaller) {
  EXPECT_TRUE(platform::ensureAudioOpen());
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  EXPECT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 1) << "opened exactly once";
  EXPECT_EQ(frequency, 44100);
  EXPECT_EQ(channels, 2);
}

TEST_F(SoundCues, ACueReturnsWhileItIsStillPlaying) {
  platform::soundCues().play(kFanfare);
  EXPECT_EQ(Mix_Playing(-1), 1);  // 1.5 s of sound cannot be over already
}

TEST_F(SoundCues, OverlappingCuesEachGetTheirOwnChannel) {
  platform::soundCues().play(kFanfare);
  platform::soundCues().play(kFanfare);
  platform::soundCues().play(kFanfare);
  EXPECT_EQ(Mix_Playing(-1), 3);
}

TEST_F(SoundCues, AMissingOrBrokenFileIsSilent) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("sound_cues_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string broken = (dir / "broken.wav").string();
  std::ofstream(broken) << "RIFF this is not a wave file";
  platform::soundCues().play((dir / "missing.wav").string());
  platform::soundCues().play(broken);
  platform::soundCues().play(dir.string());  // a folder, not a file
  const std::string pipe = (dir / "pipe.wav").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  platform::soundCues().play(pipe);  // returns at once instead of waiting for a writer
  EXPECT_EQ(Mix_Playing(-1), 0);

  // A file that turns up later is still found: failures are not remembered.
  std::filesystem::copy_file(kFanfare, dir / "missing.wav");
  platform::soundCues().play((dir / "missing.wav").string());
  EXPECT_EQ(Mix_Playing(-1), 1);
  std::filesystem::remove_all(dir);
}

}  // namespace
