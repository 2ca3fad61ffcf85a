#pragma once
// What the music control talks to: the MIDI sequencer, the MP3 player and the table window.
// The program plugs in the real sequencer, MP3 player and window; tests plug in fakes.
#include <optional>
#include <string>

namespace music {

struct SequencerFailure {
  int code = 0;
  std::string text;  // the sequencer's description of `code`
};

class MidiOutput {
 public:
  virtual ~MidiOutput() = default;
  // Opens the song, closing one still open. nullopt on success.
  virtual std::optional<SequencerFailure> open(const std::string& path) = 0;
  // Starts the open song and returns at once: 0, or the error code when it did not start. A song
  // that started sends one completion notice later (MusicControl::midiSongCompleted), also when
  // it is stopped or closed.
  virtual int play() = 0;
  virtual void stop() = 0;
  virtual void close() = 0;
};

class Mp3Output {
 public:
  virtual ~Mp3Output() = default;
  // Makes `path` the stream (closing one still open) and opens it; false when that fails,
  // including when the decoder library is not loaded.
  virtual bool open(const std::string& path) = 0;
  virtual bool play() = 0;  // false when the song did not start
  virtual void stop() = 0;  // failures (nothing playing, song just ended) are ignored
  virtual void close() = 0;
};

enum class MessageIcon { None, Information };

class MusicHost {
 public:
  virtual ~MusicHost() = default;
  virtual void setMusicOnChecked(bool checked) = 0;        // the "M&usic on" check mark
  virtual void showSongName(const std::string& name) = 0;  // status bar panel 5
  // A modal message with an OK button; an empty caption means the program's own title.
  virtual void showMessage(const std::string& text, const std::string& caption,
                           MessageIcon icon) = 0;
  // The preferences' music byte: '0' off, '1' MIDI playing, '2' MP3 playing.
  virtual char musicSetting() const = 0;
  virtual void setMusicSetting(char value) = 0;
};

}  // namespace music
