// The structural check that keeps broken MIDI files away from the synthesizer.
#include "platform/midi_file_check.h"
#include "tools/midi_maker/midi_writer.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes twoTrackSong() {
  midi_maker::Song song;
  midi_maker::Part part;
  part.notes.push_back({0, 480, 60, 90});
  song.parts = {part};
  return midi_maker::writeStandardMidiFile(song);  // format 1: conductor track + one part
}

bool check(const Bytes& bytes) { return platform::isStandardMidiFile(bytes.data(), bytes.size()); }

TEST(MidiFileCheck, AcceptsWrittenSongsAndTrailingData) {
  Bytes song = twoTrackSong();
  EXPECT_TRUE(check(song));
  song.insert(song.end(), {1, 2, 3});
  EXPECT_TRUE(check(song));
}

TEST(MidiFileCheck, RefusesEveryTruncation) {
  const Bytes song = twoTrackSong();
  for (std::size_t size = 0; size < song.size(); ++size)
    EXPECT_FALSE(platform::isStandardMidiFile(song.data(), size)) << size;
  EXPECT_FALSE(platform::isStandardMidiFile(nullptr, 0));
}

TEST(MidiFileCheck, RefusesBadHeaderFields) {
  const struct {
    std::size_t offset;
    std::uint8_t value;
    const char* fault;
  } faults[] = {
      {0, 'X', "magic"},
      {7, 5, "header shorter than 6"},
      {4, 0x7F, "header longer than the file"},
      {9, 3, "format 3"},
      {9, 0, "format 0 with two tracks"},
      {11, 0, "no tracks"},
      {11, 3, "a third track that is not there"},
      {18, 0xFF, "first track longer than the file"},
  };
  for (const auto& f : faults) {
    Bytes song = twoTrackSong();
    song[f.offset] = f.value;
    EXPECT_FALSE(check(song)) << f.fault;
  }
  Bytes noDivision = twoTrackSong();
  noDivision[12] = noDivision[13] = 0;
  EXPECT_FALSE(check(noDivision)) << "no division";
}

TEST(MidiFileCheck, SkipsUnknownChunksBetweenTracks) {
  Bytes song = twoTrackSong();
  const Bytes extra = {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 9, 9};
  song.insert(song.begin() + 14, extra.begin(), extra.end());
  EXPECT_TRUE(check(song));
}

}  // namespace
