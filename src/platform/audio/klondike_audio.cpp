// The audio library's entry points over SDL2 and SDL2_mixer.
#include "platform/audio/klondike_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#if defined(_WIN32)
#define KLONDIKE_AUDIO_API extern "C" __declspec(dllexport)
#else
#define KLONDIKE_AUDIO_API extern "C" __attribute__((visibility("default")))
#endif

KLONDIKE_AUDIO_API int klondike_audio_open(void) {
  // Starting audio starts SDL's event subsystem, which would otherwise catch SIGINT and SIGTERM
  // and turn them into quit events that nothing here reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  // 1024 frames keep the delay between a click and its sound around 23 ms.
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  // Enough channels that overlapping cues never wait for each other.
  Mix_AllocateChannels(16);
  return 1;
}

KLONDIKE_AUDIO_API void klondike_audio_close(void) {
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

KLONDIKE_AUDIO_API int klondike_audio_cues_playing(void) { return Mix_Playing(-1); }

KLONDIKE_AUDIO_API void* klondike_audio_load_cue(const void* bytes, int size) {
  return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes, size), 1);
}

KLONDIKE_AUDIO_API void klondike_audio_play_cue(void* cue) {
  Mix_PlayChannel(-1, static_cast<Mix_Chunk*>(cue), 0);
}

KLONDIKE_AUDIO_API int klondike_audio_has_midi(void) {
  Mix_Init(MIX_INIT_MID);  // the MIDI decoders register themselves here
  return Mix_HasMusicDecoder("FLUIDSYNTH") || Mix_HasMusicDecoder("NATIVEMIDI");
}

KLONDIKE_AUDIO_API void* klondike_audio_load_midi(const void* bytes, int size) {
  SDL_RWops* source = SDL_RWFromConstMem(bytes, size);
  return source ? Mix_LoadMUSType_RW(source, MUS_MID, 1) : nullptr;
}

KLONDIKE_AUDIO_API int klondike_audio_play_song(void* song, void (*finished)(void)) {
  Mix_HookMusicFinished(finished);
  return Mix_PlayMusic(static_cast<Mix_Music*>(song), 0) == 0 ? 0 : -1;
}

KLONDIKE_AUDIO_API void klondike_audio_halt_song(void) { Mix_HaltMusic(); }

KLONDIKE_AUDIO_API void klondike_audio_free_song(void* song) {
  Mix_FreeMusic(static_cast<Mix_Music*>(song));
}

KLONDIKE_AUDIO_API const char* klondike_audio_last_error(void) { return Mix_GetError(); }
