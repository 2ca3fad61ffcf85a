#include "music/mpegdll/sdl_audio.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace mpegdll {
namespace {

#if defined(_WIN32)
void* openSdl() { return LoadLibraryA("SDL2.dll"); }
void* symbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
#else
void* openSdl() {
#if defined(__APPLE__)
  return dlopen("libSDL2-2.0.0.dylib", RTLD_NOW | RTLD_LOCAL);
#else
  return dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
#endif
}
void* symbol(void* library, const char* name) { return dlsym(library, name); }
#endif

template <typename Fn>
bool resolve(void* library, const char* name, Fn& entry) {
  entry = reinterpret_cast<Fn>(symbol(library, name));
  return entry != nullptr;
}

bool load(SdlAudio& s) {
  void* library = openSdl();  // never closed: SDL keeps its audio thread and state in it
  return library != nullptr && resolve(library, "SDL_SetHint", s.setHint) &&
         resolve(library, "SDL_InitSubSystem", s.initSubSystem) &&
         resolve(library, "SDL_QuitSubSystem", s.quitSubSystem) &&
         resolve(library, "SDL_GetAudioDeviceName", s.getAudioDeviceName) &&
         resolve(library, "SDL_OpenAudioDevice", s.openAudioDevice) &&
         resolve(library, "SDL_CloseAudioDevice", s.closeAudioDevice) &&
         resolve(library, "SDL_PauseAudioDevice", s.pauseAudioDevice) &&
         resolve(library, "SDL_QueueAudio", s.queueAudio) &&
         resolve(library, "SDL_GetQueuedAudioSize", s.getQueuedAudioSize) &&
         resolve(library, "SDL_ClearQueuedAudio", s.clearQueuedAudio);
}

}  // namespace

const SdlAudio* sdlAudio() {
  static SdlAudio entries;
  static const SdlAudio* const loaded = load(entries) ? &entries : nullptr;
  return loaded;
}

}  // namespace mpegdll
