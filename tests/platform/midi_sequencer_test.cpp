// The SDL2_mixer sequencer with real MIDI files under SDL's dummy audio driver.
#include "audio_device.h"
#include "midi_sequencer.h"
#include "midi_writer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <fstream>

#include <sys/stat.h>

using platform::MidiSequencer;

namespace {

// A song of `notes` quarter notes at 240 beats per minute (a quarter of a second each).
std::vector<std::uint8_t> shortSong(int notes) {
  midi_maker::Song song;
  song.title = "test";
  song.beatsPerMinute = 240;
  midi_maker::Part piano;
  piano.name = "Piano";
  for (int i = 0; i < notes; ++i)
    piano.notes.push_back({static_cast<std::uint32_t>(i) * song.ticksPerQuarter,
                           song.ticksPerQuarter, static_cast<std::uint8_t>(60 + i), 90});
  song.parts.push_back(piano);
  return midi_maker::writeStandardMidiFile(song);
}

}  // namespace

class MidiSequencerTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  std::string write(const char* name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = dir_.filePath(name).toStdString();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  // Lets queued notices arrive for `ms` milliseconds.
  static void settle(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }

  void requireAudio() {
    if (!platform::ensureAudioOpen()) QSKIP("no audio device (run with SDL_AUDIODRIVER=dummy)");
  }

private slots:
  void badFilesGiveOpenErrors() {
    requireAudio();
    MidiSequencer sequencer;
    QVERIFY(!sequencer.open(dir_.filePath("missing.mid").toStdString()));
    QCOMPARE(sequencer.errorCode(), int(MidiSequencer::FileNotReadable));
    QVERIFY(!sequencer.errorText().empty());

    std::vector<std::uint8_t> garbage(300);
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 37);
    QVERIFY(!sequencer.open(write("garbage.mid", garbage)));
    QCOMPARE(sequencer.errorCode(), int(MidiSequencer::NotMidiFile));

    std::vector<std::uint8_t> cut = shortSong(4);
    cut.resize(cut.size() - 5);
    QVERIFY(!sequencer.open(write("cut.mid", cut)));
    QCOMPARE(sequencer.errorCode(), int(MidiSequencer::NotMidiFile));

    QVERIFY(!sequencer.open(dir_.path().toStdString()));  // a folder
    const QString pipe = dir_.filePath("pipe.mid");
    QVERIFY(::mkfifo(pipe.toLocal8Bit().constData(), 0600) == 0);
    QVERIFY(!sequencer.open(pipe.toStdString()));  // refused at once, not waited on
    QCOMPARE(sequencer.errorCode(), int(MidiSequencer::FileNotReadable));
    QVERIFY(!sequencer.isOpen());
    QCOMPARE(sequencer.play(), int(MidiSequencer::NotOpen));
  }

  void stoppedPlaySendsExactlyOneNoticeOnTheOwnersThread() {
    requireAudio();
    MidiSequencer sequencer;
    QThread* noticeThread = nullptr;
    int notices = 0;
    connect(&sequencer, &MidiSequencer::completed, this, [&] {
      ++notices;
      noticeThread = QThread::currentThread();
    });
    QVERIFY(sequencer.open(write("long.mid", shortSong(40))));
    QCOMPARE(sequencer.play(), 0);
    settle(200);
    QCOMPARE(notices, 0);
    sequencer.stop();
    QCOMPARE(notices, 0);  // the notice comes after the stopping call returned
    settle(300);
    QCOMPARE(notices, 1);
    QCOMPARE(noticeThread, QThread::currentThread());

    sequencer.close();  // nothing plays any more: no second notice
    settle(200);
    QCOMPARE(notices, 1);
  }

  void closeAndReplayEndThePlayWithOneNoticeEach() {
    requireAudio();
    MidiSequencer sequencer;
    QSignalSpy notices(&sequencer, &MidiSequencer::completed);
    const std::string song = write("replay.mid", shortSong(40));
    QVERIFY(sequencer.open(song));
    QCOMPARE(sequencer.play(), 0);
    QCOMPARE(sequencer.play(), 0);  // starting again ends the first play
    settle(200);
    QCOMPARE(notices.count(), 1);
    QVERIFY(sequencer.open(song));  // opening again closes the device and ends the play
    settle(200);
    QCOMPARE(notices.count(), 2);
    QCOMPARE(sequencer.play(), 0);
    sequencer.close();
    sequencer.close();
    settle(200);
    QCOMPARE(notices.count(), 3);
  }

  void songThatEndsByItselfSendsOneNotice() {
    requireAudio();
    MidiSequencer sequencer;
    QThread* noticeThread = nullptr;
    int notices = 0;
    connect(&sequencer, &MidiSequencer::completed, this, [&] {
      ++notices;
      noticeThread = QThread::currentThread();
    });
    QVERIFY(sequencer.open(write("short.mid", shortSong(1))));
    QCOMPARE(sequencer.play(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(notices, 1, 15000);
    QCOMPARE(noticeThread, QThread::currentThread());
    sequencer.stop();  // after the end: no further notice
    sequencer.close();
    settle(300);
    QCOMPARE(notices, 1);
  }

  void destroyingAPlayingSequencerIsSafe() {
    requireAudio();
    auto* sequencer = new MidiSequencer;
    QVERIFY(sequencer->open(write("gone.mid", shortSong(40))));
    QCOMPARE(sequencer->play(), 0);
    delete sequencer;
    settle(200);  // a notice still queued for it must be dropped, not delivered
  }

  // Run by its own CTest entry with an audio driver that does not exist.
  void openFailsWithoutAudioDevice() {
    if (platform::ensureAudioOpen()) QSKIP("an audio device is available");
    MidiSequencer sequencer;
    QVERIFY(!sequencer.open(write("any.mid", shortSong(2))));
    QCOMPARE(sequencer.errorCode(), int(MidiSequencer::NoAudioDevice));
    QVERIFY(!sequencer.errorText().empty());
  }
};

QTEST_GUILESS_MAIN(MidiSequencerTest)
#include "midi_sequencer_test.moc"
