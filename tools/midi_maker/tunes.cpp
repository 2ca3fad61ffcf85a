// Three pieces composed for the game: a waltz in G, a march in C and a calm nocturne in A minor.
#include "tools/midi_maker/tunes.h"

#include "tools/midi_maker/notation.h"

namespace midi_maker {

namespace {

constexpr std::uint16_t kTicksPerQuarter = 480;
constexpr std::uint32_t kEighth = kTicksPerQuarter / 2;
constexpr std::uint32_t kQuarter = kTicksPerQuarter;

// General MIDI programs (0-based) and percussion keys.
enum Program : std::uint8_t {
  kPiano = 0,
  kNylonGuitar = 24,
  kViolin = 40,
  kPizzicato = 45,
  kSlowStrings = 49,
  kTrumpet = 56,
  kTuba = 58,
  kFrenchHorn = 60,
  kClarinet = 71,
  kFlute = 73,
};
enum Drum : std::uint8_t { kBassDrum = 36, kSnare = 38, kCrash = 49 };

void addChord(Part& part, const Chord& chord, int lowestKey, std::uint32_t start,
              std::uint32_t length, std::uint8_t velocity) {
  for (int interval : chord.tones)
    part.notes.push_back(
        Note{start, length, keyAtOrAbove(chord.root + interval, lowestKey), velocity});
}

void addNote(Part& part, std::uint8_t key, std::uint32_t start, std::uint32_t length,
             std::uint8_t velocity) {
  part.notes.push_back(Note{start, length, key, velocity});
}

Song waltz() {
  const std::string melody =
      "D5:4 B4:2  G5:4 D5:2  E5:2 G5:2 E5:2  D5:6 "
      "C5:4 A4:2  A5:4 F#5:2  G5:2 F#5:2 E5:2  D5:6 "
      "B4:2 D5:2 G5:2  B5:4 A5:2  G5:2 E5:2 C5:2  C#5:4 E5:2 "
      "F#5:4 E5:2  D5:2 C5:2 A4:2  B4:4 A4:2  G4:6 ";
  const auto chords = parseChords("G G C G D7 D G G G G C A7 D D7 G G");
  const std::uint32_t bar = 3 * kQuarter;

  Song song{"Table Waltz", kTicksPerQuarter, 160, 3, {}};
  Part violin{"Violin", 0, kViolin, 100, 54, {}};
  Part flute{"Flute", 1, kFlute, 80, 74, {}};
  Part piano{"Piano", 2, kPiano, 90, 64, {}};
  Part bass{"Pizzicato", 3, kPizzicato, 95, 60, {}};

  const std::uint32_t second = appendMelody(violin, 0, melody, kEighth, 88);
  appendMelody(violin, second, melody, kEighth, 96);
  appendMelody(flute, second, melody, kEighth, 70);  // the repeat is doubled by the flute

  for (int round = 0; round < 2; ++round) {
    for (std::size_t i = 0; i < chords.size(); ++i) {
      const std::uint32_t start = round * second + static_cast<std::uint32_t>(i) * bar;
      addNote(bass, keyAtOrAbove(chords[i].root, 40), start, kQuarter, 92);
      addChord(piano, chords[i], 60, start + kQuarter, kQuarter * 3 / 4, 58);
      addChord(piano, chords[i], 60, start + 2 * kQuarter, kQuarter * 3 / 4, 52);
    }
  }
  const std::uint32_t end = 2 * second;
  const Chord tonic = parseChords("G").front();
  addNote(bass, keyAtOrAbove(tonic.root, 40), end, bar, 92);
  addChord(piano, tonic, 55, end, bar, 70);
  addNote(violin, 79, end, bar, 90);  // G5

  song.parts = {violin, flute, piano, bass};
  return song;
}

Song march() {
  const std::string melody =
      "G4:2 C5:1 C5:1 C5:2 E5:2  G5:4 E5:2 C5:2  D5:2 D5:1 D5:1 D5:2 F5:2  E5:4 C5:4 "
      "A5:2 A5:1 A5:1 A5:2 F5:2  G5:2 G5:1 G5:1 G5:2 E5:2  F5:2 E5:2 D5:2 B4:2  C5:6 r:2 "
      "E5:2 E5:1 F5:1 G5:2 E5:2  F5:2 F5:1 G5:1 A5:2 F5:2  G5:2 F5:2 E5:2 D5:2  E5:2 G5:2 C6:4 "
      "A5:2 C6:2 A5:2 F5:2  G5:2 E5:2 C5:2 E5:2  D5:2 G5:2 F5:2 D5:2  C5:2 G4:2 C5:4  C5:8";
  const auto chords = parseChords("C C G C F C G C C F G C F C G7 C C");
  const std::uint32_t bar = 4 * kQuarter;

  Song song{"Parade of Kings", kTicksPerQuarter, 116, 4, {}};
  Part trumpet{"Trumpet", 0, kTrumpet, 105, 64, {}};
  Part clarinet{"Clarinet", 1, kClarinet, 75, 80, {}};
  Part horn{"French horn", 2, kFrenchHorn, 80, 48, {}};
  Part tuba{"Tuba", 3, kTuba, 100, 64, {}};
  Part drums{"Drums", 9, 0, 90, 64, {}};

  appendMelody(trumpet, 0, melody, kEighth, 96);
  appendMelody(clarinet, 8 * bar, melody.substr(melody.find("E5:2 E5:1")), kEighth, 64);

  const std::size_t lastBar = chords.size() - 1;
  for (std::size_t i = 0; i < chords.size(); ++i) {
    const std::uint32_t start = static_cast<std::uint32_t>(i) * bar;
    const Chord& chord = chords[i];
    if (i == lastBar) {
      addNote(tuba, keyAtOrAbove(chord.root, 36), start, bar, 100);
      addChord(horn, chord, 55, start, bar, 80);
      addNote(drums, kCrash, start, bar, 100);
      addNote(drums, kBassDrum, start, kQuarter, 110);
      break;
    }
    addNote(tuba, keyAtOrAbove(chord.root, 36), start, kQuarter, 100);
    addNote(tuba, keyAtOrAbove(chord.root + 7, 36), start + 2 * kQuarter, kQuarter, 90);
    addChord(horn, chord, 55, start + kQuarter, kEighth, 70);
    addChord(horn, chord, 55, start + 3 * kQuarter, kEighth, 70);
    addNote(drums, kBassDrum, start, kEighth, 100);
    addNote(drums, kBassDrum, start + 2 * kQuarter, kEighth, 90);
    addNote(drums, kSnare, start + kQuarter, kEighth, 80);
    addNote(drums, kSnare, start + 3 * kQuarter, kEighth, 80);
    if (i % 2 == 1) addNote(drums, kSnare, start + 3 * kQuarter + kEighth, kEighth, 60);
    if (i == 0 || i == 8) addNote(drums, kCrash, start, bar, 90);
  }

  song.parts = {trumpet, clarinet, horn, tuba, drums};
  return song;
}

Song nocturne() {
  const std::string melody =
      "A4:3 B4:1 C5:4  A4:3 G4:1 F4:4  E4:2 G4:2 C5:4  B4:6 r:2 "
      "C5:3 D5:1 E5:4  F5:3 E5:1 C5:4  D5:2 B4:2 G4:2 B4:2  C5:6 r:2 "
      "A5:4 F5:2 C5:2  B4:4 D5:2 G5:2  E5:4 C5:2 A4:2  C5:8";
  const auto chords = parseChords("Am F C G Am F G C F G Am C");
  const std::uint32_t bar = 4 * kQuarter;

  Song song{"Quiet Evening", kTicksPerQuarter, 84, 4, {}};
  Part flute{"Flute", 0, kFlute, 95, 70, {}};
  Part guitar{"Guitar", 1, kNylonGuitar, 90, 56, {}};
  Part strings{"Strings", 2, kSlowStrings, 62, 64, {}};

  appendMelody(flute, 0, melody, kEighth, 78);

  const std::size_t lastBar = chords.size() - 1;
  for (std::size_t i = 0; i < chords.size(); ++i) {
    const std::uint32_t start = static_cast<std::uint32_t>(i) * bar;
    const Chord& chord = chords[i];
    addChord(strings, chord, 55, start, bar, 60);
    if (i == lastBar) {
      addChord(guitar, chord, 48, start, bar, 70);
      addNote(guitar, keyAtOrAbove(chord.root, 36), start, bar, 70);
      break;
    }
    // Broken chord in eighths: root, fifth, octave, third, fifth, third, octave, fifth.
    const int root = keyAtOrAbove(chord.root, 45);
    const int third = chord.tones[1];
    const int pattern[8] = {0, 7, 12, 12 + third, 19, 12 + third, 12, 7};
    for (int step = 0; step < 8; ++step)
      addNote(guitar, static_cast<std::uint8_t>(root + pattern[step]), start + step * kEighth,
              2 * kEighth, step == 0 ? 72 : 58);
  }

  song.parts = {flute, guitar, strings};
  return song;
}

}  // namespace

std::vector<Tune> gameTunes() {
  return {{"Waltz.mid", waltz()}, {"March.mid", march()}, {"Nocturne.mid", nocturne()}};
}

}  // namespace midi_maker
