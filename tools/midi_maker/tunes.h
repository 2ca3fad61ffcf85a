#pragma once
// The game's own background music: three short General MIDI pieces.
#include "tools/midi_maker/midi_writer.h"

#include <string>
#include <vector>

namespace midi_maker {

struct Tune {
  std::string fileName;  // as listed in the playlist
  Song song;
};

std::vector<Tune> gameTunes();

}  // namespace midi_maker
