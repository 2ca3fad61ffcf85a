// The sequencer over the audio library's music stream. The library calls the finished hook on the
// caller's thread when the song is halted and on its audio thread when a song ends by itself; the
// hook only posts the notice to the sequencer's own thread.
#include "platform/midi_sequencer.h"

#include "platform/audio_device.h"
#include "platform/audio_library.h"
#include "platform/file_io.h"
#include "platform/midi_file_check.h"
#include "platform/midi_song_length.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace platform {

namespace {

// Far larger than any real song; keeps a mistaken huge file from being read into memory.
constexpr std::size_t kMaxMidiFileSize = 16u << 20;
// How long the last notes may ring on after the song's last event before the play ends.
constexpr int kRingOutMs = 300;

// The sequencer whose play SDL2_mixer's one music stream is running, and that play's number
// (0 when none is running or its notice was already posted). Shared with the audio thread.
std::mutex activeMutex;
MidiSequencer* activeSequencer = nullptr;
std::uint64_t activePlay = 0;

const char* errorDescription(int code) {
  switch (code) {
    case MidiSequencer::NoAudioDevice: return "The audio device could not be opened.";
    case MidiSequencer::NoSynthesizer: return "No MIDI synthesizer is available.";
    case MidiSequencer::FileNotReadable: return "The file could not be read.";
    case MidiSequencer::NotMidiFile: return "The file is not a standard MIDI file.";
    case MidiSequencer::CannotLoad: return "The synthesizer could not load the file.";
    case MidiSequencer::NotOpen: return "No file is open.";
    case MidiSequencer::CannotPlay: return "The music could not be started.";
  }
  return "Unknown error.";
}

}  // namespace

struct MidiSequencer::Music {
  std::vector<std::uint8_t> bytes;  // the file; the music stream may read it while playing
  void* song = nullptr;             // the audio library's
  int playMs = -1;                  // from the start to the end of the play; -1 unknown
};

MidiSequencer::MidiSequencer(QObject* parent) : QObject(parent) {
  endTimer_.setSingleShot(true);
  endTimer_.setTimerType(Qt::PreciseTimer);  // a coarse timer may be late by 5 %
  connect(&endTimer_, &QTimer::timeout, this, [this] { haltPlay(this); });
}

MidiSequencer::~MidiSequencer() {
  close();
  std::lock_guard lock(activeMutex);
  if (activeSequencer == this) activeSequencer = nullptr;
}

bool MidiSequencer::fail(Error code, const std::string& detail) {
  errorCode_ = code;
  errorText_ = errorDescription(code);
  if (!detail.empty()) errorText_ += " " + detail;
  return false;
}

bool MidiSequencer::open(const std::string& path) {
  close();
  errorCode_ = NoError;
  errorText_.clear();
  if (!ensureAudioOpen()) return fail(NoAudioDevice);
  const AudioEntryPoints* audio = audioLibrary();  // loaded: the device is open
  if (audio->hasMidi() == 0) return fail(NoSynthesizer);

  auto bytes = readFile(path, kMaxMidiFileSize + 1);  // plain files only, never a pipe
  if (!bytes || bytes->size() > kMaxMidiFileSize) return fail(FileNotReadable);
  if (!isStandardMidiFile(bytes->data(), bytes->size())) return fail(NotMidiFile);

  auto music = std::make_unique<Music>();
  if (const auto seconds = midiSongSeconds(bytes->data(), bytes->size()))
    music->playMs =
        static_cast<int>(std::min(*seconds * 1000.0, double{INT_MAX - kRingOutMs})) + kRingOutMs;
  music->bytes = std::move(*bytes);
  music->song = audio->loadMidi(music->bytes.data(), static_cast<int>(music->bytes.size()));
  if (!music->song) return fail(CannotLoad, audio->lastError());

  music_ = std::move(music);
  holdAudio();  // the loaded song belongs to this device: it must not close under it
  return true;
}

int MidiSequencer::play() {
  if (!music_) {
    fail(NotOpen);
    return errorCode_;
  }
  endTimer_.stop();
  haltPlay(nullptr);  // the one music stream may be running another sequencer's play
  {
    std::lock_guard lock(activeMutex);
    activeSequencer = this;
    activePlay = ++lastPlay_;
  }
  unfinishedPlays_.insert(lastPlay_);
  const AudioEntryPoints* audio = audioLibrary();
  if (audio->playSong(music_->song, &MidiSequencer::musicFinishedHook) != 0) {
    {
      std::lock_guard lock(activeMutex);
      if (activePlay == lastPlay_) activePlay = 0;
    }
    unfinishedPlays_.erase(lastPlay_);
    fail(CannotPlay, audio->lastError());
    return errorCode_;
  }
  if (music_->playMs >= 0) endTimer_.start(music_->playMs);
  errorCode_ = NoError;
  errorText_.clear();
  return NoError;
}

void MidiSequencer::stop() {
  endTimer_.stop();
  haltPlay(this);
}

void MidiSequencer::haltPlay(MidiSequencer* onlyOf) {
  MidiSequencer* sequencer = nullptr;
  std::uint64_t play = 0;
  {
    // Taking the play number first means the hook, which halting the song calls, finds nothing to
    // post, and a song that ended by itself meanwhile was already posted by the audio thread.
    std::lock_guard lock(activeMutex);
    if (activeSequencer && (!onlyOf || activeSequencer == onlyOf)) {
      sequencer = activeSequencer;
      play = std::exchange(activePlay, 0);
    }
  }
  if (play == 0) return;
  audioLibrary()->haltSong();
  QMetaObject::invokeMethod(
      sequencer, [sequencer, play] { sequencer->finished(play); }, Qt::QueuedConnection);
}

void MidiSequencer::close() {
  stop();
  if (!music_) return;
  audioLibrary()->freeSong(music_->song);
  music_.reset();
  releaseAudio();
}

void MidiSequencer::finished(std::uint64_t play) {
  if (unfinishedPlays_.erase(play) != 0) emit completed();
}

void MidiSequencer::musicFinishedHook() {
  std::lock_guard lock(activeMutex);
  if (!activeSequencer || activePlay == 0) return;
  MidiSequencer* sequencer = activeSequencer;
  const std::uint64_t play = std::exchange(activePlay, 0);
  // Posting is thread-safe; the lock keeps the sequencer alive until the event is queued, and
  // events queued for a sequencer that is destroyed later are discarded with it.
  QMetaObject::invokeMethod(
      sequencer, [sequencer, play] { sequencer->finished(play); }, Qt::QueuedConnection);
}

}  // namespace platform
