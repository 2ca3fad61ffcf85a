// The structural check that keeps broken MIDI files away from the synthesizer.
#include "midi_file_check.h"
#include "midi_writer.h"

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
  const Bytes good = twoTrackSong();
  auto with = [&](std::size_t offset, std::uint8_t value) {
    Bytes copy = good;
    copy[offset] = value;
    return copy;
  };
  EXPECT_FALSE(check(with(0, 'X')));     // magic
  EXPECT_FALSE(check(with(7, 5)));       // header shorter than 6
  EXPECT_FALSE(check(with(4, 0x7F)));    // header longer than the file
  EXPECT_FALSE(check(with(9, 3)));       // format 3
  EXPECT_FALSE(check(with(9, 0)));       // format 0 with two tracks
  EXPECT_FALSE(check(with(11, 0)));      // no tracks
  EXPECT_FALSE(check(with(11, 3)));      // a third track that is not there
  Bytes noDivision = with(12, 0);
  noDivision[13] = 0;
  EXPECT_FALSE(check(noDivision));
  EXPECT_FALSE(check(with(18, 0xFF)));   // first track longer than the file
}

TEST(MidiFileCheck, SkipsUnknownChunksBetweenTracks) {
  Bytes song = twoTrackSong();
  const Bytes extra = {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 9, 9};
  song.insert(song.begin() + 14, extra.begin(), extra.end());
  EXPECT_TRUE(check(song));
}

}  // namespace
