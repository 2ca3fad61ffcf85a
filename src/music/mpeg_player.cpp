#include "music/mpeg_player.h"

#include "music/mpeg_library.h"

#include <QLibrary>
#include <QTimer>
#include <QtGlobal>

#include <atomic>

namespace music {

const std::array<const char*, 6> kErrorTexts = {
    "MPEG library not loaded", "Internal decoder error",       "Incorrect mode",
    "Input stream error",      "Input stream is non-seekable", "Output device failure"};

std::string errorMessage(int32_t code) {
  if (code >= 0 && code < static_cast<int32_t>(kErrorTexts.size())) return kErrorTexts[code];
  return "Unknown MPEG library error " + std::to_string(code);
}

namespace {

constexpr int32_t kPriorityValues[] = {-15, -2, -1, 0, 1, 2, 15};  // in PlayPriority order

// The library's stream callbacks: the user pointer is the component; each forwards to its event.
// No exception may cross back into the library.
Mp3Player& owner(void* user) { return *static_cast<Mp3Player*>(user); }

void openStream(void* user, mpegdll_bool* nonseekable, void** context) {
  bool cannotSeek = false;
  void* streamContext = nullptr;
  try {
    if (owner(user).onOpenStream) owner(user).onOpenStream(cannotSeek, streamContext);
  } catch (...) {
    streamContext = nullptr;
  }
  *nonseekable = cannotSeek ? 1 : 0;
  *context = streamContext;
}

void closeStream(void* user, void* context) {
  try {
    if (owner(user).onCloseStream) owner(user).onCloseStream(context);
  } catch (...) {}
}

void restartStream(void* user, void* context, mpegdll_bool* ok) {
  bool res = false;
  try {
    if (owner(user).onRestartStream) owner(user).onRestartStream(context, res);
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
    if (owner(user).onReadStream) owner(user).onReadStream(context, buffer, wanted, read, res);
  } catch (...) {
    res = false;
  }
  *got = read;
  *ok = res ? 1 : 0;
}

void seekStream(void* user, void* context, int32_t distance, int32_t method, int32_t* result) {
  int32_t res = -1;
  try {
    if (owner(user).onSeekStream) owner(user).onSeekStream(context, distance, method, res);
  } catch (...) {
    res = -1;
  }
  *result = res;
}

void streamSize(void* user, void* context, int32_t* result) {
  int32_t res = -1;
  try {
    if (owner(user).onGetStreamSize) owner(user).onGetStreamSize(context, res);
  } catch (...) {
    res = -1;
  }
  *result = res;
}

}  // namespace

Mp3Player::Mp3Player(QObject* parent) : QObject(parent), timer_(new QTimer(this)) {
  connect(timer_, &QTimer::timeout, this, [this] { updateTimer(); });
}

Mp3Player::~Mp3Player() { deinit(); }

bool Mp3Player::isLoaded() const { return library_ != nullptr; }

int32_t Mp3Player::lastError() { return entry_ ? entry_->lastError() : 0; }

void Mp3Player::requireLibrary() const {
  if (!library_) throw Mp3PlayerError(kErrorTexts[0], 0);
}

void Mp3Player::raiseCode(int32_t code) {
  throw Mp3PlayerError(errorMessage(code),
                       static_cast<uint8_t>(code >= 0 && code <= 255 ? code : 255));
}

void Mp3Player::raiseIncorrectMode() {
  throw Mp3PlayerError(kErrorTexts[MPEGDLL_ERR_MODE], MPEGDLL_ERR_MODE);
}

void Mp3Player::checkError() {
  lastError_ = lastError();
  if (lastError_ > 0) raiseCode(lastError_);
}

// The library's playback thread writes the end flag; only whole-byte atomic access is used.
bool Mp3Player::endFlagSet() const {
  return std::atomic_ref<uint8_t>(const_cast<uint8_t&>(playEnded_)).load() != 0;
}

void Mp3Player::clearEndFlag() { std::atomic_ref<uint8_t>(playEnded_).store(0); }

void Mp3Player::init() {
  if (library_) return;
  auto library = std::make_unique<QLibrary>();
  if (!loadMpegLibrary(*library, pathToLibrary)) throw Mp3PlayerError("Can't load MPEG library", 0);
  auto entry = std::make_unique<MpegEntryPoints>();
  if (!resolveMpegEntryPoints(*library, *entry)) {
    library->unload();
    throw Mp3PlayerError(kErrorTexts[0], 0);
  }
  if (!entry->init()) {
    lastError_ = entry->lastError();
    library->unload();
    raiseCode(lastError_);
  }
  library_ = std::move(library);
  entry_ = std::move(entry);
  timer_->stop();
  timer_->setInterval(useTimer ? timerFreq_ : 0);
  length_ = 0;
}

void Mp3Player::unloadLibrary() {
  timer_->stop();
  entry_.reset();
  if (library_) library_->unload();
  library_.reset();
}

void Mp3Player::deinit() {
  if (!library_) return;
  if (opened_) closeOpenStream();
  entry_->deinit();  // joins the playback thread: nothing writes the end flag after this
  unloadLibrary();
}

void Mp3Player::open() {
  requireLibrary();
  if (opened_) close();
  opened_ = false;
  if (fromStream) {
    entry_->open(nullptr, 1, openStream, closeStream, restartStream, readStream, seekStream,
                 streamSize, this);
  } else {
    if (streamName_.empty()) throw Mp3PlayerError("Can't play non-specified stream", 254);
    // Refused rather than cut: a shortened name would open some other file.
    if (streamName_.size() > kMaxStreamNameLength) raiseCode(MPEGDLL_ERR_INPUT);
    entry_->open(streamName_.c_str(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr);
  }
  checkError();
  opened_ = true;
  playedXTimes_ = 1;
  length_ = length();
  if (autoPlay) play();
}

void Mp3Player::play() {
  requireLibrary();
  if (paused_) {
    pause(false);
    return;
  }
  if (playing_) return;
  if (!opened_) {
    open();
    if (!opened_ || playing_) return;  // with autoPlay, open() has started playing already
  }
  if (playedXTimes_ > 1) {
    restart();
    return;
  }
  entry_->setPriority(priority_);
  checkError();
  if (outFilename_.size() > kMaxOutFilenameLength) raiseCode(MPEGDLL_ERR_OUTPUT);
  entry_->setOutputDevice(device_, outFilename_.c_str());
  checkError();
  setDeviceNumber(waveDeviceNumber);
  const int32_t result = entry_->play(startPos, endPos, &playEnded_);
  lastError_ = lastError();
  if (lastError_ > 0 || result != 0) raiseCode(lastError_);
  playing_ = true;
  ++playedXTimes_;
  startWatch();
}

void Mp3Player::startWatch() {
  if (useTimer && timer_->interval() != 0) {
    timer_->start();
    updateTimer();
  }
}

void Mp3Player::pause(bool pause) {
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

void Mp3Player::stop() {
  if (!playing_ || endFlagSet()) raiseIncorrectMode();
  requireLibrary();
  entry_->stop();
  checkError();
  playing_ = false;
  paused_ = false;
}

void Mp3Player::restart() {
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

void Mp3Player::closeOpenStream() {
  opened_ = paused_ = playing_ = false;
  playedXTimes_ = 0;
  entry_->close();
}

void Mp3Player::close() {
  requireLibrary();
  closeOpenStream();
  checkError();
}

template <typename Handler, typename... Args>
void Mp3Player::runHandler(const char* name, Handler& handler, Args&&... args) {
  // The timer runs inside Qt's event loop, which exceptions must not cross.
  try {
    handler(std::forward<Args>(args)...);
  } catch (const std::exception& error) {
    qWarning("Mp3Player: %s handler failed: %s", name, error.what());
  } catch (...) {
    qWarning("Mp3Player: %s handler failed", name);
  }
}

void Mp3Player::updateTimer() {
  if (!(opened_ && playing_)) {
    timer_->stop();
    return;
  }
  int32_t pos = 0;
  try {
    pos = position();
  } catch (const Mp3PlayerError&) {
    pos = 0;  // the end check below must still run
  }
  if (pos > length_) pos = 0;
  if (onPosUpdate) runHandler("onPosUpdate", onPosUpdate, pos, length_);
  if (endFlagSet()) {
    timer_->stop();
    playing_ = false;
    if (onPlayEnd) {
      clearEndFlag();
      runHandler("onPlayEnd", onPlayEnd, *this);
    }
  }
}

bool Mp3Player::playStopped() {
  requireLibrary();
  bool stopped = endFlagSet();
  if (stopped) {
    stopped = entry_->resetPlayerMode() != 0;
    checkError();
    playing_ = false;
  }
  return stopped;
}

int32_t Mp3Player::frequency() { return query(&MpegEntryPoints::getFrequency); }

int32_t Mp3Player::bitrate() { return query(&MpegEntryPoints::getBitrate); }

ChannelMode Mp3Player::channelMode() {
  return static_cast<ChannelMode>(query(&MpegEntryPoints::getStereoMode));
}

int32_t Mp3Player::layer() { return query(&MpegEntryPoints::getLayer); }

int32_t Mp3Player::playMode() { return query(&MpegEntryPoints::getPlayerMode); }

int32_t Mp3Player::position() { return query(&MpegEntryPoints::getCurrentPos); }

int32_t Mp3Player::length() { return query(&MpegEntryPoints::getLength); }

void Mp3Player::seek(int32_t positionMs) {
  requireLibrary();
  entry_->seek(positionMs);
  checkError();
}

void Mp3Player::setDeviceNumber(int32_t device) {
  requireLibrary();
  entry_->setSndDevice(device);
  checkError();
}

void Mp3Player::setStreamName(const std::string& name) {
  streamName_ = name;
  if (opened_) close();
}

void Mp3Player::setOutFilename(const std::string& name) { outFilename_ = name; }

void Mp3Player::setTimerFreq(int32_t ms) {
  timerFreq_ = ms;
  if (ms == 0) useTimer = false;
}

OutputDevice Mp3Player::outputDevice() const {
  return device_ == MPEGDLL_DEVICE_AUDIO ? OutputDevice::WaveMapper : OutputDevice::PcmFile;
}

void Mp3Player::setOutputDevice(OutputDevice device) {
  device_ = device == OutputDevice::WaveMapper ? MPEGDLL_DEVICE_AUDIO : MPEGDLL_DEVICE_PCM_FILE;
}

PlayPriority Mp3Player::priority() const {
  for (size_t i = 0; i < std::size(kPriorityValues); ++i)
    if (kPriorityValues[i] == priority_) return static_cast<PlayPriority>(i);
  return PlayPriority::Normal;
}

void Mp3Player::setPriority(PlayPriority priority) {
  priority_ = kPriorityValues[static_cast<size_t>(priority)];
  if (!library_) return;
  entry_->setPriority(priority_);
  checkError();
}

}  // namespace music
