#include "tools/midi_maker/notation.h"

#include <sstream>
#include <stdexcept>

namespace midi_maker {

namespace {

int pitchClassOfLetter(char letter) {
  switch (letter) {
    case 'C': return 0;
    case 'D': return 2;
    case 'E': return 4;
    case 'F': return 5;
    case 'G': return 7;
    case 'A': return 9;
    case 'B': return 11;
  }
  throw std::invalid_argument(std::string("not a note letter: ") + letter);
}

// Reads letter and accidental from token[pos...]; returns the pitch class (may be -1 or 12).
int readPitchClass(const std::string& token, std::size_t& pos) {
  if (pos >= token.size()) throw std::invalid_argument("missing note in '" + token + "'");
  int pitch = pitchClassOfLetter(token[pos++]);
  if (pos < token.size() && token[pos] == '#')
    ++pitch, ++pos;
  else if (pos < token.size() && token[pos] == 'b')
    --pitch, ++pos;
  return pitch;
}

}  // namespace

std::uint32_t appendMelody(Part& part, std::uint32_t start, const std::string& melody,
                           std::uint32_t ticksPerEighth, std::uint8_t velocity) {
  std::istringstream tokens(melody);
  std::string token;
  std::uint32_t now = start;
  while (tokens >> token) {
    const std::size_t colon = token.find(':');
    if (colon == std::string::npos || colon + 1 >= token.size())
      throw std::invalid_argument("missing length in '" + token + "'");
    const int eighths = std::stoi(token.substr(colon + 1));
    if (eighths <= 0) throw std::invalid_argument("bad length in '" + token + "'");
    const std::uint32_t length = static_cast<std::uint32_t>(eighths) * ticksPerEighth;
    if (token.substr(0, colon) != "r") {
      std::size_t pos = 0;
      const int pitch = readPitchClass(token, pos);
      if (pos + 1 != colon || token[pos] < '0' || token[pos] > '8')
        throw std::invalid_argument("bad octave in '" + token + "'");
      const int key = 12 * (token[pos] - '0' + 1) + pitch;
      // A short gap before the next note keeps repeated notes distinct.
      part.notes.push_back(
          Note{now, length - length / 8, static_cast<std::uint8_t>(key), velocity});
    }
    now += length;
  }
  return now;
}

std::vector<Chord> parseChords(const std::string& chords) {
  std::istringstream tokens(chords);
  std::string token;
  std::vector<Chord> result;
  while (tokens >> token) {
    std::size_t pos = 0;
    Chord chord;
    chord.root = (readPitchClass(token, pos) + 12) % 12;
    const bool minor = pos < token.size() && token[pos] == 'm';
    if (minor) ++pos;
    chord.tones = {0, minor ? 3 : 4, 7};
    if (pos < token.size() && token[pos] == '7') {
      chord.tones.push_back(10);
      ++pos;
    }
    if (pos != token.size()) throw std::invalid_argument("bad chord '" + token + "'");
    result.push_back(chord);
  }
  return result;
}

std::uint8_t keyAtOrAbove(int pitchClass, int lowestKey) {
  int key = lowestKey + ((pitchClass - lowestKey) % 12 + 12) % 12;
  return static_cast<std::uint8_t>(key);
}

}  // namespace midi_maker
