#include "platform/sound_cues.h"

#include <SDL_mixer.h>

#include <map>

#include "platform/audio_device.h"
#include "platform/file_io.h"

namespace platform {

namespace {

// Sound cues are short; a larger file is not a cue of ours.
constexpr std::size_t kCueFileLimit = 16 * 1024 * 1024;

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
    // Read through the shared reader (regular files only), so a pipe in place of a cue cannot
    // block the game.
    const auto bytes = readFile(path, kCueFileLimit);
    if (!bytes || bytes->empty()) return nullptr;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes->data(), int(bytes->size())), 1);
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
