#include "tests/music/mp3_fixture.h"

#include <mpg123.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numbers>

namespace mp3test {

Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

namespace {
void put(Bytes& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}
}  // namespace

void writeToneWav(const std::string& path, double seconds, int rate) {
  const uint32_t frames = static_cast<uint32_t>(seconds * rate);
  const uint32_t dataBytes = frames * 4;
  Bytes wav;
  wav.insert(wav.end(), {'R', 'I', 'F', 'F'});
  put(wav, 36 + dataBytes, 4);
  wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put(wav, 16, 4);
  put(wav, 1, 2);  // PCM
  put(wav, 2, 2);  // stereo
  put(wav, rate, 4);
  put(wav, rate * 4, 4);
  put(wav, 4, 2);
  put(wav, 16, 2);
  wav.insert(wav.end(), {'d', 'a', 't', 'a'});
  put(wav, dataBytes, 4);
  for (uint32_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / rate;
    put(wav,
        static_cast<uint16_t>(
            static_cast<int16_t>(8000 * std::sin(2 * std::numbers::pi * 440 * t))),
        2);
    put(wav,
        static_cast<uint16_t>(
            static_cast<int16_t>(8000 * std::sin(2 * std::numbers::pi * 660 * t))),
        2);
  }
  writeFile(path, wav);
}

bool encodeMp3(const std::string& wav, const std::string& mp3) {
  const std::string command = "lame --quiet -b 128 '" + wav + "' '" + mp3 + "'";
  return std::system(command.c_str()) == 0;
}

Decoded decodeMp3(const std::string& mp3) {
  Decoded result;
  mpg123_init();
  mpg123_handle* handle = mpg123_new(nullptr, nullptr);
  if (!handle) return result;
  mpg123_format_none(handle);
  const long* rates = nullptr;
  size_t count = 0;
  mpg123_rates(&rates, &count);
  for (size_t i = 0; i < count; ++i)
    mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  if (mpg123_open(handle, mp3.c_str()) == MPG123_OK) {
    int encoding = 0;
    mpg123_getformat(handle, &result.rate, &result.channels, &encoding);
    unsigned char buffer[8192];
    for (;;) {
      size_t done = 0;
      const int status = mpg123_read(handle, buffer, sizeof buffer, &done);
      result.pcm.insert(result.pcm.end(), buffer, buffer + done);
      if (status != MPG123_OK && status != MPG123_NEW_FORMAT) break;
    }
    mpg123_close(handle);
  }
  mpg123_delete(handle);
  return result;
}

}  // namespace mp3test
