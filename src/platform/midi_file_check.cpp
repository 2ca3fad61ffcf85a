#include "platform/midi_file_check.h"

#include <cstring>

namespace platform {

namespace {

std::uint32_t bigEndian32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         p[3];
}

std::uint16_t bigEndian16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

}  // namespace

std::optional<MidiTracks> midiTracks(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kChunkHead = 8;
  if (data == nullptr || size < kChunkHead + 6 || std::memcmp(data, "MThd", 4) != 0)
    return std::nullopt;
  const std::uint32_t headerLength = bigEndian32(data + 4);
  if (headerLength < 6 || headerLength > size - kChunkHead) return std::nullopt;
  const std::uint16_t format = bigEndian16(data + 8);
  const std::uint16_t tracks = bigEndian16(data + 10);
  const std::uint16_t division = bigEndian16(data + 12);
  if (format > 2 || tracks == 0 || division == 0) return std::nullopt;
  if (format == 0 && tracks != 1) return std::nullopt;

  MidiTracks result;
  result.division = division;
  std::size_t pos = kChunkHead + headerLength;
  while (result.tracks.size() < tracks) {
    if (size - pos < kChunkHead) return std::nullopt;
    const std::uint32_t length = bigEndian32(data + pos + 4);
    if (length > size - pos - kChunkHead) return std::nullopt;
    if (std::memcmp(data + pos, "MTrk", 4) == 0)
      result.tracks.push_back({data + pos + kChunkHead, length});
    pos += kChunkHead + length;
  }
  return result;
}

bool isStandardMidiFile(const std::uint8_t* data, std::size_t size) {
  return midiTracks(data, size).has_value();
}

}  // namespace platform
