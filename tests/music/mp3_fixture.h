// Test material for the MP3 decoder: a generated tone, encoded by lame, and libmpg123's own
// decoding of it for comparison.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mp3test {

using Bytes = std::vector<unsigned char>;

Bytes readFile(const std::string& path);
void writeFile(const std::string& path, const Bytes& bytes);

// 16-bit stereo PCM WAV: 440 Hz on the left, 660 Hz on the right.
void writeToneWav(const std::string& path, double seconds, int rate = 44100);
// Runs lame on the WAV; false when it fails.
bool encodeMp3(const std::string& wav, const std::string& mp3);

struct Decoded {
  Bytes pcm;  // 16-bit native-endian interleaved samples
  long rate = 0;
  int channels = 0;
  int64_t frames() const {
    return channels ? static_cast<int64_t>(pcm.size()) / (2 * channels) : 0;
  }
};
// The whole file decoded by libmpg123 directly, with its default (gapless) settings.
Decoded decodeMp3(const std::string& mp3);

}  // namespace mp3test
