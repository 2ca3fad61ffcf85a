// Where decoded samples go: the audio device (through SDL2) or a raw PCM file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace mpegdll {

class PcmOutput {
 public:
  virtual ~PcmOutput() = default;
  // Samples are 16-bit signed native-endian, `channels` interleaved. Return MPEGDLL_ERR_*.
  virtual int open(long rate, int channels) = 0;
  virtual int reformat(long rate, int channels) = 0;  // after every pending frame was heard
  virtual bool write(const unsigned char* data, size_t bytes) = 0;
  virtual int64_t pendingFrames() const = 0;  // written but not yet heard
  virtual int64_t latencyFrames() const = 0;  // still to be heard once nothing is pending
  virtual void setPaused(bool paused) = 0;
  virtual void discard() = 0;  // drops everything pending (after a seek)
  // Completes the output once the last sample was written (the file is closed, its buffer
  // flushed); MPEGDLL_ERR_OUTPUT when not everything reached it.
  virtual int finish() = 0;
};

// SDL2 audio (SDL2 is loaded here on first use); soundDevice 0 (or less) is the system's default, n
// > 0 the n-th playback device.
std::unique_ptr<PcmOutput> makeAudioOutput(int32_t soundDevice);
// 16-bit little-endian interleaved samples, written as fast as they are decoded.
std::unique_ptr<PcmOutput> makeFileOutput(const std::string& path);

}  // namespace mpegdll
