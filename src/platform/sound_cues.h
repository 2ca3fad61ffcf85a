#pragma once
// Short wave sounds (refusal, end of game) played in the background.
#include <string>

namespace platform {

// Something that plays a wave file and returns at once. Windows take a reference to this
// interface so that tests can count the cues instead of playing them.
class SoundCuePlayer {
 public:
  virtual ~SoundCuePlayer() = default;
  // Starts playing the wave file at `path` and returns at once. A missing or unplayable file,
  // or a machine without audio, is silently ignored.
  virtual void play(const std::string& path) = 0;
};

// The process-wide player over the audio library's mixer: the first cue opens the audio device
// (ensureAudioOpen), each file is loaded once and kept, and every cue takes a free mixer channel,
// so a cue never cuts off another one.
SoundCuePlayer& soundCues();

}  // namespace platform
