// Standard MIDI File writer: header chunk, a conductor track, one track per part.
#include "tools/midi_maker/midi_writer.h"

#include <algorithm>
#include <tuple>

namespace midi_maker {

namespace {

using Bytes = std::vector<std::uint8_t>;

void putBigEndian(Bytes& out, std::uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// Delta times are variable-length quantities: 7 bits per byte, high bit set on all but the last.
void putVariableLength(Bytes& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = value & 0x7F;
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(groups[--count] | 0x80);
  out.push_back(groups[0]);
}

struct Event {
  std::uint32_t tick;
  int order;  // at the same tick: note-offs before set-up before note-ons
  Bytes data;
};

void putMetaText(Bytes& data, std::uint8_t type, const std::string& text) {
  data = {0xFF, type};
  putVariableLength(data, static_cast<std::uint32_t>(text.size()));
  data.insert(data.end(), text.begin(), text.end());
}

Bytes trackChunk(std::vector<Event> events, std::uint32_t endTick) {
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return std::tie(a.tick, a.order) < std::tie(b.tick, b.order);
  });
  Bytes body;
  std::uint32_t now = 0;
  for (const Event& event : events) {
    putVariableLength(body, event.tick - now);
    now = event.tick;
    body.insert(body.end(), event.data.begin(), event.data.end());
  }
  putVariableLength(body, endTick > now ? endTick - now : 0);
  body.insert(body.end(), {0xFF, 0x2F, 0x00});  // end of track

  Bytes chunk = {'M', 'T', 'r', 'k'};
  putBigEndian(chunk, static_cast<std::uint32_t>(body.size()), 4);
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

Bytes conductorTrack(const Song& song, std::uint32_t endTick) {
  std::vector<Event> events;
  Event title{0, 0, {}};
  putMetaText(title.data, 0x03, song.title);
  events.push_back(title);
  const std::uint32_t microsecondsPerQuarter =
      60000000u / std::max<std::uint32_t>(1, song.beatsPerMinute);
  Event tempo{0, 0, {0xFF, 0x51, 0x03}};
  putBigEndian(tempo.data, microsecondsPerQuarter, 3);
  events.push_back(tempo);
  // Metre n/4, a click every quarter, 8 thirty-seconds per quarter.
  events.push_back(Event{0, 0, {0xFF, 0x58, 0x04, song.beatsPerBar, 2, 24, 8}});
  return trackChunk(std::move(events), endTick);
}

Bytes partTrack(const Part& part, std::uint32_t endTick) {
  const std::uint8_t channel = part.channel & 0x0F;
  std::vector<Event> events;
  Event name{0, 1, {}};
  putMetaText(name.data, 0x03, part.name);
  events.push_back(name);
  if (channel != 9)
    events.push_back(Event{0, 1, {static_cast<std::uint8_t>(0xC0 | channel), part.program}});
  events.push_back(Event{0, 1, {static_cast<std::uint8_t>(0xB0 | channel), 7, part.volume}});
  events.push_back(Event{0, 1, {static_cast<std::uint8_t>(0xB0 | channel), 10, part.pan}});
  for (const Note& note : part.notes) {
    const std::uint8_t key = note.key & 0x7F;
    const std::uint8_t velocity = std::clamp<std::uint8_t>(note.velocity, 1, 127);
    events.push_back(
        Event{note.start, 2, {static_cast<std::uint8_t>(0x90 | channel), key, velocity}});
    events.push_back(
        Event{note.start + note.length, 0, {static_cast<std::uint8_t>(0x80 | channel), key, 64}});
  }
  return trackChunk(std::move(events), endTick);
}

}  // namespace

std::uint32_t songLengthTicks(const Song& song) {
  std::uint32_t end = 0;
  for (const Part& part : song.parts)
    for (const Note& note : part.notes) end = std::max(end, note.start + note.length);
  return end;
}

std::vector<std::uint8_t> writeStandardMidiFile(const Song& song) {
  const std::uint32_t endTick = songLengthTicks(song);
  Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  putBigEndian(file, static_cast<std::uint32_t>(song.parts.size() + 1), 2);
  putBigEndian(file, song.ticksPerQuarter, 2);
  const Bytes conductor = conductorTrack(song, endTick);
  file.insert(file.end(), conductor.begin(), conductor.end());
  for (const Part& part : song.parts) {
    const Bytes track = partTrack(part, endTick);
    file.insert(file.end(), track.begin(), track.end());
  }
  return file;
}

}  // namespace midi_maker
