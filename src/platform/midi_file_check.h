#pragma once
// A structural check of Standard MIDI Files, made before a file is handed to the synthesizer:
// the synthesizer only parses a file when it starts playing it, and a broken file would then end
// at once instead of being refused when it is opened.
#include <cstddef>
#include <cstdint>

namespace platform {

// True when the bytes hold a header chunk "MThd" (length >= 6, format 0..2, at least one track,
// a non-zero division) followed by the announced number of "MTrk" chunks, each lying within the
// data. Chunks of other types between them are skipped.
bool isStandardMidiFile(const std::uint8_t* data, std::size_t size);

}  // namespace platform
