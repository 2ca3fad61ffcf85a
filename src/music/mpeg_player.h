// TMPEGPlayer: plays MP3 files (or a stream supplied through events) by driving the decoder
// library mpegdll (libmpegdll.so / mpegdll.dll), which it loads at run time with Init().
// Failures are thrown as TMPEGError. A QTimer on the owner's thread polls the library: it
// reports the position (OnPosUpdate) and turns the library's end flag into OnPlayEnd.
//
// Positions and lengths are milliseconds (the decoder library's unit).
// Use the component on one thread (the UI thread); it needs a running Qt event loop for the
// end event. The stream events' read, seek and size calls come from the decoder's thread.
#pragma once

#include "mpegdll/mpegdll.h"

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

// Thrown by every failing TMPEGPlayer operation. Code: 0 library not loaded / cannot be loaded,
// 1..5 the decoder library's error codes (a StreamName over 511 characters is refused with 3,
// an OutFilename over 259 characters with 5), 254 no stream name, other values as reported by
// the library.
class TMPEGError : public std::runtime_error {
 public:
  explicit TMPEGError(const std::string& message, uint8_t code = 0)
      : std::runtime_error(message), Code(code) {}
  uint8_t Code;
};

// Messages of the error codes 0..5; ErrorMessage() also covers codes outside the table.
extern const std::array<const char*, 6> ErrStr;
std::string ErrorMessage(int32_t code);

enum class TPlayPriority { Idle, Lowest, BelowNormal, Normal, AboveNormal, Highest, TimeCritical };
enum class TOutputDevice { wavemapper, pcmfile };
enum class e_mode : uint8_t { stereo, joint_stereo, dual_channel, single_channel };

class TMPEGPlayer : public QObject {
  Q_OBJECT

 public:
  // Longest names handed to the library (its buffers hold 512 and 260 bytes with the NUL).
  static constexpr std::size_t MaxStreamNameLength = 511;
  static constexpr std::size_t MaxOutFilenameLength = 259;

  explicit TMPEGPlayer(QObject* parent = nullptr);
  // Deinit()s a library still loaded, so that no playback thread outlives the end flag.
  ~TMPEGPlayer() override;

  // Loads the library from PathToDLL (empty: the platform's search, then the program's own
  // folder). On failure it stays unloaded and throws TMPEGError: "Can't load MPEG library"
  // (code 0) when the file does not load, "MPEG library not loaded" (code 0) when an entry
  // point is missing, the library's error when its "init" fails. Nothing when already loaded.
  void Init();
  // Closes an open stream and unloads the library; nothing when unloaded; never throws.
  void Deinit();

  void Open();     // opens StreamName (or the stream events when FromStream); PlayedXTimes = 1
  void Play();     // resumes when paused, does nothing while playing, restarts after the first play
  void Pause(bool pause);
  void Stop();     // "Incorrect mode" (code 2) when not playing or already ended
  void Restart();  // plays the open stream again, with the positions of its first Play
  void Close();
  void Seek(int32_t positionMs);
  void SetDevNum(int32_t device);  // wave output device: 0 default, n > 0 the n-th audio device

  int32_t GetFrequency();
  int32_t GetBitrate();
  e_mode GetChannelMode();
  int32_t GetLayer();
  int32_t GetPlayMode();  // MPEGDLL_MODE_* of mpegdll.h
  int32_t GetPosition();  // ms
  int32_t GetLength();    // ms
  bool GetPlayStopped();  // true once the end flag is set (then resets the library's mode)
  bool GetLoaded() const;
  int32_t LastError();    // the library's last error code, 0 when unloaded

  // Properties with writers.
  const std::string& StreamName() const { return streamName_; }
  void SetStreamName(const std::string& name);  // closes an open stream
  const std::string& OutFilename() const { return outFilename_; }
  void SetOutFilename(const std::string& name);
  int32_t TimerFreq() const { return timerFreq_; }
  void SetTimerFreq(int32_t ms);  // 0 also switches UseTimer off; the interval applies at Init()
  TOutputDevice GetOutputDevice() const;
  void SetOutputDevice(TOutputDevice device);
  TPlayPriority GetPriority() const;
  void SetPriority(TPlayPriority priority);  // passed on at once when loaded
  int32_t PlayedXTimes() const { return playedXTimes_; }

  // State flags.
  bool Opened() const { return opened_; }
  bool Playing() const { return playing_; }
  bool Paused() const { return paused_; }
  bool PlayEnded() const { return endFlagSet(); }  // the library's end flag

  // Plain properties; the defaults are the values the game uses.
  std::string PathToDLL;
  bool Seekable = false;  // stored only
  bool FromStream = false;
  bool UseTimer = true;
  bool AutoPlay = false;
  int32_t WaveDeviceNum = 0;
  int32_t StartPos = 0;  // ms
  int32_t EndPos = 0;    // ms, 0 = to the end

  // Events: plain callbacks, run on the component's thread except where noted. An empty
  // std::function counts as "not assigned". Exceptions must not escape from them (they
  // would cross Qt's event loop); the timer catches and logs them.
  std::function<void(int32_t pos, int32_t len)> OnPosUpdate;
  std::function<void(TMPEGPlayer& sender)> OnPlayEnd;
  // Stream events (FromStream). Unassigned: context null / res false / res -1.
  std::function<void(bool& nonseekable, void*& context)> OnOpenStream;
  std::function<void(void* context)> OnCloseStream;
  std::function<void(void* context, bool& res)> OnRestartStream;
  std::function<void(void* context, void* buffer, int32_t wanted, int32_t& read, bool& res)>
      OnReadStream;  // decoder thread
  std::function<void(void* context, int32_t distance, int32_t moveMethod, int32_t& res)>
      OnSeekStream;  // decoder thread; moveMethod 0 begin, 1 current, 2 end
  std::function<void(void* context, int32_t& res)> OnGetStreamSize;  // decoder thread

  // The watch timer's handler: position event, then the end event once the end flag is set.
  virtual void UpdateTimer();

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
