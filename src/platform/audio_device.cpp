#include "platform/audio_device.h"

#include "platform/audio_library.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

namespace platform {

namespace {

// Long enough that a player clicking away hears no reopening delay, short enough that an idle
// game soon stops waking up for silence.
int idleCloseMs = 10000;

enum class Device { Closed, Open, Failed };
Device device = Device::Closed;
int holds = 0;

// A missing or broken audio library is a machine without audio.
bool openAudio() {
  const AudioEntryPoints* audio = audioLibrary();
  return audio != nullptr && audio->open() != 0;
}

void closeIfIdle();

// The idle timer lives with the application (it is destroyed with it) and exists only when
// there is one.
QTimer* idleTimer() {
  static QPointer<QTimer> timer;
  if (!timer && QCoreApplication::instance() != nullptr) {
    timer = new QTimer(QCoreApplication::instance());
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, &closeIfIdle);
  }
  return timer;
}

void closeIfIdle() {
  if (device != Device::Open || holds > 0) return;
  if (audioLibrary()->cuesPlaying() > 0) {  // a long cue: look again later
    noteAudioUsed();
    return;
  }
  // Loaded cues stay valid: they are kept in the device's format, which a reopening restores.
  audioLibrary()->close();
  device = Device::Closed;
}

}  // namespace

bool ensureAudioOpen() {
  if (device == Device::Closed) device = openAudio() ? Device::Open : Device::Failed;
  if (device != Device::Open) return false;
  noteAudioUsed();
  return true;
}

void noteAudioUsed() {
  if (device != Device::Open || holds > 0) return;
  if (QTimer* timer = idleTimer()) timer->start(idleCloseMs);
}

void holdAudio() { ++holds; }

void releaseAudio() {
  if (holds > 0 && --holds == 0) noteAudioUsed();
}

bool audioIsOpen() { return device == Device::Open; }

void setAudioIdleCloseMs(int ms) { idleCloseMs = ms; }

}  // namespace platform
