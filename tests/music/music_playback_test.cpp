// The music control driving the real sequencer: notices of stopped songs and of songs that end
// by themselves, as they arrive through the event loop.
#include "audio_device.h"
#include "midi_sequencer.h"
#include "midi_writer.h"
#include "music_control.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

namespace {

class Sequencer : public music::MidiOutput {
public:
  explicit Sequencer(platform::MidiSequencer& device) : device_(device) {}
  std::optional<music::SequencerFailure> open(const std::string& path) override {
    if (device_.open(path)) return std::nullopt;
    return music::SequencerFailure{device_.errorCode(), device_.errorText()};
  }
  int play() override { return device_.play(); }
  void stop() override { device_.stop(); }
  void close() override { device_.close(); }

private:
  platform::MidiSequencer& device_;
};

class NoMp3 : public music::Mp3Output {
public:
  bool open(const std::string&) override { return false; }
  bool play() override { return false; }
  void stop() override {}
  void close() override {}
};

struct Host : music::MusicHost {
  void setMusicOnChecked(bool value) override { checked = value; }
  void showSongName(const std::string& name) override { panel = name; }
  void showMessage(const std::string& text, const std::string&, music::MessageIcon) override {
    messages.push_back(text);
  }
  char musicSetting() const override { return music; }
  void setMusicSetting(char value) override { music = value; }
  bool checked = false;
  std::string panel;
  std::vector<std::string> messages;
  char music = '0';
};

// `notes` quarter notes at 240 beats per minute.
void writeSong(const std::string& path, int notes) {
  midi_maker::Song song;
  song.beatsPerMinute = 240;
  midi_maker::Part part;
  for (int i = 0; i < notes; ++i)
    part.notes.push_back({static_cast<std::uint32_t>(i) * 480, 480, static_cast<std::uint8_t>(64 + i % 5), 80});
  song.parts = {part};
  const auto bytes = midi_maker::writeStandardMidiFile(song);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

void settle(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace

class MusicPlaybackTest : public QObject {
  Q_OBJECT

private slots:
  void nextSongIgnoresTheStoppedSongsNoticeAndTheNextEndAdvances() {
    if (!platform::ensureAudioOpen()) QSKIP("no audio device (run with SDL_AUDIODRIVER=dummy)");
    QTemporaryDir dir;
    const std::string first = dir.filePath("first.mid").toStdString();
    const std::string brief = dir.filePath("brief.mid").toStdString();
    const std::string third = dir.filePath("third.mid").toStdString();
    writeSong(first, 40);
    writeSong(brief, 1);
    writeSong(third, 40);

    platform::MidiSequencer device;
    Sequencer midi(device);
    NoMp3 mp3;
    Host host;
    music::MusicControl control(midi, mp3, host);
    connect(&device, &platform::MidiSequencer::completed, this, [&] { control.MediaPlayer1Notify(); });
    control.setPlaylist({first, brief, third});

    control.Musicon1Click();
    QCOMPARE(host.panel, std::string("first"));
    settle(100);
    control.Nextsong1Click();
    QCOMPARE(control.currentSong(), 1);
    QVERIFY(control.ignoreNextNotify());
    settle(200);  // the notice of the stopped song arrives and is used up
    QVERIFY(!control.ignoreNextNotify());
    QCOMPARE(control.currentSong(), 1);
    QCOMPARE(host.music, '1');

    QTRY_COMPARE_WITH_TIMEOUT(control.currentSong(), 2, 15000);  // "brief" ended by itself
    QCOMPARE(host.panel, std::string("third"));
    QCOMPARE(host.music, '1');

    control.Musicon1Click();
    settle(200);
    QCOMPARE(control.currentSong(), 2);
    QCOMPARE(host.music, '0');
    QVERIFY(!host.checked);
    QVERIFY(host.messages.empty());
  }

  void brokenSongStopsTheMusicWithTheSequencersMessage() {
    if (!platform::ensureAudioOpen()) QSKIP("no audio device (run with SDL_AUDIODRIVER=dummy)");
    QTemporaryDir dir;
    const std::string broken = dir.filePath("broken.mid").toStdString();
    std::ofstream(broken) << "MThd but nothing a synthesizer could play";
    platform::MidiSequencer device;
    Sequencer midi(device);
    NoMp3 mp3;
    Host host;
    music::MusicControl control(midi, mp3, host);
    control.setPlaylist({broken});
    control.Musicon1Click();
    QCOMPARE(host.messages, std::vector<std::string>{"Error 4: The file is not a standard MIDI file."});
    QCOMPARE(host.music, '0');
  }
};

QTEST_GUILESS_MAIN(MusicPlaybackTest)
#include "music_playback_test.moc"
