#include "mpeg_player.h"

#include "mpeg_library.h"

#include <QLibrary>
#include <QTimer>
#include <QtGlobal>

#include <atomic>

const std::array<const char*, 6> ErrStr = {
    "MPEG library not loaded", "Internal decoder error",       "Incorrect mode",
    "Input stream error",      "Input stream is non-seekable", "Output device failure"};

std::string ErrorMessage(int32_t code) {
  if (code >= 0 && code < static_cast<int32_t>(ErrStr.size())) return ErrStr[code];
  return "Unknown MPEG library error " + std::to_string(code);
}

namespace {

constexpr int32_t kPriorityValues[] = {-15, -2, -1, 0, 1, 2, 15};  // in TPlayPriority order

// The library's stream callbacks: the user pointer is the component; each forwards to its event.
// No exception may cross back into the library.
TMPEGPlayer& owner(void* user) { return *static_cast<TMPEGPlayer*>(user); }

void openStream(void* user, mpegdll_bool* nonseekable, void** context) {
  bool cannotSeek = false;
  void* streamContext = nullptr;
  try {
    if (owner(user).OnOpenStream) owner(user).OnOpenStream(cannotSeek, streamContext);
  } catch (...) {
    streamContext = nullptr;
  }
  *nonseekable = cannotSeek ? 1 : 0;
  *context = streamContext;
}

void closeStream(void* user, void* context) {
  try {
    if (owner(user).OnCloseStream) owner(user).OnCloseStream(context);
  } catch (...) {
  }
}

void restartStream(void* user, void* context, mpegdll_bool* ok) {
  bool res = false;
  try {
    if (owner(user).OnRestartStream) owner(user).OnRestartStream(context, res);
  } catch (...) {
    res = false;
  }
  *ok = res ? 1 : 0;
}

void readStream(void* user, void* context, void* buffer, int32_t wanted, int32_t* got,
                mpegdll_bool* ok) {
  int32_t read = 0;
  bool res = false;
  try {
    if (owner(user).OnReadStream) owner(user).OnReadStream(context, buffer, wanted, read, res);
  } catch (...) {
    res = false;
  }
  *got = read;
  *ok = res ? 1 : 0;
}

void seekStream(void* user, void* context, int32_t distance, int32_t method, int32_t* result) {
  int32_t res = -1;
  try {
    if (owner(user).OnSeekStream) owner(user).OnSeekStream(context, distance, method, res);
  } catch (...) {
    res = -1;
  }
  *result = res;
}

void streamSize(void* user, void* context, int32_t* result) {
  int32_t res = -1;
  try {
    if (owner(user).OnGetStreamSize) owner(user).OnGetStreamSize(context, res);
  } catch (...) {
    res = -1;
  }
  *result = res;
}

}  // namespace

TMPEGPlayer::TMPEGPlayer(QObject* parent) : QObject(parent), timer_(new QTimer(this)) {
  connect(timer_, &QTimer::timeout, this, [this] { UpdateTimer(); });
}

TMPEGPlayer::~TMPEGPlayer() { Deinit(); }

bool TMPEGPlayer::GetLoaded() const { return library_ != nullptr; }

int32_t TMPEGPlayer::LastError() { return entry_ ? entry_->lastError() : 0; }

void TMPEGPlayer::requireLibrary() const {
  if (!library_) throw TMPEGError(ErrStr[0], 0);
}

void TMPEGPlayer::raiseCode(int32_t code) {
  throw TMPEGError(ErrorMessage(code), static_cast<uint8_t>(code >= 0 && code <= 255 ? code : 255));
}

void TMPEGPlayer::raiseIncorrectMode() { throw TMPEGError(ErrStr[MPEGDLL_ERR_MODE], MPEGDLL_ERR_MODE); }

void TMPEGPlayer::checkError() {
  lastError_ = LastError();
  if (lastError_ > 0) raiseCode(lastError_);
}

// The library's playback thread writes the end flag; only whole-byte atomic access is used.
bool TMPEGPlayer::endFlagSet() const {
  return std::atomic_ref<uint8_t>(const_cast<uint8_t&>(playEnded_)).load() != 0;
}

void TMPEGPlayer::clearEndFlag() { std::atomic_ref<uint8_t>(playEnded_).store(0); }

void TMPEGPlayer::Init() {
  if (library_) return;
  auto library = std::make_unique<QLibrary>();
  if (!loadMpegLibrary(*library, PathToDLL)) throw TMPEGError("Can't load MPEG library", 0);
  auto entry = std::make_unique<MpegEntryPoints>();
  if (!resolveMpegEntryPoints(*library, *entry)) {
    library->unload();
    throw TMPEGError(ErrStr[0], 0);
  }
  if (!entry->init()) {
    lastError_ = entry->lastError();
    library->unload();
    raiseCode(lastError_);
  }
  library_ = std::move(library);
  entry_ = std::move(entry);
  timer_->stop();
  timer_->setInterval(UseTimer ? timerFreq_ : 0);
  length_ = 0;
}

void TMPEGPlayer::unloadLibrary() {
  timer_->stop();
  entry_.reset();
  if (library_) library_->unload();
  library_.reset();
}

void TMPEGPlayer::Deinit() {
  if (!library_) return;
  if (opened_) closeOpenStream();
  entry_->deinit();  // joins the playback thread: nothing writes the end flag after this
  unloadLibrary();
}

void TMPEGPlayer::Open() {
  requireLibrary();
  if (opened_) Close();
  opened_ = false;
  if (FromStream) {
    entry_->open(nullptr, 1, openStream, closeStream, restartStream, readStream, seekStream,
                 streamSize, this);
  } else {
    if (streamName_.empty()) throw TMPEGError("Can't play non-specified stream", 254);
    // Refused rather than cut: a shortened name would open some other file.
    if (streamName_.size() > MaxStreamNameLength) raiseCode(MPEGDLL_ERR_INPUT);
    entry_->open(streamName_.c_str(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr);
  }
  checkError();
  opened_ = true;
  playedXTimes_ = 1;
  length_ = GetLength();
  if (AutoPlay) Play();
}

void TMPEGPlayer::Play() {
  requireLibrary();
  if (paused_) {
    Pause(false);
    return;
  }
  if (playing_) return;
  if (!opened_) {
    Open();
    if (!opened_ || playing_) return;  // with AutoPlay, Open() has started playing already
  }
  if (playedXTimes_ > 1) {
    Restart();
    return;
  }
  entry_->setPriority(priority_);
  checkError();
  if (outFilename_.size() > MaxOutFilenameLength) raiseCode(MPEGDLL_ERR_OUTPUT);
  entry_->setOutputDevice(device_, outFilename_.c_str());
  checkError();
  SetDevNum(WaveDeviceNum);
  const int32_t result = entry_->play(StartPos, EndPos, &playEnded_);
  lastError_ = LastError();
  if (lastError_ > 0 || result != 0) raiseCode(lastError_);
  playing_ = true;
  ++playedXTimes_;
  startWatch();
}

void TMPEGPlayer::startWatch() {
  if (UseTimer && timer_->interval() != 0) {
    timer_->start();
    UpdateTimer();
  }
}

void TMPEGPlayer::Pause(bool pause) {
  requireLibrary();
  if (!playing_ || endFlagSet()) {
    paused_ = false;
    if (pause) raiseIncorrectMode();
    return;
  }
  entry_->pause(pause ? 0 : 1);  // the library's argument means "resume"
  checkError();
  paused_ = pause;
}

void TMPEGPlayer::Stop() {
  if (!playing_ || endFlagSet()) raiseIncorrectMode();
  requireLibrary();
  entry_->stop();
  checkError();
  playing_ = false;
  paused_ = false;
}

void TMPEGPlayer::Restart() {
  requireLibrary();
  if (!opened_) raiseIncorrectMode();
  clearEndFlag();
  entry_->restart();
  checkError();
  playing_ = true;
  paused_ = false;  // the library plays again from the start position, unpaused
  ++playedXTimes_;
  startWatch();
}

void TMPEGPlayer::closeOpenStream() {
  opened_ = paused_ = playing_ = false;
  playedXTimes_ = 0;
  entry_->close();
}

void TMPEGPlayer::Close() {
  requireLibrary();
  closeOpenStream();
  checkError();
}

template <typename Handler, typename... Args>
void TMPEGPlayer::runHandler(const char* name, Handler& handler, Args&&... args) {
  // The timer runs inside Qt's event loop, which exceptions must not cross.
  try {
    handler(std::forward<Args>(args)...);
  } catch (const std::exception& error) {
    qWarning("TMPEGPlayer: %s handler failed: %s", name, error.what());
  } catch (...) {
    qWarning("TMPEGPlayer: %s handler failed", name);
  }
}

void TMPEGPlayer::UpdateTimer() {
  if (!(opened_ && playing_)) {
    timer_->stop();
    return;
  }
  int32_t pos = 0;
  try {
    pos = GetPosition();
  } catch (const TMPEGError&) {
    pos = 0;  // the end check below must still run
  }
  if (pos > length_) pos = 0;
  if (OnPosUpdate) runHandler("OnPosUpdate", OnPosUpdate, pos, length_);
  if (endFlagSet()) {
    timer_->stop();
    playing_ = false;
    if (OnPlayEnd) {
      clearEndFlag();
      runHandler("OnPlayEnd", OnPlayEnd, *this);
    }
  }
}

bool TMPEGPlayer::GetPlayStopped() {
  requireLibrary();
  bool stopped = endFlagSet();
  if (stopped) {
    stopped = entry_->resetPlayerMode() != 0;
    checkError();
    playing_ = false;
  }
  return stopped;
}

int32_t TMPEGPlayer::GetFrequency() { return query(&MpegEntryPoints::getFrequency); }

int32_t TMPEGPlayer::GetBitrate() { return query(&MpegEntryPoints::getBitrate); }

e_mode TMPEGPlayer::GetChannelMode() {
  return static_cast<e_mode>(query(&MpegEntryPoints::getStereoMode));
}

int32_t TMPEGPlayer::GetLayer() { return query(&MpegEntryPoints::getLayer); }

int32_t TMPEGPlayer::GetPlayMode() { return query(&MpegEntryPoints::getPlayerMode); }

int32_t TMPEGPlayer::GetPosition() { return query(&MpegEntryPoints::getCurrentPos); }

int32_t TMPEGPlayer::GetLength() { return query(&MpegEntryPoints::getLength); }

void TMPEGPlayer::Seek(int32_t positionMs) {
  requireLibrary();
  entry_->seek(positionMs);
  checkError();
}

void TMPEGPlayer::SetDevNum(int32_t device) {
  requireLibrary();
  entry_->setSndDevice(device);
  checkError();
}

void TMPEGPlayer::SetStreamName(const std::string& name) {
  streamName_ = name;
  if (opened_) Close();
}

void TMPEGPlayer::SetOutFilename(const std::string& name) { outFilename_ = name; }

void TMPEGPlayer::SetTimerFreq(int32_t ms) {
  timerFreq_ = ms;
  if (ms == 0) UseTimer = false;
}

TOutputDevice TMPEGPlayer::GetOutputDevice() const {
  return device_ == MPEGDLL_DEVICE_AUDIO ? TOutputDevice::wavemapper : TOutputDevice::pcmfile;
}

void TMPEGPlayer::SetOutputDevice(TOutputDevice device) {
  device_ = device == TOutputDevice::wavemapper ? MPEGDLL_DEVICE_AUDIO : MPEGDLL_DEVICE_PCM_FILE;
}

TPlayPriority TMPEGPlayer::GetPriority() const {
  for (size_t i = 0; i < std::size(kPriorityValues); ++i)
    if (kPriorityValues[i] == priority_) return static_cast<TPlayPriority>(i);
  return TPlayPriority::Normal;
}

void TMPEGPlayer::SetPriority(TPlayPriority priority) {
  priority_ = kPriorityValues[static_cast<size_t>(priority)];
  if (!library_) return;
  entry_->setPriority(priority_);
  checkError();
}
