// The library's one player: an open input, its playback thread and the output it feeds.
// Every method is called from the caller's thread; each returns an MPEGDLL_ERR_* code.
#pragma once

#include "music/mpegdll/mp3_input.h"
#include "music/mpegdll/pcm_output.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace mpegdll {

class Player {
 public:
  Player() = default;
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  int open(const char* name, const StreamCallbacks* stream);  // stream null: the file `name`
  void close();

  int setOutputDevice(int32_t device, const char* outFile);
  void setSoundDevice(int32_t device) { soundDevice_ = device; }
  int setPriority(int32_t priority);

  int play(int32_t startMs, int32_t endMs, uint8_t* endFlag);  // endMs 0: to the end
  int restart();  // plays again with the arguments of the last play
  int stop();
  int pause(bool resume);
  int seek(int32_t positionMs);

  // MPEGDLL_ERR_OUTPUT while the mode is the stop after an output failure.
  int mode(int32_t& mode);
  int resetMode(bool& stopped);  // an ended playback becomes stopped
  int position(int32_t& ms);
  int length(int32_t& ms);
  int info(StreamInfo& info);

 private:
  void run();
  int startPlayback();  // a failure leaves the player stopped
  int openOutputAndStart();
  void finishThread();  // asks the playback thread to stop and waits for it
  void applySeekRequest();
  int64_t heardFrames() const;  // the caller holds mutex_
  // Sleeps until about `frames` more queued frames were heard, or until a stop, pause or seek
  // request; the caller holds `lock` on mutex_.
  void awaitHeard(std::unique_lock<std::mutex>& lock, int64_t frames);
  int64_t toFrames(int32_t ms) const;
  int32_t toMs(int64_t frames) const;

  std::mutex mutex_;
  std::condition_variable wake_;
  std::thread thread_;

  Mp3Input input_;  // used by the playback thread while it runs
  std::unique_ptr<PcmOutput> output_;
  StreamInfo info_;                     // guarded by mutex_
  int32_t mode_ = MPEGDLL_MODE_CLOSED;  // guarded by mutex_
  bool stopRequested_ = false;          // guarded by mutex_
  bool paused_ = false;                 // guarded by mutex_
  int64_t seekRequest_ = -1;            // guarded by mutex_
  bool outputFailed_ = false;           // guarded by mutex_; the last playback's output failed
  std::atomic<int64_t> writtenEnd_{0};  // stream frame after the last one handed to the output

  bool hasPlayed_ = false;
  int64_t startFrame_ = 0;
  int64_t endFrame_ = -1;  // -1: to the end of the stream
  uint8_t* endFlag_ = nullptr;

  int32_t device_ = MPEGDLL_DEVICE_AUDIO;
  std::string outFile_;
  int32_t soundDevice_ = 0;
  std::atomic<int32_t> priority_{0};
  std::atomic<long> threadId_{0};  // the playback thread's system id while it runs
};

}  // namespace mpegdll
