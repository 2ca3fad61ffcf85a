// A machine without any usable audio device: cues stay silent and nothing fails.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/audio_device.h"
#include "platform/sound_cues.h"

namespace {

TEST(NoAudio, CuesAreSilentWhenNoDeviceOpens) {
  ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_FALSE(platform::ensureAudioOpen());
  EXPECT_FALSE(platform::ensureAudioOpen()) << "the failed attempt is not repeated";
  platform::soundCues().play(std::string(KLONDIKE_PLAY_DIR) + "/mirt_1.wav");
  platform::soundCues().play("/no/such/file.wav");
}

}  // namespace
