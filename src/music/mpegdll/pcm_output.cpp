#include "music/mpegdll/pcm_output.h"

#include "music/mpegdll/mpegdll.h"
#include "music/mpegdll/sdl_audio.h"

#include <bit>
#include <cstdio>
#include <vector>

namespace mpegdll {
namespace {

class AudioOutput final : public PcmOutput {
 public:
  explicit AudioOutput(int32_t soundDevice) : soundDevice_(soundDevice) {}
  ~AudioOutput() override { shutDown(); }

  int open(long rate, int channels) override {
    if (sdl_ == nullptr) return MPEGDLL_ERR_OUTPUT;  // no SDL2 to play through
    // SDL counts initialisations, so the game's own use of SDL audio is not disturbed.
    if (!subsystemStarted_) {
      // SDL would otherwise take SIGINT and SIGTERM from the host program (audio starts SDL's
      // event subsystem, which turns them into quit events that the host may never read).
      sdl_->setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
      if (sdl_->initSubSystem(SDL_INIT_AUDIO) != 0) return MPEGDLL_ERR_OUTPUT;
      subsystemStarted_ = true;
    }
    const char* name = nullptr;
    if (soundDevice_ > 0) {
      name = sdl_->getAudioDeviceName(soundDevice_ - 1, 0);
      if (!name) return MPEGDLL_ERR_OUTPUT;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(rate);
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(channels);
    wanted.samples = 2048;
    SDL_AudioSpec obtained{};
    device_ = sdl_->openAudioDevice(name, 0, &wanted, &obtained, 0);
    if (device_ == 0) return MPEGDLL_ERR_OUTPUT;
    frameBytes_ = 2 * channels;
    bufferFrames_ = obtained.samples;
    sdl_->pauseAudioDevice(device_, 0);
    return MPEGDLL_ERR_NONE;
  }

  int reformat(long rate, int channels) override {
    closeDevice();
    return open(rate, channels);
  }

  bool write(const unsigned char* data, size_t bytes) override {
    return sdl_->queueAudio(device_, data, static_cast<Uint32>(bytes)) == 0;
  }

  int64_t pendingFrames() const override {
    return device_ ? sdl_->getQueuedAudioSize(device_) / frameBytes_ : 0;
  }
  int64_t latencyFrames() const override { return bufferFrames_; }
  void setPaused(bool paused) override { sdl_->pauseAudioDevice(device_, paused ? 1 : 0); }
  void discard() override { sdl_->clearQueuedAudio(device_); }
  int finish() override { return MPEGDLL_ERR_NONE; }  // nothing is held back from the device

 private:
  void closeDevice() {
    if (device_) sdl_->closeAudioDevice(device_);
    device_ = 0;
  }
  void shutDown() {
    closeDevice();
    if (subsystemStarted_) sdl_->quitSubSystem(SDL_INIT_AUDIO);
    subsystemStarted_ = false;
  }

  const SdlAudio* sdl_ = sdlAudio();
  int32_t soundDevice_;
  bool subsystemStarted_ = false;
  SDL_AudioDeviceID device_ = 0;
  int frameBytes_ = 4;
  int64_t bufferFrames_ = 0;
};

class FileOutput final : public PcmOutput {
 public:
  explicit FileOutput(std::string path) : path_(std::move(path)) {}
  ~FileOutput() override {
    if (file_) std::fclose(file_);
  }

  int open(long, int) override {
    if (path_.empty()) return MPEGDLL_ERR_OUTPUT;
    file_ = std::fopen(path_.c_str(), "wb");
    return file_ ? MPEGDLL_ERR_NONE : MPEGDLL_ERR_OUTPUT;
  }
  int reformat(long, int) override { return MPEGDLL_ERR_NONE; }  // raw samples, as decoded

  bool write(const unsigned char* data, size_t bytes) override {
    if constexpr (std::endian::native == std::endian::big) {
      std::vector<unsigned char> swapped(data, data + bytes);
      for (size_t i = 0; i + 1 < bytes; i += 2) std::swap(swapped[i], swapped[i + 1]);
      return std::fwrite(swapped.data(), 1, bytes, file_) == bytes;
    }
    return std::fwrite(data, 1, bytes, file_) == bytes;
  }

  int64_t pendingFrames() const override { return 0; }
  int64_t latencyFrames() const override { return 0; }
  void setPaused(bool) override {}
  void discard() override {}
  int finish() override {
    const bool closed = std::fclose(file_) == 0;  // writes what the stream still buffers
    file_ = nullptr;
    return closed ? MPEGDLL_ERR_NONE : MPEGDLL_ERR_OUTPUT;
  }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

}  // namespace

std::unique_ptr<PcmOutput> makeAudioOutput(int32_t soundDevice) {
  return std::make_unique<AudioOutput>(soundDevice);
}

std::unique_ptr<PcmOutput> makeFileOutput(const std::string& path) {
  return std::make_unique<FileOutput>(path);
}

}  // namespace mpegdll
