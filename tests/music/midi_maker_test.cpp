// The MIDI writer and the game's own tunes: files that a reader can walk event by event.
#include "platform/midi_file_check.h"
#include "tools/midi_maker/midi_writer.h"
#include "tools/midi_maker/notation.h"
#include "tools/midi_maker/tunes.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct ReadTrack {
  int noteOns = 0;
  int noteOffs = 0;
  std::uint32_t endTick = 0;
  bool endOfTrack = false;
};

// Walks every track of a format-1 file written by the writer (no running status).
std::vector<ReadTrack> readTracks(const Bytes& file) {
  std::vector<ReadTrack> tracks;
  std::size_t pos = 14;
  while (pos + 8 <= file.size()) {
    const std::size_t length = (std::size_t{file[pos + 4]} << 24) | (file[pos + 5] << 16) |
                               (file[pos + 6] << 8) | file[pos + 7];
    std::size_t at = pos + 8;
    const std::size_t end = at + length;
    ReadTrack track;
    while (at < end) {
      std::uint32_t delta = 0;
      std::uint8_t byte;
      do {
        byte = file.at(at++);
        delta = (delta << 7) | (byte & 0x7F);
      } while (byte & 0x80);
      track.endTick += delta;
      const std::uint8_t status = file.at(at++);
      if (status == 0xFF) {
        const std::uint8_t type = file.at(at++);
        const std::uint8_t size = file.at(at++);  // all meta events here are short
        at += size;
        if (type == 0x2F) track.endOfTrack = true;
      } else if ((status & 0xF0) == 0x90) {
        ++track.noteOns, at += 2;
      } else if ((status & 0xF0) == 0x80) {
        ++track.noteOffs, at += 2;
      } else if ((status & 0xF0) == 0xC0) {
        at += 1;
      } else {
        at += 2;
      }
    }
    EXPECT_EQ(at, end);
    tracks.push_back(track);
    pos = end;
  }
  return tracks;
}

TEST(MidiWriter, LongDeltaTimesAndNotesRoundTrip) {
  midi_maker::Song song;
  midi_maker::Part part;
  part.notes = {{0, 10, 60, 90}, {200000, 130, 64, 0}, {100, 20000, 67, 127}};
  song.parts = {part};
  const Bytes file = midi_maker::writeStandardMidiFile(song);
  ASSERT_TRUE(platform::isStandardMidiFile(file.data(), file.size()));
  const auto tracks = readTracks(file);
  ASSERT_EQ(tracks.size(), 2u);
  EXPECT_EQ(tracks[1].noteOns, 3);
  EXPECT_EQ(tracks[1].noteOffs, 3);
  EXPECT_EQ(tracks[1].endTick, 200130u);
  EXPECT_EQ(tracks[0].endTick, 200130u);  // every track ends with the song
  EXPECT_TRUE(tracks[0].endOfTrack && tracks[1].endOfTrack);
}

TEST(MidiWriter, NotationParsesPitchesLengthsAndChords) {
  midi_maker::Part part;
  const std::uint32_t end = midi_maker::appendMelody(part, 100, "C4:2 r:1 F#5:1 Bb3:4", 240, 80);
  EXPECT_EQ(end, 100u + 8 * 240);
  ASSERT_EQ(part.notes.size(), 3u);
  EXPECT_EQ(part.notes[0].key, 60);
  EXPECT_EQ(part.notes[1].key, 78);
  EXPECT_EQ(part.notes[1].start, 100u + 3 * 240);
  EXPECT_EQ(part.notes[2].key, 58);

  const auto chords = midi_maker::parseChords("Am G7 F#");
  ASSERT_EQ(chords.size(), 3u);
  EXPECT_EQ(chords[0].root, 9);
  EXPECT_EQ(chords[0].tones, (std::vector<int>{0, 3, 7}));
  EXPECT_EQ(chords[1].tones, (std::vector<int>{0, 4, 7, 10}));
  EXPECT_EQ(chords[2].root, 6);
  EXPECT_EQ(midi_maker::keyAtOrAbove(9, 60), 69);
  EXPECT_EQ(midi_maker::keyAtOrAbove(0, 60), 60);

  for (const char* bad : {"C4", "H4:2", "C:2", "C4:0", "C44:1"})
    EXPECT_THROW(midi_maker::appendMelody(part, 0, bad, 240, 80), std::invalid_argument) << bad;
  EXPECT_THROW(midi_maker::parseChords("Cx"), std::invalid_argument);
}

TEST(GameTunes, ThreeValidSongsOfTwentyToFortySeconds) {
  const auto tunes = midi_maker::gameTunes();
  ASSERT_EQ(tunes.size(), 3u);
  for (const auto& tune : tunes) {
    SCOPED_TRACE(tune.fileName);
    EXPECT_EQ(tune.fileName.substr(tune.fileName.size() - 4), ".mid");
    const Bytes file = midi_maker::writeStandardMidiFile(tune.song);
    ASSERT_TRUE(platform::isStandardMidiFile(file.data(), file.size()));
    const double seconds = 60.0 * midi_maker::songLengthTicks(tune.song) /
                           tune.song.ticksPerQuarter / tune.song.beatsPerMinute;
    EXPECT_GE(seconds, 20.0);
    EXPECT_LE(seconds, 40.0);
    const auto tracks = readTracks(file);
    ASSERT_EQ(tracks.size(), tune.song.parts.size() + 1);
    for (std::size_t i = 1; i < tracks.size(); ++i) {
      EXPECT_GT(tracks[i].noteOns, 0);
      EXPECT_EQ(tracks[i].noteOns, tracks[i].noteOffs);
    }
  }
}

}  // namespace
