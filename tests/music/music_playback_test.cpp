// The music control driving the real sequencer: notices of stopped songs and of songs that end
// by themselves, as they arrive through the event loop.
#include "music/music_control.h"
#include "platform/audio_device.h"
#include "platform/midi_sequencer.h"
#include "shell/music_devices.h"
#include "tests/music/music_fakes.h"
#include "tests/platform/midi_test_songs.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using miditest::settle;
using miditest::writeShortSong;
using namespace music::fakes;

namespace {

// The music control on the game's adapter of the real sequencer, with a recording MP3 player
// and window.
struct ControlOnSequencer {
  platform::MidiSequencer device;
  shell::SequencerOutput midi{device};
  Log log;
  FakeMp3 mp3{log};
  FakeHost host;
  music::MusicControl control{midi, mp3, host};
};

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
    writeShortSong(first, 40);
    writeShortSong(brief, 1);
    writeShortSong(third, 40);

    ControlOnSequencer rig;
    connect(&rig.device, &platform::MidiSequencer::completed, this,
            [&] { rig.control.midiSongCompleted(); });
    rig.control.setPlaylist({first, brief, third});

    rig.control.toggleMusic();
    QCOMPARE(rig.host.panel, std::string("first"));
    settle(100);
    rig.control.nextSong();
    QCOMPARE(rig.control.currentSong(), 1);
    QVERIFY(rig.control.ignoreNextNotify());
    settle(200);  // the notice of the stopped song arrives and is used up
    QVERIFY(!rig.control.ignoreNextNotify());
    QCOMPARE(rig.control.currentSong(), 1);
    QCOMPARE(rig.host.music, '1');

    QTRY_COMPARE_WITH_TIMEOUT(rig.control.currentSong(), 2, 15000);  // "brief" ended by itself
    QCOMPARE(rig.host.panel, std::string("third"));
    QCOMPARE(rig.host.music, '1');

    rig.control.toggleMusic();
    settle(200);
    QCOMPARE(rig.control.currentSong(), 2);
    QCOMPARE(rig.host.music, '0');
    QVERIFY(!rig.host.checked);
    QVERIFY(rig.host.messages.empty());
  }

  void brokenSongStopsTheMusicWithTheSequencersMessage() {
    if (!platform::ensureAudioOpen()) QSKIP("no audio device (run with SDL_AUDIODRIVER=dummy)");
    QTemporaryDir dir;
    const std::string broken = dir.filePath("broken.mid").toStdString();
    std::ofstream(broken) << "MThd but nothing a synthesizer could play";
    ControlOnSequencer rig;
    rig.control.setPlaylist({broken});
    rig.control.toggleMusic();
    const Message expected{"Error 4: The file is not a standard MIDI file.", "",
                           music::MessageIcon::None};
    QVERIFY(rig.host.messages == std::vector<Message>{expected});
    QCOMPARE(rig.host.music, '0');
  }
};

QTEST_GUILESS_MAIN(MusicPlaybackTest)
#include "music_playback_test.moc"
