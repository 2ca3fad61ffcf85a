// Mp3Player against a stand-in decoder library whose answers the test sets.
#include "music/mpeg_player.h"
#include "music/mpeg_library.h"
#include "tests/music/fake_mpegdll.h"
#include "tests/music/mp3_fixture.h"
#include "tests/platform/scratch_folder.h"

#include <QtTest>

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>

using music::ChannelMode;
using music::Mp3Player;
using music::Mp3PlayerError;
using music::mpegLibraryFileName;
using music::mpegLibraryPath;
using music::OutputDevice;
using music::PlayPriority;

class MpegPlayerTest : public QObject {
  Q_OBJECT

 private:
  void* fakeLibrary_ = nullptr;  // kept open, so that the stand-in's state lives on
  FakeMpegState* fake_ = nullptr;

  QString calls() const { return QString::fromLatin1(fake_->calls); }
  void failAfter(const char* call, int32_t code) {
    qstrncpy(fake_->failCall, call, sizeof fake_->failCall);
    fake_->failCode = code;
  }
  void setEndFlag() { std::atomic_ref<uint8_t>(*fake_->endFlag).store(1); }

  // A loaded player on the stand-in library with the game's settings.
  void load(Mp3Player& player, int32_t timerFreq = 20) {
    player.pathToLibrary = FAKE_MPEGDLL_DIR;
    player.setTimerFreq(timerFreq);
    player.init();
  }

  // "code: message" of the Mp3PlayerError that `action` throws, or "no error".
  template <typename Action>
  static QString failure(Action&& action) {
    try {
      action();
    } catch (const Mp3PlayerError& error) {
      return QString("%1: %2").arg(error.code).arg(error.what());
    }
    return "no error";
  }

 private slots:
  void initTestCase() {
    fakeLibrary_ = dlopen(FAKE_MPEGDLL_DIR "/libmpegdll.so", RTLD_NOW);
    QVERIFY2(fakeLibrary_, dlerror());
    fake_ = reinterpret_cast<fake_mpegdll_state_fn>(dlsym(fakeLibrary_, "fake_mpegdll_state"))();
    QVERIFY(fake_);
  }
  void init() {
    reinterpret_cast<fake_mpegdll_reset_fn>(dlsym(fakeLibrary_, "fake_mpegdll_reset"))();
  }

  void libraryPathGetsASeparatorOnlyWhenNeeded() {
    QCOMPARE(mpegLibraryPath(""), mpegLibraryFileName());
    QCOMPARE(mpegLibraryPath("/opt/game"), "/opt/game/" + mpegLibraryFileName());
    QCOMPARE(mpegLibraryPath("/opt/game/"), "/opt/game/" + mpegLibraryFileName());
    QCOMPARE(mpegLibraryPath("C:"), "C:" + mpegLibraryFileName());
  }

  void initLoadsFromTheFolderWithOrWithoutTrailingSeparator() {
    for (const char* path : {FAKE_MPEGDLL_DIR, FAKE_MPEGDLL_DIR "/"}) {
      Mp3Player player;
      player.pathToLibrary = path;
      player.init();
      QVERIFY(player.isLoaded());
      QCOMPARE(player.frequency(), 44100);
      player.deinit();
      QVERIFY(!player.isLoaded());
    }
    QCOMPARE(calls(), QStringLiteral("init GetFrequency deinit init GetFrequency deinit "));
  }

  void initWithoutFolderFindsTheLibraryBesideTheProgram() {
    Mp3Player player;
    player.init();  // the real decoder library is built beside the test program
    QVERIFY(player.isLoaded());
    QCOMPARE(calls(), QString());
    player.deinit();
  }

  void initFailuresLeaveThePlayerUnloaded() {
    Mp3Player player;
    player.pathToLibrary = "/no/such/folder";
    QCOMPARE(failure([&] { player.init(); }), "0: Can't load MPEG library");
    QVERIFY(!player.isLoaded());

    player.pathToLibrary = INCOMPLETE_MPEGDLL_DIR;  // has no "Seek"
    QCOMPARE(failure([&] { player.init(); }), "0: MPEG library not loaded");
    QVERIFY(!player.isLoaded());

    player.pathToLibrary = FAKE_MPEGDLL_DIR;
    fake_->initResult = 0;
    failAfter("init", 1);
    QCOMPARE(failure([&] { player.init(); }), "1: Internal decoder error");
    QVERIFY(!player.isLoaded());
    QCOMPARE(failure([&] { player.open(); }), "0: MPEG library not loaded");
  }

  void libraryErrorsBecomeExceptionsWithTheirMessage() {
    Mp3Player player;
    load(player);
    player.setStreamName("song.mp3");
    for (const char* expected : {"1: Internal decoder error", "2: Incorrect mode",
                                 "3: Input stream error", "4: Input stream is non-seekable",
                                 "5: Output device failure", "77: Unknown MPEG library error 77"}) {
      failAfter("Open", std::atoi(expected));
      QCOMPARE(failure([&] { player.open(); }), expected);
      QVERIFY(!player.isOpen());
    }

    failAfter("", 0);
    player.open();
    QCOMPARE(fake_->name, "song.mp3");
    QCOMPARE(player.playedXTimes(), 1);
    fake_->playResult = -1;  // a failure the library reports only through its result
    QCOMPARE(failure([&] { player.play(); }), "0: MPEG library not loaded");
    QVERIFY(!player.isPlaying());
  }

  void playPassesTheSettingsAndCountsEveryStart() {
    Mp3Player player;
    player.setPriority(PlayPriority::Highest);  // stored until the library is there
    player.setOutputDevice(OutputDevice::PcmFile);
    player.setOutFilename("/tmp/out.pcm");
    player.waveDeviceNumber = 3;
    player.startPos = 250;
    player.endPos = 900;
    load(player);
    player.setStreamName("a.mp3");
    player.open();
    player.play();
    QCOMPARE(fake_->priority, 2);
    QCOMPARE(fake_->device, 2);
    QCOMPARE(fake_->outFile, "/tmp/out.pcm");
    QCOMPARE(fake_->sndDevice, 3);
    QCOMPARE(fake_->startPos, 250);
    QCOMPARE(fake_->endPos, 900);
    QCOMPARE(player.playedXTimes(), 2);
    player.play();  // already playing: nothing
    player.stop();
    QVERIFY(!player.isPlaying());
    player.play();  // a second play of the same stream restarts it
    QCOMPARE(player.playedXTimes(), 3);
    QVERIFY(player.isPlaying());
    QCOMPARE(calls().count("Play "), 1);
    QCOMPARE(calls().count("Restart "), 1);
    player.close();
    QCOMPARE(player.playedXTimes(), 0);
    QVERIFY(!player.isOpen() && !player.isPlaying());
  }

  void pauseAndPlayResume() {
    Mp3Player player;
    load(player);
    player.setStreamName("a.mp3");
    player.play();  // opens on the way
    QVERIFY(player.isOpen() && player.isPlaying());
    player.pause(true);
    QVERIFY(player.isPaused());
    QCOMPARE(fake_->pauseArg, 0);
    player.play();
    QVERIFY(!player.isPaused());
    QCOMPARE(fake_->pauseArg, 1);
    QCOMPARE(calls().count("Play "), 1);
  }

  void stopAndPauseOutsidePlayingAreIncorrectMode() {
    Mp3Player player;
    QCOMPARE(failure([&] { player.stop(); }), "2: Incorrect mode");  // even without the library
    load(player);
    QCOMPARE(failure([&] { player.pause(true); }), "2: Incorrect mode");
    QCOMPARE(failure([&] { player.pause(false); }), "no error");
    QCOMPARE(failure([&] { player.restart(); }), "2: Incorrect mode");
    player.setStreamName("a.mp3");
    player.useTimer = false;
    player.play();
    setEndFlag();  // ended, the timer has not seen it yet
    QCOMPARE(failure([&] { player.stop(); }), "2: Incorrect mode");
    QCOMPARE(failure([&] { player.pause(true); }), "2: Incorrect mode");
    QVERIFY(!calls().contains("Stop") && !calls().contains("Pause"));
  }

  void streamNameRules() {
    Mp3Player player;
    load(player);
    QCOMPARE(failure([&] { player.open(); }), "254: Can't play non-specified stream");
    player.setStreamName(std::string(512, 'x'));
    QCOMPARE(failure([&] { player.open(); }), "3: Input stream error");
    player.setStreamName(std::string(511, 'x'));
    player.open();
    QCOMPARE(qstrlen(fake_->name), 511u);
    QVERIFY(player.isOpen());
    player.setStreamName("next.mp3");  // closes the open stream
    QVERIFY(!player.isOpen());
    QVERIFY(calls().endsWith("Close "));
    player.setOutFilename(std::string(260, 'o'));
    player.setOutputDevice(OutputDevice::PcmFile);
    QCOMPARE(failure([&] { player.play(); }), "5: Output device failure");
    QVERIFY(!calls().contains("SetOutputDevice"));
  }

  void endFlagFiresOnPlayEndThroughTheTimer() {
    Mp3Player player;
    load(player, 20);
    int ends = 0;
    QList<QPair<int, int>> positions;
    player.onPlayEnd = [&](Mp3Player& sender) {
      QCOMPARE(&sender, &player);
      ++ends;
    };
    player.onPosUpdate = [&](int32_t pos, int32_t len) { positions.append({pos, len}); };
    player.setStreamName("a.mp3");
    player.play();
    QCOMPARE(positions.size(), 1);  // once at the start
    QCOMPARE(positions.first(), qMakePair(1000, 120000));
    fake_->position = 500000;  // past the length: reported as 0
    QTRY_VERIFY(positions.size() >= 3);
    QCOMPARE(positions.last().first, 0);
    QCOMPARE(ends, 0);
    setEndFlag();
    QTRY_COMPARE(ends, 1);
    QVERIFY(!player.isPlaying());
    QVERIFY(!player.playEnded());
    QTest::qWait(60);
    QCOMPARE(ends, 1);
    player.play();  // the next play restarts: the third start of this stream
    QCOMPARE(player.playedXTimes(), 3);
    setEndFlag();
    QTRY_COMPARE(ends, 2);
  }

  void onPlayEndMayMoveOnToTheNextSong() {
    Mp3Player player;
    load(player, 20);
    int ends = 0;
    player.onPlayEnd = [&](Mp3Player& sender) {
      ++ends;
      sender.close();
      sender.setStreamName("second.mp3");
      sender.open();
      sender.play();
    };
    player.setStreamName("first.mp3");
    player.play();
    setEndFlag();
    QTRY_COMPARE(ends, 1);
    QVERIFY(player.isPlaying());
    QCOMPARE(fake_->name, "second.mp3");
  }

  void timerFreqZeroMeansNoEndEvent() {
    Mp3Player player;
    load(player, 0);
    QVERIFY(!player.useTimer);
    int ends = 0;
    player.onPlayEnd = [&](Mp3Player&) { ++ends; };
    player.setStreamName("a.mp3");
    player.play();
    setEndFlag();
    QTest::qWait(100);
    QCOMPARE(ends, 0);
    QVERIFY(player.isPlaying());
    QVERIFY(player.playStopped());  // polling instead of the timer
    QVERIFY(!player.isPlaying());
    QVERIFY(calls().contains("ResetPlayerMode"));
  }

  void withoutOnPlayEndTheFlagStaysSet() {
    Mp3Player player;
    load(player, 20);
    player.setStreamName("a.mp3");
    player.play();
    setEndFlag();
    QTRY_VERIFY(!player.isPlaying());
    QVERIFY(player.playEnded());
  }

  void streamEventsReachTheLibraryCallbacks() {
    Mp3Player player;
    load(player);
    player.fromStream = true;
    int contextValue = 0;
    int closed = 0;
    player.onOpenStream = [&](bool& nonseekable, void*& context) {
      nonseekable = true;
      context = &contextValue;
    };
    player.onCloseStream = [&](void* context) { closed += context == &contextValue; };
    player.onReadStream = [&](void*, void* buffer, int32_t wanted, int32_t& read, bool& res) {
      memset(buffer, 7, wanted);
      read = wanted;
      res = true;
    };
    player.open();
    QCOMPARE(fake_->fromStream, 1);
    QCOMPARE(fake_->user, static_cast<void*>(&player));

    mpegdll_bool nonseekable = 0;
    void* context = nullptr;
    fake_->openCb(fake_->user, &nonseekable, &context);
    QCOMPARE(nonseekable, 1);
    QCOMPARE(context, static_cast<void*>(&contextValue));
    char buffer[4] = {};
    int32_t got = 0;
    mpegdll_bool ok = 0;
    fake_->readCb(fake_->user, context, buffer, 4, &got, &ok);
    QCOMPARE(got, 4);
    QCOMPARE(ok, 1);
    QCOMPARE(buffer[3], 7);
    fake_->closeCb(fake_->user, context);
    QCOMPARE(closed, 1);
    // Events not assigned give their neutral answers.
    int32_t result = 0;
    fake_->seekCb(fake_->user, context, 10, 0, &result);
    QCOMPARE(result, -1);
    fake_->sizeCb(fake_->user, context, &result);
    QCOMPARE(result, -1);
    ok = 1;
    fake_->restartCb(fake_->user, context, &ok);
    QCOMPARE(ok, 0);
  }

  void realLibraryPlaysASongToItsEndEvent() {
    const ScratchFolder dir;
    mp3test::writeToneWav(dir.file("tone.wav"), 1.0);
    QVERIFY(mp3test::encodeMp3(dir.file("tone.wav"), dir.file("tone.mp3")));
    Mp3Player player;
    player.pathToLibrary = QCoreApplication::applicationDirPath().toStdString();
    player.setTimerFreq(20);
    player.init();
    player.setOutputDevice(OutputDevice::PcmFile);
    player.setOutFilename(dir.file("out.pcm"));
    int ends = 0;
    player.onPlayEnd = [&](Mp3Player& sender) {
      ++ends;
      sender.close();
    };
    player.setStreamName(dir.file("tone.mp3"));
    player.open();
    QCOMPARE(player.frequency(), 44100);
    QVERIFY(qAbs(player.length() - 1000) < 60);
    player.play();
    QTRY_COMPARE(ends, 1);
    QVERIFY(!player.isOpen());
    QVERIFY(mp3test::readFile(dir.file("out.pcm")) == mp3test::decodeMp3(dir.file("tone.mp3")).pcm);

    player.setOutputDevice(OutputDevice::WaveMapper);  // the dummy audio driver in tests
    player.open();
    player.play();
    QVERIFY(player.isPlaying());
    QTRY_VERIFY(player.position() > 0);
    player.stop();
    player.deinit();
    QVERIFY(!player.isLoaded());
  }

  void queriesAndDeinit() {
    {
      Mp3Player player;
      load(player);
      player.setStreamName("a.mp3");
      player.open();
      QCOMPARE(player.bitrate(), 128);
      QCOMPARE(player.layer(), 3);
      QCOMPARE(player.channelMode(), ChannelMode::JointStereo);
      QCOMPARE(player.playMode(), int32_t(MPEGDLL_MODE_PLAYING));
      QCOMPARE(player.length(), 120000);
      player.seek(4321);
      QCOMPARE(fake_->seekPos, 4321);
      failAfter("Seek", 4);
      QCOMPARE(failure([&] { player.seek(1); }), "4: Input stream is non-seekable");
      QCOMPARE(player.lastError(), 4);
    }  // destroyed while open: closes and releases the library
    QVERIFY(calls().endsWith("Close deinit "));
    Mp3Player unloaded;
    unloaded.deinit();  // nothing to do
    QCOMPARE(unloaded.lastError(), 0);
  }
};

QTEST_GUILESS_MAIN(MpegPlayerTest)
#include "mpeg_player_test.moc"
