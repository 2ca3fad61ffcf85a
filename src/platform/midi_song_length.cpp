#include "platform/midi_song_length.h"

#include "platform/midi_file_check.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter note (120 per minute)

struct TempoChange {
  std::uint64_t tick;
  std::uint32_t microsecondsPerQuarter;
};

// Reads bytes of one track chunk; every read is checked against the chunk's end.
class TrackReader {
 public:
  TrackReader(const std::uint8_t* begin, const std::uint8_t* end) : pos_(begin), end_(end) {}

  bool atEnd() const { return pos_ == end_; }
  bool byte(std::uint8_t& value) {
    if (pos_ == end_) return false;
    value = *pos_++;
    return true;
  }
  bool peek(std::uint8_t& value) const {
    if (pos_ == end_) return false;
    value = *pos_;
    return true;
  }
  // A variable-length quantity: 7 bits a byte, at most four bytes.
  bool variableLength(std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      std::uint8_t b = 0;
      if (!byte(b)) return false;
      value = (value << 7) | (b & 0x7Fu);
      if ((b & 0x80) == 0) return true;
    }
    return false;
  }
  bool skip(std::size_t count) {
    if (static_cast<std::size_t>(end_ - pos_) < count) return false;
    pos_ += count;
    return true;
  }
  const std::uint8_t* position() const { return pos_; }

 private:
  const std::uint8_t* pos_;
  const std::uint8_t* end_;
};

// Walks one track: its last event's tick goes to `lastTick`, its tempo changes to `tempi`.
bool readTrack(TrackReader track, std::uint64_t& lastTick, std::vector<TempoChange>& tempi) {
  std::uint64_t tick = 0;
  std::uint8_t runningStatus = 0;  // 0: none (none yet, or cancelled by a system event)
  while (!track.atEnd()) {
    std::uint32_t delta = 0;
    std::uint8_t status = 0;
    if (!track.variableLength(delta) || !track.peek(status)) return false;
    tick += delta;
    lastTick = std::max(lastTick, tick);
    if (status & 0x80) {
      track.byte(status);
    } else if (runningStatus != 0) {
      status = runningStatus;  // the byte read is the first data byte
    } else {
      return false;
    }
    if (status < 0xF0) {  // a channel message
      runningStatus = status;
      const int type = status & 0xF0;
      if (!track.skip(type == 0xC0 || type == 0xD0 ? 1 : 2)) return false;
      continue;
    }
    runningStatus = 0;
    std::uint8_t metaType = 0;
    if (status == 0xFF) {
      if (!track.byte(metaType)) return false;
    } else if (status != 0xF0 && status != 0xF7) {
      return false;  // real-time and common messages do not occur in files
    }
    std::uint32_t length = 0;
    if (!track.variableLength(length)) return false;
    const std::uint8_t* data = track.position();
    if (!track.skip(length)) return false;
    if (status != 0xFF) continue;
    if (metaType == 0x2F) return true;  // end of track: whatever follows is no part of it
    if (metaType == 0x51 && length >= 3)
      tempi.push_back(
          {tick, (std::uint32_t{data[0]} << 16) | (std::uint32_t{data[1]} << 8) | data[2]});
  }
  return true;
}

}  // namespace

std::optional<double> midiSongSeconds(const std::uint8_t* data, std::size_t size) {
  const std::optional<MidiTracks> file = midiTracks(data, size);
  if (!file) return std::nullopt;
  const std::uint16_t division = file->division;

  std::uint64_t lastTick = 0;
  std::vector<TempoChange> tempi;
  for (const MidiTracks::Body& body : file->tracks)
    if (!readTrack(TrackReader(body.data, body.data + body.size), lastTick, tempi))
      return std::nullopt;

  if (division & 0x8000) {  // SMPTE time: frames per second and ticks per frame, no tempo
    const int framesPerSecond = -static_cast<std::int8_t>(division >> 8);
    const int ticksPerFrame = division & 0xFF;
    if (framesPerSecond <= 0 || ticksPerFrame == 0) return std::nullopt;
    return static_cast<double>(lastTick) / (framesPerSecond * ticksPerFrame);
  }
  std::stable_sort(tempi.begin(), tempi.end(),
                   [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
  double microseconds = 0;
  std::uint64_t tick = 0;
  std::uint32_t tempo = kDefaultTempo;
  for (const TempoChange& change : tempi) {
    if (change.tick >= lastTick) break;
    microseconds += static_cast<double>(change.tick - tick) * tempo;
    tick = change.tick;
    tempo = change.microsecondsPerQuarter;
  }
  microseconds += static_cast<double>(lastTick - tick) * tempo;
  return microseconds / division / 1e6;
}

}  // namespace platform
