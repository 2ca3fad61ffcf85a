// Mp3Player: plays MP3 files (or a stream supplied through events) by driving the decoder
// library mpegdll (libmpegdll.so / mpegdll.dll), which it loads at run time with init().
// Failures are thrown as Mp3PlayerError. A QTimer on the owner's thread polls the library: it
// reports the position (onPosUpdate) and turns the library's end flag into onPlayEnd.
//
// Positions and lengths are milliseconds (the decoder library's unit).
// Use the component on one thread (the UI thread); it needs a running Qt event loop for the
// end event. The stream events' read, seek and size calls come from the decoder's thread.
#pragma once

#include "music/mpegdll/mpegdll.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

class QLibrary;
class QTimer;
struct MpegEntryPoints;

// Thrown by every failing Mp3Player operation. code: 0 library not loaded / cannot be loaded,
// 1..5 the decoder library's error codes (a streamName over 511 characters is refused with 3,
// an outFilename over 259 characters with 5), 254 no stream name, other values as reported by
// the library.
class Mp3PlayerError : public std::runtime_error {
 public:
  explicit Mp3PlayerError(const std::string& message, uint8_t code = 0)
      : std::runtime_error(message), code(code) {}
  uint8_t code;
};

// Messages of the error codes 0..5; errorMessage() also covers codes outside the table.
extern const std::array<const char*, 6> kErrorTexts;
std::string errorMessage(int32_t code);

enum class PlayPriority { Idle, Lowest, BelowNormal, Normal, AboveNormal, Highest, TimeCritical };
enum class OutputDevice { WaveMapper, PcmFile };
enum class ChannelMode : uint8_t { Stereo, JointStereo, DualChannel, SingleChannel };

class Mp3Player : public QObject {
  Q_OBJECT

 public:
  // Longest names handed to the library (its buffers hold 512 and 260 bytes with the NUL).
  static constexpr std::size_t kMaxStreamNameLength = 511;
  static constexpr std::size_t kMaxOutFilenameLength = 259;

  explicit Mp3Player(QObject* parent = nullptr);
  // deinit()s a library still loaded, so that no playback thread outlives the end flag.
  ~Mp3Player() override;

  // Loads the library from pathToLibrary (empty: the platform's search, then the program's own
  // folder). On failure it stays unloaded and throws Mp3PlayerError: "Can't load MPEG library"
  // (code 0) when the file does not load, "MPEG library not loaded" (code 0) when an entry
  // point is missing, the library's error when its "init" fails. Nothing when already loaded.
  void init();
  // Closes an open stream and unloads the library; nothing when unloaded; never throws.
  void deinit();

  void open();  // opens streamName (or the stream events when fromStream); playedXTimes = 1
  void play();  // resumes when paused, does nothing while playing, restarts after the first play
  void pause(bool pause);
  void stop();     // "Incorrect mode" (code 2) when not playing or already ended
  void restart();  // plays the open stream again, with the positions of its first play
  void close();
  void seek(int32_t positionMs);
  void setDeviceNumber(
      int32_t device);  // wave output device: 0 default, n > 0 the n-th audio device

  int32_t frequency();
  int32_t bitrate();
  ChannelMode channelMode();
  int32_t layer();
  int32_t playMode();  // MPEGDLL_MODE_* of mpegdll.h
  int32_t position();  // ms
  int32_t length();    // ms
  bool playStopped();  // true once the end flag is set (then resets the library's mode)
  bool isLoaded() const;
  int32_t lastError();  // the library's last error code, 0 when unloaded

  // Properties with writers.
  const std::string& streamName() const { return streamName_; }
  void setStreamName(const std::string& name);  // closes an open stream
  const std::string& outFilename() const { return outFilename_; }
  void setOutFilename(const std::string& name);
  int32_t timerFreq() const { return timerFreq_; }
  void setTimerFreq(int32_t ms);  // 0 also switches useTimer off; the interval applies at init()
  OutputDevice outputDevice() const;
  void setOutputDevice(OutputDevice device);
  PlayPriority priority() const;
  void setPriority(PlayPriority priority);  // passed on at once when loaded
  int32_t playedXTimes() const { return playedXTimes_; }

  // State flags.
  bool isOpen() const { return opened_; }
  bool isPlaying() const { return playing_; }
  bool isPaused() const { return paused_; }
  bool playEnded() const { return endFlagSet(); }  // the library's end flag

  // Plain properties; the defaults are the values the game uses.
  std::string pathToLibrary;
  bool seekable = false;  // stored only
  bool fromStream = false;
  bool useTimer = true;
  bool autoPlay = false;
  int32_t waveDeviceNumber = 0;
  int32_t startPos = 0;  // ms
  int32_t endPos = 0;    // ms, 0 = to the end

  // Events: plain callbacks, run on the component's thread except where noted. An empty
  // std::function counts as "not assigned". Exceptions must not escape from them (they
  // would cross Qt's event loop); the timer catches and logs them.
  std::function<void(int32_t pos, int32_t len)> onPosUpdate;
  std::function<void(Mp3Player& sender)> onPlayEnd;
  // Stream events (fromStream). Unassigned: context null / res false / res -1.
  std::function<void(bool& nonseekable, void*& context)> onOpenStream;
  std::function<void(void* context)> onCloseStream;
  std::function<void(void* context, bool& res)> onRestartStream;
  std::function<void(void* context, void* buffer, int32_t wanted, int32_t& read, bool& res)>
      onReadStream;  // decoder thread
  std::function<void(void* context, int32_t distance, int32_t moveMethod, int32_t& res)>
      onSeekStream;  // decoder thread; moveMethod 0 begin, 1 current, 2 end
  std::function<void(void* context, int32_t& res)> onGetStreamSize;  // decoder thread

  // The watch timer's handler: position event, then the end event once the end flag is set.
  virtual void updateTimer();

 private:
  void requireLibrary() const;
  void checkError();
  // The query family: library check, one call without arguments, error check.
  template <typename Fn>
  auto query(Fn MpegEntryPoints::*entryPoint) {
    requireLibrary();
    const auto value = (entry_.get()->*entryPoint)();
    checkError();
    return value;
  }
  [[noreturn]] void raiseCode(int32_t code);
  [[noreturn]] static void raiseIncorrectMode();
  void startWatch();
  void closeOpenStream();  // the library is loaded
  void unloadLibrary();
  bool endFlagSet() const;
  void clearEndFlag();
  template <typename Handler, typename... Args>
  void runHandler(const char* name, Handler& handler, Args&&... args);

  std::unique_ptr<QLibrary> library_;  // null while unloaded
  std::unique_ptr<MpegEntryPoints> entry_;
  QTimer* timer_;

  std::string streamName_;
  std::string outFilename_;
  int32_t device_ = MPEGDLL_DEVICE_AUDIO;
  int32_t priority_ = 0;
  int32_t timerFreq_ = 500;
  int32_t playedXTimes_ = 0;
  int32_t length_ = 0;
  int32_t lastError_ = 0;
  bool opened_ = false;
  bool playing_ = false;
  bool paused_ = false;
  uint8_t playEnded_ = 0;  // written by the library's playback thread
};
