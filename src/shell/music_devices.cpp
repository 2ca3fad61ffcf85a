#include "shell/music_devices.h"

#include "mpeg_player.h"
#include "platform/midi_sequencer.h"

namespace shell {

std::optional<music::SequencerFailure> SequencerOutput::open(const std::string& path) {
  if (sequencer_.open(path)) return std::nullopt;
  return music::SequencerFailure{sequencer_.errorCode(), sequencer_.errorText()};
}

int SequencerOutput::play() { return sequencer_.play(); }
void SequencerOutput::stop() { sequencer_.stop(); }
void SequencerOutput::close() { sequencer_.close(); }

bool Mp3PlayerOutput::open(const std::string& path) {
  try {
    player_.SetStreamName(path);
    player_.Open();
    return true;
  } catch (const TMPEGError&) {
    return false;
  }
}

bool Mp3PlayerOutput::play() {
  try {
    player_.Play();
    return true;
  } catch (const TMPEGError&) {
    return false;
  }
}

// Stopping a song that has just ended, or closing when nothing is open, is no failure here.
void Mp3PlayerOutput::stop() {
  try {
    player_.Stop();
  } catch (const TMPEGError&) {
  }
}

void Mp3PlayerOutput::close() {
  try {
    player_.Close();
  } catch (const TMPEGError&) {
  }
}

}  // namespace shell
