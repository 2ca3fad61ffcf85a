#include "platform/audio_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace platform {

namespace {

bool openAudio() {
  // Starting audio starts SDL's event subsystem, which would otherwise catch SIGINT and SIGTERM
  // and turn them into quit events that nothing here reads: Ctrl+C, kill and a logout must still
  // end the game.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  // 1024 frames keep the delay between a click and its sound around 23 ms.
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  // Enough channels that overlapping cues never wait for each other.
  Mix_AllocateChannels(16);
  return true;
}

}  // namespace

bool ensureAudioOpen() {
  static const bool opened = openAudio();
  return opened;
}

}  // namespace platform
