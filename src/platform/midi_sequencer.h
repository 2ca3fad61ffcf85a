#pragma once
// The MIDI sequencer: plays Standard MIDI Files through SDL2_mixer's music stream (rendered by
// FluidSynth with the General MIDI sound font).
//
// Like a media-control sequencer device it offers open, play with a completion notice, stop and
// close. Every play that started produces exactly one `completed` signal, delivered on the thread
// that owns the object (the user-interface thread) after the call that ended the play returned:
// at the natural end of the song, and also when the play is cut short by stop(), close(), a new
// open() or a new play(). (A sequencer that is destroyed sends nothing more.)
//
// The natural end is the song's last event, timed from the file's own tempo map (the synthesizer
// reports it seconds later); a file whose length cannot be read ends at the synthesizer's notice.
//
// SDL2_mixer has one music stream per process: use one sequencer at a time.
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <set>
#include <string>

namespace platform {

class MidiSequencer : public QObject {
  Q_OBJECT

 public:
  // Error codes of open() and play(); errorText() describes the last one.
  enum Error : int {
    NoError = 0,
    NoAudioDevice = 1,    // the audio output could not be opened
    NoSynthesizer = 2,    // SDL2_mixer has no MIDI synthesizer (FluidSynth)
    FileNotReadable = 3,  // missing, not a plain file, unreadable or too large
    NotMidiFile = 4,      // not a Standard MIDI File
    CannotLoad = 5,       // the synthesizer refused the file
    NotOpen = 6,          // play() without an open file
    CannotPlay = 7,       // the music stream could not be started
  };

  explicit MidiSequencer(QObject* parent = nullptr);
  ~MidiSequencer() override;  // stops and closes

  // Opens `path` for playing, closing a file still open first. Returns false on failure; then
  // errorCode() and errorText() tell why.
  bool open(const std::string& path);
  // Starts the open file from its beginning and returns at once; 0 on success, else an error
  // code (no notice follows a play that did not start).
  int play();
  void stop();   // stops the sound; the file stays open
  void close();  // stops and releases the file

  bool isOpen() const { return music_ != nullptr; }
  int errorCode() const { return errorCode_; }
  const std::string& errorText() const { return errorText_; }

 signals:
  void completed();

 private:
  struct Music;

  bool fail(Error code, const std::string& detail = {});
  void finished(std::uint64_t play);  // on the owner's thread
  // Halts the running play of `onlyOf` (of any sequencer when null) and posts its notice.
  static void haltPlay(MidiSequencer* onlyOf);
  static void musicFinishedHook();  // on SDL's audio thread or the caller's thread

  std::unique_ptr<Music> music_;
  QTimer endTimer_;  // ends the running play at the song's last event
  int errorCode_ = NoError;
  std::string errorText_;
  std::uint64_t lastPlay_ = 0;
  std::set<std::uint64_t> unfinishedPlays_;  // started plays whose notice is still due
};

}  // namespace platform
