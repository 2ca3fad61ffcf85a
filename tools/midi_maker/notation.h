#pragma once
// A compact text notation for writing tunes by hand.
//   Melody: "E5:2 r:1 F#4:3" = pitch (letter, optional # or b, octave; C4 is middle C) or r for a
//   rest, then the length in eighth notes.
//   Chords: "C Am F G7 D7 Em" = root, optional # or b, optional m (minor), optional 7.
// Malformed text throws std::invalid_argument: tunes are fixed, so a typo must stop the build.
#include "tools/midi_maker/midi_writer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace midi_maker {

struct Chord {
  int root = 0;            // pitch class, 0 = C
  std::vector<int> tones;  // semitones above the root, the root (0) first
};

// Appends the melody's notes to `part`, starting at tick `start`; returns the tick after it.
std::uint32_t appendMelody(Part& part, std::uint32_t start, const std::string& melody,
                           std::uint32_t ticksPerEighth, std::uint8_t velocity);

std::vector<Chord> parseChords(const std::string& chords);

// MIDI key of a chord tone: the pitch class `root + interval` placed at or above `lowestKey`.
std::uint8_t keyAtOrAbove(int pitchClass, int lowestKey);

}  // namespace midi_maker
