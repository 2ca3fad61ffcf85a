#include "platform/sound_cues.h"

#include <map>

#include "platform/audio_device.h"
#include "platform/audio_library.h"
#include "platform/file_io.h"

namespace platform {

namespace {

// Sound cues are short; a larger file is not a cue of ours.
constexpr std::size_t kCueFileLimit = 16 * 1024 * 1024;

class SdlSoundCues final : public SoundCuePlayer {
 public:
  void play(const std::string& path) override {
    if (!ensureAudioOpen()) return;
    if (void* cue = cueFor(path)) audioLibrary()->playCue(cue);
  }

 private:
  // Loaded cues stay for the whole run (a cue may still be playing at any time). A file that fails
  // to load is not remembered, so one that appears later is still found.
  void* cueFor(const std::string& path) {
    if (auto found = cues_.find(path); found != cues_.end()) return found->second;
    // Read through the shared reader (regular files only), so a pipe in place of a cue cannot
    // block the game.
    const auto bytes = readFile(path, kCueFileLimit);
    if (!bytes || bytes->empty()) return nullptr;
    void* cue = audioLibrary()->loadCue(bytes->data(), int(bytes->size()));
    if (cue != nullptr) cues_.emplace(path, cue);
    return cue;
  }

  std::map<std::string, void*> cues_;
};

}  // namespace

SoundCuePlayer& soundCues() {
  static SdlSoundCues cues;
  return cues;
}

}  // namespace platform
