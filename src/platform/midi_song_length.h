#pragma once
// The playing time of a Standard MIDI File, read from its own events: the synthesizer reports the
// end of a song seconds after its last note, so the sequencer ends the play at this time instead.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace platform {

// Seconds from the start of the song to its last event (usually the end-of-track mark after the
// last note), following every tempo change of the file (tempo events of any track count for all,
// as synthesizers play them). nullopt when the bytes are no Standard MIDI File (see
// isStandardMidiFile) or a track's events are malformed or run past the end of their chunk.
std::optional<double> midiSongSeconds(const std::uint8_t* data, std::size_t size);

}  // namespace platform
