// The playing time read from a MIDI file's own events, on hand-made and malformed files.
#include "platform/midi_song_length.h"
#include "tools/midi_maker/midi_writer.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A file of the given tracks (their event bytes), format 1 unless there is only one track.
Bytes midiFile(std::initializer_list<Bytes> tracks, std::uint16_t division = 480) {
  Bytes file = {'M',
                'T',
                'h',
                'd',
                0,
                0,
                0,
                6,
                0,
                static_cast<std::uint8_t>(tracks.size() > 1),
                0,
                static_cast<std::uint8_t>(tracks.size()),
                static_cast<std::uint8_t>(division >> 8),
                static_cast<std::uint8_t>(division)};
  for (const Bytes& events : tracks) {
    const auto n = static_cast<std::uint32_t>(events.size());
    file.insert(file.end(), {'M', 'T', 'r', 'k', static_cast<std::uint8_t>(n >> 24),
                             static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 8),
                             static_cast<std::uint8_t>(n)});
    file.insert(file.end(), events.begin(), events.end());
  }
  return file;
}

std::optional<double> seconds(const Bytes& file) {
  return platform::midiSongSeconds(file.data(), file.size());
}

// Delta 960 (0x87 0x40) and 480 (0x83 0x60) as variable-length quantities.
const Bytes kOneSecondNote = {0x00, 0x90, 60, 100, 0x87, 0x40, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0};

TEST(MidiSongLength, FollowsTheTempoMapToTheLastEvent) {
  const Bytes tempoChangeAtHalfTime = {0x00, 0xFF, 0x51, 3,    0x07, 0xA1, 0x20,  // 0.5 s a quarter
                                       0x83, 0x60, 0xFF, 0x51, 3,    0x0F, 0x42, 0x40,  // then 1 s
                                       0x00, 0xFF, 0x2F, 0};
  const struct {
    const char* file;
    Bytes bytes;
    double seconds;
  } cases[] = {
      {"default tempo, 960 ticks", midiFile({kOneSecondNote}), 1.0},
      {"slower second half", midiFile({tempoChangeAtHalfTime, kOneSecondNote}), 1.5},
      {"running status", midiFile({{0x00, 0x90, 60, 100, 0x83, 0x60, 60, 0, 0x83, 0x60, 62, 0}}),
       1.0},
      {"one-byte messages, system exclusive and text",
       midiFile({{0x00, 0xC0, 5,   0x00, 0xF0, 2, 0x7E, 0xF7, 0x00, 0xFF, 0x03,
                  2,    'h',  'i', 0x00, 0xD0, 9, 0x87, 0x40, 0xE0, 0,    64}}),
       1.0},
      {"nothing after the end of track counts",
       midiFile({{0x87, 0x40, 0xFF, 0x2F, 0, 0x87, 0x40, 0x90, 1, 2, 0x3C}}), 1.0},
      {"25 frames of 40 ticks a second", midiFile({{0x93, 0x44, 0xFF, 0x2F, 0}}, 0xE728), 2.5},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(seconds(c.bytes).value_or(-1), c.seconds) << c.file;

  // A song written by the game's own MIDI writer: 4 quarter notes at 240 per minute.
  midi_maker::Song song;
  song.beatsPerMinute = 240;
  song.parts.resize(1);
  song.parts[0].notes.push_back({0, 4u * song.ticksPerQuarter, 60, 90});
  EXPECT_DOUBLE_EQ(seconds(midi_maker::writeStandardMidiFile(song)).value_or(-1), 1.0);
}

TEST(MidiSongLength, MalformedTracksHaveNoLength) {
  const struct {
    const char* fault;
    Bytes bytes;
  } cases[] = {
      {"note cut off by the end of its track", midiFile({{0x00, 0x90, 60}})},
      {"meta event longer than its track", midiFile({{0x00, 0xFF, 0x03, 0x10, 'a'}})},
      {"delta time cut off", midiFile({{0x81}})},
      {"delta time of five bytes", midiFile({{0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 1}})},
      {"data byte with no running status", midiFile({{0x00, 60, 100}})},
      {"running status cancelled by a meta event",
       midiFile({{0x00, 0x90, 60, 1, 0x00, 0xFF, 0x01, 0, 0x00, 60, 0}})},
      {"system common message", midiFile({{0x00, 0xF1, 0}})},
      {"meta type cut off", midiFile({{0x00, 0xFF}})},
      {"second track truncated", midiFile({kOneSecondNote, {0x00, 0xB0, 7}})},
      {"no ticks per frame", midiFile({kOneSecondNote}, 0xE700)},
      {"no MIDI file", Bytes(40, 'M')},
  };
  for (const auto& c : cases) EXPECT_EQ(seconds(c.bytes), std::nullopt) << c.fault;
}

}  // namespace
