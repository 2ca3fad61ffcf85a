// The SDL2_mixer sequencer with real MIDI files under SDL's dummy audio driver.
#include "platform/midi_sequencer.h"
#include "platform/audio_device.h"
#include "tests/platform/midi_test_songs.h"

#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

using miditest::settle;
using platform::MidiSequencer;

namespace {

// Completion notices as the sequencer sends them. The connection is direct, so the thread seen
// is the sending one.
struct Notices {
  explicit Notices(MidiSequencer& sequencer) {
    QObject::connect(
        &sequencer, &MidiSequencer::completed, &receiver,
        [this] {
          ++count;
          allOnMainThread &= QThread::currentThread() == QCoreApplication::instance()->thread();
        },
        Qt::DirectConnection);
  }
  int count = 0;
  bool allOnMainThread = true;
  QObject receiver;  // ends the connection when the counter goes
};

}  // namespace

class MidiSequencerTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  std::string path(const char* name) const { return dir_.filePath(name).toStdString(); }
  std::string song(const char* name, int notes) const {
    miditest::writeShortSong(path(name), notes);
    return path(name);
  }

  void requireAudio() {
    if (!platform::ensureAudioOpen()) QSKIP("no audio device (run with SDL_AUDIODRIVER=dummy)");
  }

 private slots:
  void badFilesGiveOpenErrors() {
    requireAudio();
    MidiSequencer sequencer;
    QVERIFY(!sequencer.open(path("missing.mid")));
    QCOMPARE(sequencer.errorCode(), int(MidiSequencer::FileNotReadable));
    QVERIFY(!sequencer.errorText().empty());

    std::string garbage(300, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 37);
    std::ofstream(path("garbage.mid"), std::ios::binary) << garbage;
    QVERIFY(!sequencer.open(path("garbage.mid")));
    QCOMPARE(sequencer.errorCode(), int(MidiSequencer::NotMidiFile));

    const std::string cut = song("cut.mid", 4);
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) - 5);
    QVERIFY(!sequencer.open(cut));
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
    Notices notices(sequencer);
    QVERIFY(sequencer.open(song("long.mid", 40)));
    QCOMPARE(sequencer.play(), 0);
    settle(200);
    QCOMPARE(notices.count, 0);
    sequencer.stop();
    QCOMPARE(notices.count, 0);  // the notice comes after the stopping call returned
    settle(300);
    QCOMPARE(notices.count, 1);

    sequencer.close();  // nothing plays any more: no second notice
    settle(200);
    QCOMPARE(notices.count, 1);
    QVERIFY(notices.allOnMainThread);
  }

  void closeAndReplayEndThePlayWithOneNoticeEach() {
    requireAudio();
    MidiSequencer sequencer;
    Notices notices(sequencer);
    const std::string replay = song("replay.mid", 40);
    QVERIFY(sequencer.open(replay));
    QCOMPARE(sequencer.play(), 0);
    QCOMPARE(sequencer.play(), 0);  // starting again ends the first play
    settle(200);
    QCOMPARE(notices.count, 1);
    QVERIFY(sequencer.open(replay));  // opening again closes the device and ends the play
    settle(200);
    QCOMPARE(notices.count, 2);
    QCOMPARE(sequencer.play(), 0);
    sequencer.close();
    sequencer.close();
    settle(200);
    QCOMPARE(notices.count, 3);
    QVERIFY(notices.allOnMainThread);
  }

  void songThatEndsByItselfSendsOneNoticeOnTheOwnersThread() {
    requireAudio();
    MidiSequencer sequencer;
    Notices notices(sequencer);
    QVERIFY(sequencer.open(song("short.mid", 1)));
    QCOMPARE(sequencer.play(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(notices.count, 1, 15000);
    sequencer.stop();  // after the end: no further notice
    sequencer.close();
    settle(300);
    QCOMPARE(notices.count, 1);
    QVERIFY(notices.allOnMainThread);
  }

  void destroyingAPlayingSequencerIsSafe() {
    requireAudio();
    auto* sequencer = new MidiSequencer;
    QVERIFY(sequencer->open(song("gone.mid", 40)));
    QCOMPARE(sequencer->play(), 0);
    delete sequencer;
    settle(200);  // a notice still queued for it must be dropped, not delivered
  }

  // Run by its own CTest entry with an audio driver that does not exist.
  void openFailsWithoutAudioDevice() {
    if (platform::ensureAudioOpen()) QSKIP("an audio device is available");
    MidiSequencer sequencer;
    QVERIFY(!sequencer.open(song("any.mid", 2)));
    QCOMPARE(sequencer.errorCode(), int(MidiSequencer::NoAudioDevice));
    QVERIFY(!sequencer.errorText().empty());
  }
};

QTEST_GUILESS_MAIN(MidiSequencerTest)
#include "midi_sequencer_test.moc"
