// Runs with SDL's dummy audio driver: the mixer plays in real time into nothing.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <filesystem>

#include <sys/stat.h>

#include "platform/audio_device.h"
#include "platform/sound_cues.h"
#include "tests/platform/scratch_folder.h"

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

TEST_F(SoundCues, ACueReturnsWhilePlayingAndOverlappingCuesGetTheirOwnChannels) {
  platform::soundCues().play(kFanfare);
  EXPECT_EQ(Mix_Playing(-1), 1);  // 1.5 s of sound cannot be over already
  platform::soundCues().play(kFanfare);
  platform::soundCues().play(kFanfare);
  EXPECT_EQ(Mix_Playing(-1), 3);
}

TEST_F(SoundCues, AMissingOrBrokenFileIsSilent) {
  ScratchFolder dir;
  dir.put("broken.wav", "RIFF this is not a wave file");
  platform::soundCues().play(dir.file("missing.wav"));
  platform::soundCues().play(dir.file("broken.wav"));
  platform::soundCues().play(dir.str());  // a folder, not a file
  ASSERT_EQ(::mkfifo(dir.file("pipe.wav").c_str(), 0600), 0);
  // A pipe: the call returns at once instead of waiting for a writer.
  platform::soundCues().play(dir.file("pipe.wav"));
  EXPECT_EQ(Mix_Playing(-1), 0);

  // A file that turns up later is still found: failures are not remembered.
  std::filesystem::copy_file(kFanfare, dir.file("missing.wav"));
  platform::soundCues().play(dir.file("missing.wav"));
  EXPECT_EQ(Mix_Playing(-1), 1);
}

}  // namespace
