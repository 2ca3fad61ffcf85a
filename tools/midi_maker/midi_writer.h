#pragma once
// Writes Standard MIDI Files (format 1): one conductor track with tempo and metre, then one track
// per instrument. Toolkit-free, so tests can make small songs of their own.
#include <cstdint>
#include <string>
#include <vector>

namespace midi_maker {

struct Note {
  std::uint32_t start = 0;     // ticks from the beginning of the song
  std::uint32_t length = 0;    // ticks
  std::uint8_t key = 60;       // 60 = middle C
  std::uint8_t velocity = 80;  // 1..127
};

struct Part {
  std::string name;
  std::uint8_t channel = 0;   // 0..15; 9 is the General MIDI percussion channel
  std::uint8_t program = 0;   // General MIDI instrument, 0-based (ignored on channel 9)
  std::uint8_t volume = 100;  // controller 7
  std::uint8_t pan = 64;      // controller 10
  std::vector<Note> notes;
};

struct Song {
  std::string title;
  std::uint16_t ticksPerQuarter = 480;
  std::uint32_t beatsPerMinute = 120;  // quarter notes per minute
  std::uint8_t beatsPerBar = 4;        // metre n/4
  std::vector<Part> parts;
};

// The complete file image. Notes of a part may overlap and come in any order.
std::vector<std::uint8_t> writeStandardMidiFile(const Song& song);

// Length of the song in ticks: the end of its last note.
std::uint32_t songLengthTicks(const Song& song);

}  // namespace midi_maker
