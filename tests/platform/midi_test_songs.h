// Short MIDI songs for the tests that play through the sequencer, and a wait that lets the
// sequencer's queued notices arrive.
#pragma once

#include "tools/midi_maker/midi_writer.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdint>
#include <fstream>
#include <string>

namespace miditest {

// Writes a song of `notes` quarter notes at 240 beats per minute (a quarter of a second each).
inline void writeShortSong(const std::string& path, int notes) {
  midi_maker::Song song;
  song.beatsPerMinute = 240;
  midi_maker::Part piano;
  for (int i = 0; i < notes; ++i)
    piano.notes.push_back({static_cast<std::uint32_t>(i) * song.ticksPerQuarter,
                           song.ticksPerQuarter, static_cast<std::uint8_t>(60 + i % 12), 90});
  song.parts = {piano};
  const auto bytes = midi_maker::writeStandardMidiFile(song);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// Runs the event loop for `ms` milliseconds.
inline void settle(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace miditest
