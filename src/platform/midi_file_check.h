#pragma once
// A structural check of Standard MIDI Files, made before a file is handed to the synthesizer:
// the synthesizer only parses a file when it starts playing it, and a broken file would then end
// at once instead of being refused when it is opened.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// True when the bytes hold a header chunk "MThd" (length >= 6, format 0..2, at least one track,
// a non-zero division) followed by the announced number of "MTrk" chunks, each lying within the
// data. Chunks of other types between them are skipped.
bool isStandardMidiFile(const std::uint8_t* data, std::size_t size);

// The parts of a Standard MIDI File that a reader of its events needs: the header's division and
// the bodies of its "MTrk" chunks, in file order, each lying within the data.
struct MidiTracks {
  std::uint16_t division = 0;
  struct Body {
    const std::uint8_t* data;
    std::size_t size;
  };
  std::vector<Body> tracks;
};
// Nothing when isStandardMidiFile is false.
std::optional<MidiTracks> midiTracks(const std::uint8_t* data, std::size_t size);

}  // namespace platform
