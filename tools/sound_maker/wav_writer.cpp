#include "tools/sound_maker/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/file_io.h"

namespace {

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool writeWave(const std::string& path, const std::vector<double>& samples, int sampleRate) {
  constexpr int kChannels = 1;
  constexpr int kBytesPerSample = 2;
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);
  std::string file = "RIFF";
  putLittleEndian(file, 36 + dataBytes, 4);
  file += "WAVEfmt ";
  putLittleEndian(file, 16, 4);  // size of the format chunk
  putLittleEndian(file, 1, 2);   // PCM
  putLittleEndian(file, kChannels, 2);
  putLittleEndian(file, static_cast<std::uint32_t>(sampleRate), 4);
  putLittleEndian(file, static_cast<std::uint32_t>(sampleRate * kChannels * kBytesPerSample), 4);
  putLittleEndian(file, kChannels * kBytesPerSample, 2);
  putLittleEndian(file, 8 * kBytesPerSample, 2);
  file += "data";
  putLittleEndian(file, dataBytes, 4);
  for (double sample : samples) {
    const auto value =
        static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0, 1.0) * 32767));
    putLittleEndian(file, static_cast<std::uint16_t>(value), 2);
  }
  return platform::writeFileAtomically(path, file.data(), file.size());
}
