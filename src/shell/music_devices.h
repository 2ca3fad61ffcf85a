#pragma once
// The two players of the background music as the music control sees them: the MIDI sequencer and
// the MP3 player component. The component reports failures as exceptions; here they become the
// plain results that the music control acts on.
#include "music/music_outputs.h"

class Mp3Player;

namespace platform {
class MidiSequencer;
}

namespace shell {

class SequencerOutput : public music::MidiOutput {
 public:
  explicit SequencerOutput(platform::MidiSequencer& sequencer) : sequencer_(sequencer) {}
  std::optional<music::SequencerFailure> open(const std::string& path) override;
  int play() override;
  void stop() override;
  void close() override;

 private:
  platform::MidiSequencer& sequencer_;
};

class Mp3PlayerOutput : public music::Mp3Output {
 public:
  explicit Mp3PlayerOutput(Mp3Player& player) : player_(player) {}
  bool open(const std::string& path) override;
  bool play() override;
  void stop() override;
  void close() override;

 private:
  Mp3Player& player_;
};

}  // namespace shell
