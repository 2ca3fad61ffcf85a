// SDL2's audio calls, from an SDL2 that is loaded on the first audio output: a host that never
// plays through the audio device does not map SDL2 and the sound servers it brings along.
#pragma once

#include <SDL.h>

namespace mpegdll {

struct SdlAudio {
  decltype(&SDL_SetHint) setHint = nullptr;
  decltype(&SDL_InitSubSystem) initSubSystem = nullptr;
  decltype(&SDL_QuitSubSystem) quitSubSystem = nullptr;
  decltype(&SDL_GetAudioDeviceName) getAudioDeviceName = nullptr;
  decltype(&SDL_OpenAudioDevice) openAudioDevice = nullptr;
  decltype(&SDL_CloseAudioDevice) closeAudioDevice = nullptr;
  decltype(&SDL_PauseAudioDevice) pauseAudioDevice = nullptr;
  decltype(&SDL_QueueAudio) queueAudio = nullptr;
  decltype(&SDL_GetQueuedAudioSize) getQueuedAudioSize = nullptr;
  decltype(&SDL_ClearQueuedAudio) clearQueuedAudio = nullptr;
};

// SDL2 loaded with every call above, or null when it cannot be loaded. Loaded once and kept; safe
// to call from any thread.
const SdlAudio* sdlAudio();

}  // namespace mpegdll
