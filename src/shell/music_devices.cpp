#include "shell/music_devices.h"

#include "music/mpeg_player.h"
#include "platform/midi_sequencer.h"

namespace shell {

std::optional<music::SequencerFailure> SequencerOutput::open(const std::string& path) {
  if (sequencer_.open(path)) return std::nullopt;
  return music::SequencerFailure{sequencer_.errorCode(), sequencer_.errorText()};
}

int SequencerOutput::play() { return sequencer_.play(); }
void SequencerOutput::stop() { sequencer_.stop(); }
void SequencerOutput::close() { sequencer_.close(); }

namespace {

// The music control sees a failed MP3 command as a plain result, never as an exception.
template <typename Command>
bool succeeds(Command command) {
  try {
    command();
    return true;
  } catch (const music::Mp3PlayerError&) {
    return false;
  }
}

}  // namespace

bool Mp3PlayerOutput::open(const std::string& path) {
  return succeeds([&] {
    player_.setStreamName(path);
    player_.open();
  });
}

bool Mp3PlayerOutput::play() {
  return succeeds([&] { player_.play(); });
}

// Stopping a song that has just ended, or closing when nothing is open, is no failure here.
void Mp3PlayerOutput::stop() {
  succeeds([&] { player_.stop(); });
}
void Mp3PlayerOutput::close() {
  succeeds([&] { player_.close(); });
}

}  // namespace shell
