#include "platform/audio_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

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

bool openAudio() {
  // Starting audio starts SDL's event subsystem, which would otherwise catch SIGINT and SIGTERM
  // and turn them into quit events that nothing here reads: Ctrl+C, kill and a logout must still
  // end the game.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  // 1024 frames keep the delay between a click and its sound around 23 ms.
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  // Enough channels that overlapping cues never wait for each other.
  Mix_AllocateChannels(16);
  return true;
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
  if (Mix_Playing(-1) > 0) {  // a long cue: look again later
    noteAudioUsed();
    return;
  }
  // Loaded cues stay valid: they are kept in the device's format, which a reopening restores.
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
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
