#include "music/mpegdll/player.h"

#include "music/mpegdll/thread_priority.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace mpegdll {
namespace {

constexpr size_t kChunkBytes = 16384;
// The device's queue is topped up to a quarter second and left to drain to an eighth before
// the thread decodes again, so it wakes a few times a second, not at a fixed poll rate.
constexpr int kQueueFullDivisor = 4;
constexpr int kQueueLowDivisor = 8;

void raiseFlag(uint8_t* flag, uint8_t value) {
  if (flag) std::atomic_ref<uint8_t>(*flag).store(value);
}

}  // namespace

Player::~Player() { close(); }

int64_t Player::toFrames(int32_t ms) const { return static_cast<int64_t>(ms) * info_.rate / 1000; }

int32_t Player::toMs(int64_t frames) const {
  if (info_.rate <= 0) return 0;
  return static_cast<int32_t>(std::min<int64_t>(frames * 1000 / info_.rate, INT32_MAX));
}

int Player::open(const char* name, const StreamCallbacks* stream) {
  close();
  const int err = stream ? input_.openStream(*stream) : input_.openFile(name);
  if (err) return err;
  std::lock_guard lock(mutex_);
  info_ = input_.info();
  mode_ = MPEGDLL_MODE_STOPPED;
  outputFailed_ = false;
  writtenEnd_ = 0;
  return MPEGDLL_ERR_NONE;
}

void Player::close() {
  finishThread();
  output_.reset();
  input_.close();
  std::lock_guard lock(mutex_);
  mode_ = MPEGDLL_MODE_CLOSED;
  outputFailed_ = false;
  info_ = StreamInfo{};
  hasPlayed_ = false;
  endFlag_ = nullptr;
  writtenEnd_ = 0;
}

int Player::setOutputDevice(int32_t device, const char* outFile) {
  if (device != MPEGDLL_DEVICE_AUDIO && device != MPEGDLL_DEVICE_PCM_FILE) return MPEGDLL_ERR_MODE;
  device_ = device;
  outFile_ = outFile ? outFile : "";
  return MPEGDLL_ERR_NONE;
}

int Player::setPriority(int32_t priority) {
  if (!isValidPriority(priority)) return MPEGDLL_ERR_MODE;
  priority_ = priority;
  applyPriority(threadId_, priority);
  return MPEGDLL_ERR_NONE;
}

int Player::play(int32_t startMs, int32_t endMs, uint8_t* endFlag) {
  {
    std::lock_guard lock(mutex_);
    if (mode_ == MPEGDLL_MODE_CLOSED || mode_ == MPEGDLL_MODE_PLAYING ||
        mode_ == MPEGDLL_MODE_PAUSED)
      return MPEGDLL_ERR_MODE;
  }
  if (startMs < 0 || endMs < 0 || (endMs != 0 && endMs <= startMs)) return MPEGDLL_ERR_MODE;
  finishThread();
  startFrame_ = toFrames(startMs);
  endFrame_ = endMs != 0 ? toFrames(endMs) : -1;
  endFlag_ = endFlag;
  hasPlayed_ = true;
  return startPlayback();
}

int Player::restart() {
  {
    std::lock_guard lock(mutex_);
    if (mode_ == MPEGDLL_MODE_CLOSED || !hasPlayed_) return MPEGDLL_ERR_MODE;
  }
  finishThread();
  return startPlayback();
}

int Player::startPlayback() {
  const int err = openOutputAndStart();
  if (err) {
    // The last playback's thread has already finished: nothing plays any more.
    std::lock_guard lock(mutex_);
    mode_ = MPEGDLL_MODE_STOPPED;
  }
  return err;
}

int Player::openOutputAndStart() {
  int64_t start = startFrame_;
  if (input_.lengthFrames() >= 0) start = std::min(start, input_.lengthFrames());
  if (int err = input_.seekTo(start)) return err;
  {
    std::lock_guard lock(mutex_);
    info_ = input_.info();  // a stream started over may have a different format
    writtenEnd_ = start;
    outputFailed_ = false;
  }
  auto output =
      device_ == MPEGDLL_DEVICE_PCM_FILE ? makeFileOutput(outFile_) : makeAudioOutput(soundDevice_);
  if (int err = output->open(info_.rate, info_.channels)) return err;
  raiseFlag(endFlag_, 0);
  std::lock_guard lock(mutex_);
  output_ = std::move(output);
  stopRequested_ = false;
  paused_ = false;
  seekRequest_ = -1;
  mode_ = MPEGDLL_MODE_PLAYING;
  thread_ = std::thread(&Player::run, this);
  return MPEGDLL_ERR_NONE;
}

int Player::stop() {
  int64_t heard = 0;
  {
    std::lock_guard lock(mutex_);
    if (mode_ == MPEGDLL_MODE_CLOSED) return MPEGDLL_ERR_MODE;
    heard = heardFrames();
  }
  finishThread();
  std::lock_guard lock(mutex_);
  writtenEnd_ = heard;
  mode_ = MPEGDLL_MODE_STOPPED;
  return MPEGDLL_ERR_NONE;
}

int Player::pause(bool resume) {
  std::lock_guard lock(mutex_);
  if (mode_ != MPEGDLL_MODE_PLAYING && mode_ != MPEGDLL_MODE_PAUSED) return MPEGDLL_ERR_MODE;
  paused_ = !resume;
  mode_ = paused_ ? MPEGDLL_MODE_PAUSED : MPEGDLL_MODE_PLAYING;
  output_->setPaused(paused_);
  wake_.notify_all();
  return MPEGDLL_ERR_NONE;
}

int Player::seek(int32_t positionMs) {
  std::unique_lock lock(mutex_);
  if (mode_ == MPEGDLL_MODE_CLOSED || positionMs < 0) return MPEGDLL_ERR_MODE;
  if (!input_.seekable()) return MPEGDLL_ERR_NOT_SEEKABLE;
  int64_t frame = toFrames(positionMs);
  if (input_.lengthFrames() >= 0) frame = std::min(frame, input_.lengthFrames());
  if (mode_ == MPEGDLL_MODE_PLAYING || mode_ == MPEGDLL_MODE_PAUSED) {
    seekRequest_ = frame;  // carried out by the playback thread
    wake_.notify_all();
    return MPEGDLL_ERR_NONE;
  }
  lock.unlock();
  finishThread();
  if (int err = input_.seekTo(frame)) return err;
  writtenEnd_ = frame;
  return MPEGDLL_ERR_NONE;
}

int Player::mode(int32_t& mode) {
  std::lock_guard lock(mutex_);
  mode = mode_;
  return outputFailed_ ? MPEGDLL_ERR_OUTPUT : MPEGDLL_ERR_NONE;
}

int Player::resetMode(bool& stopped) {
  std::lock_guard lock(mutex_);
  stopped = false;
  if (mode_ == MPEGDLL_MODE_CLOSED) return MPEGDLL_ERR_MODE;
  if (mode_ == MPEGDLL_MODE_ENDED) mode_ = MPEGDLL_MODE_STOPPED;
  stopped = mode_ == MPEGDLL_MODE_STOPPED;
  return MPEGDLL_ERR_NONE;
}

int64_t Player::heardFrames() const {
  if (seekRequest_ >= 0) return seekRequest_;
  int64_t frames = writtenEnd_;
  if (output_) frames -= output_->pendingFrames();
  return std::max<int64_t>(frames, 0);
}

int Player::position(int32_t& ms) {
  std::lock_guard lock(mutex_);
  ms = 0;
  if (mode_ == MPEGDLL_MODE_CLOSED) return MPEGDLL_ERR_MODE;
  ms = toMs(heardFrames());
  return MPEGDLL_ERR_NONE;
}

int Player::length(int32_t& ms) {
  std::lock_guard lock(mutex_);
  ms = 0;
  if (mode_ == MPEGDLL_MODE_CLOSED) return MPEGDLL_ERR_MODE;
  ms = toMs(std::max<int64_t>(input_.lengthFrames(), 0));
  return MPEGDLL_ERR_NONE;
}

int Player::info(StreamInfo& info) {
  std::lock_guard lock(mutex_);
  info = info_;
  return mode_ == MPEGDLL_MODE_CLOSED ? MPEGDLL_ERR_MODE : MPEGDLL_ERR_NONE;
}

void Player::finishThread() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopRequested_ = true;
    wake_.notify_all();
  }
  thread_.join();
}

void Player::applySeekRequest() {
  if (input_.seekTo(seekRequest_) == MPEGDLL_ERR_NONE) {
    output_->discard();
    writtenEnd_ = seekRequest_;
  }
  seekRequest_ = -1;
}

void Player::awaitHeard(std::unique_lock<std::mutex>& lock, int64_t frames) {
  // The device takes its queue in buffer-sized steps, so the wait may end a little early; a floor
  // keeps the next wait from being a spin.
  const auto wait = std::chrono::milliseconds(std::max(toMs(frames), int32_t{5}));
  wake_.wait_for(lock, wait, [this] { return stopRequested_ || paused_ || seekRequest_ >= 0; });
}

void Player::run() {
  threadId_ = currentThreadId();
  applyPriority(threadId_, priority_);
  std::vector<unsigned char> buffer(kChunkBytes);
  bool inputDone = false;        // decoding reached the end position, the stream's end or a fault
  bool reformatPending = false;  // the stream changed its format; reopen once the rest is heard
  bool finished = false;
  bool failed = false;  // the output refused samples or could not be completed
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopRequested_ || !paused_ || seekRequest_ >= 0; });
      if (stopRequested_) break;
      if (seekRequest_ >= 0) {
        applySeekRequest();
        inputDone = false;
        continue;
      }
      const int64_t pending = output_->pendingFrames();
      if (inputDone || reformatPending) {
        if (pending > 0) {
          awaitHeard(lock, pending);
          continue;
        }
        if (reformatPending) {
          reformatPending = false;
          info_ = input_.info();
          if (output_->reformat(info_.rate, info_.channels) != MPEGDLL_ERR_NONE) inputDone = true;
          continue;
        }
        // The device still holds its last buffer: let it play out unless interrupted.
        const auto latency = std::chrono::milliseconds(toMs(output_->latencyFrames()));
        if (wake_.wait_for(lock, latency,
                           [this] { return stopRequested_ || paused_ || seekRequest_ >= 0; }))
          continue;
        finished = true;
        break;
      }
      if (pending > std::max<long>(info_.rate / kQueueFullDivisor, 1)) {
        awaitHeard(lock, pending - info_.rate / kQueueLowDivisor);
        continue;
      }
    }
    const size_t frameBytes = 2 * static_cast<size_t>(std::max(input_.info().channels, 1));
    size_t wanted = buffer.size() - buffer.size() % frameBytes;
    if (endFrame_ >= 0) {
      const int64_t left = endFrame_ - writtenEnd_;
      if (left <= 0) {
        inputDone = true;
        continue;
      }
      wanted = std::min<size_t>(wanted, static_cast<size_t>(left) * frameBytes);
    }
    size_t bytes = 0;
    switch (input_.read(buffer.data(), wanted, bytes)) {
      case ReadStatus::End:
      case ReadStatus::Error:  // a damaged stream ends where decoding stops
        inputDone = true;
        continue;
      case ReadStatus::NewFormat: reformatPending = true; continue;
      case ReadStatus::Data: break;
    }
    std::lock_guard lock(mutex_);  // the position must see the output and the counter agree
    if (bytes > 0 && !output_->write(buffer.data(), bytes)) {
      failed = true;
      break;
    }
    writtenEnd_ += static_cast<int64_t>(bytes / frameBytes);
  }
  std::lock_guard lock(mutex_);
  // The file is complete only once it is closed; that happens before the end flag announces it.
  if (finished && output_->finish() != MPEGDLL_ERR_NONE) failed = true;
  output_.reset();
  threadId_ = 0;
  if (failed) {
    // Over, but not complete: stopped, with the output error kept for the player mode's query.
    mode_ = MPEGDLL_MODE_STOPPED;
    outputFailed_ = true;
    raiseFlag(endFlag_, 1);
  } else if (finished) {
    mode_ = MPEGDLL_MODE_ENDED;
    raiseFlag(endFlag_, 1);
  }
}

}  // namespace mpegdll
