#include "sound_cues.h"

#include <SDL_mixer.h>

#include <map>

#include "audio_device.h"

namespace platform {

namespace {

class SdlSoundCues final : public SoundCuePlayer {
public:
  void play(const std::string& path) override {
    if (!ensureAudioOpen()) return;
    Mix_Chunk* chunk = chunkFor(path);
    if (chunk != nullptr) Mix_PlayChannel(-1, chunk, 0);  // no free channel: the cue is skipped
  }

private:
  // Loaded chunks stay for the whole run (a chunk may still be playing at any time). A file that
  // fails to load is not remembered, so one that appears later is still found.
  Mix_Chunk* chunkFor(const std::string& path) {
    if (auto found = chunks_.find(path); found != chunks_.end()) return found->second;
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (chunk != nullptr) chunks_.emplace(path, chunk);
    return chunk;
  }

  std::map<std::string, Mix_Chunk*> chunks_;
};

}  // namespace

SoundCuePlayer& soundCues() {
  static SdlSoundCues cues;
  return cues;
}

}  // namespace platform
