// TMPEGPlayer against a stand-in decoder library whose answers the test sets.
#include "fake_mpegdll.h"
#include "mp3_fixture.h"
#include "mpeg_library.h"
#include "mpeg_player.h"
#include "scratch_folder.h"

#include <QtTest>

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>

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
  void load(TMPEGPlayer& player, int32_t timerFreq = 20) {
    player.PathToDLL = FAKE_MPEGDLL_DIR;
    player.SetTimerFreq(timerFreq);
    player.Init();
  }

  // "code: message" of the TMPEGError that `action` throws, or "no error".
  template <typename Action>
  static QString failure(Action&& action) {
    try {
      action();
    } catch (const TMPEGError& error) {
      return QString("%1: %2").arg(error.Code).arg(error.what());
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
  void init() { reinterpret_cast<fake_mpegdll_reset_fn>(dlsym(fakeLibrary_, "fake_mpegdll_reset"))(); }

  void libraryPathGetsASeparatorOnlyWhenNeeded() {
    QCOMPARE(mpegLibraryPath(""), mpegLibraryFileName());
    QCOMPARE(mpegLibraryPath("/opt/game"), "/opt/game/" + mpegLibraryFileName());
    QCOMPARE(mpegLibraryPath("/opt/game/"), "/opt/game/" + mpegLibraryFileName());
    QCOMPARE(mpegLibraryPath("C:"), "C:" + mpegLibraryFileName());
  }

  void initLoadsFromTheFolderWithOrWithoutTrailingSeparator() {
    for (const char* path : {FAKE_MPEGDLL_DIR, FAKE_MPEGDLL_DIR "/"}) {
      TMPEGPlayer player;
      player.PathToDLL = path;
      player.Init();
      QVERIFY(player.GetLoaded());
      QCOMPARE(player.GetFrequency(), 44100);
      player.Deinit();
      QVERIFY(!player.GetLoaded());
    }
    QCOMPARE(calls(), QStringLiteral("init GetFrequency deinit init GetFrequency deinit "));
  }

  void initWithoutFolderFindsTheLibraryBesideTheProgram() {
    TMPEGPlayer player;
    player.Init();  // the real decoder library is built beside the test program
    QVERIFY(player.GetLoaded());
    QCOMPARE(calls(), QString());
    player.Deinit();
  }

  void initFailuresLeaveThePlayerUnloaded() {
    TMPEGPlayer player;
    player.PathToDLL = "/no/such/folder";
    QCOMPARE(failure([&] { player.Init(); }), "0: Can't load MPEG library");
    QVERIFY(!player.GetLoaded());

    player.PathToDLL = INCOMPLETE_MPEGDLL_DIR;  // has no "Seek"
    QCOMPARE(failure([&] { player.Init(); }), "0: MPEG library not loaded");
    QVERIFY(!player.GetLoaded());

    player.PathToDLL = FAKE_MPEGDLL_DIR;
    fake_->initResult = 0;
    failAfter("init", 1);
    QCOMPARE(failure([&] { player.Init(); }), "1: Internal decoder error");
    QVERIFY(!player.GetLoaded());
    QCOMPARE(failure([&] { player.Open(); }), "0: MPEG library not loaded");
  }

  void libraryErrorsBecomeExceptionsWithTheirMessage() {
    TMPEGPlayer player;
    load(player);
    player.SetStreamName("song.mp3");
    for (const char* expected : {"1: Internal decoder error", "2: Incorrect mode",
                                 "3: Input stream error", "4: Input stream is non-seekable",
                                 "5: Output device failure", "77: Unknown MPEG library error 77"}) {
      failAfter("Open", std::atoi(expected));
      QCOMPARE(failure([&] { player.Open(); }), expected);
      QVERIFY(!player.Opened());
    }

    failAfter("", 0);
    player.Open();
    QCOMPARE(fake_->name, "song.mp3");
    QCOMPARE(player.PlayedXTimes(), 1);
    fake_->playResult = -1;  // a failure the library reports only through its result
    QCOMPARE(failure([&] { player.Play(); }), "0: MPEG library not loaded");
    QVERIFY(!player.Playing());
  }

  void playPassesTheSettingsAndCountsEveryStart() {
    TMPEGPlayer player;
    player.SetPriority(TPlayPriority::Highest);  // stored until the library is there
    player.SetOutputDevice(TOutputDevice::pcmfile);
    player.SetOutFilename("/tmp/out.pcm");
    player.WaveDeviceNum = 3;
    player.StartPos = 250;
    player.EndPos = 900;
    load(player);
    player.SetStreamName("a.mp3");
    player.Open();
    player.Play();
    QCOMPARE(fake_->priority, 2);
    QCOMPARE(fake_->device, 2);
    QCOMPARE(fake_->outFile, "/tmp/out.pcm");
    QCOMPARE(fake_->sndDevice, 3);
    QCOMPARE(fake_->startPos, 250);
    QCOMPARE(fake_->endPos, 900);
    QCOMPARE(player.PlayedXTimes(), 2);
    player.Play();  // already playing: nothing
    player.Stop();
    QVERIFY(!player.Playing());
    player.Play();  // a second play of the same stream restarts it
    QCOMPARE(player.PlayedXTimes(), 3);
    QVERIFY(player.Playing());
    QCOMPARE(calls().count("Play "), 1);
    QCOMPARE(calls().count("Restart "), 1);
    player.Close();
    QCOMPARE(player.PlayedXTimes(), 0);
    QVERIFY(!player.Opened() && !player.Playing());
  }

  void pauseAndPlayResume() {
    TMPEGPlayer player;
    load(player);
    player.SetStreamName("a.mp3");
    player.Play();  // opens on the way
    QVERIFY(player.Opened() && player.Playing());
    player.Pause(true);
    QVERIFY(player.Paused());
    QCOMPARE(fake_->pauseArg, 0);
    player.Play();
    QVERIFY(!player.Paused());
    QCOMPARE(fake_->pauseArg, 1);
    QCOMPARE(calls().count("Play "), 1);
  }

  void stopAndPauseOutsidePlayingAreIncorrectMode() {
    TMPEGPlayer player;
    QCOMPARE(failure([&] { player.Stop(); }), "2: Incorrect mode");  // even without the library
    load(player);
    QCOMPARE(failure([&] { player.Pause(true); }), "2: Incorrect mode");
    QCOMPARE(failure([&] { player.Pause(false); }), "no error");
    QCOMPARE(failure([&] { player.Restart(); }), "2: Incorrect mode");
    player.SetStreamName("a.mp3");
    player.UseTimer = false;
    player.Play();
    setEndFlag();  // ended, the timer has not seen it yet
    QCOMPARE(failure([&] { player.Stop(); }), "2: Incorrect mode");
    QCOMPARE(failure([&] { player.Pause(true); }), "2: Incorrect mode");
    QVERIFY(!calls().contains("Stop") && !calls().contains("Pause"));
  }

  void streamNameRules() {
    TMPEGPlayer player;
    load(player);
    QCOMPARE(failure([&] { player.Open(); }), "254: Can't play non-specified stream");
    player.SetStreamName(std::string(512, 'x'));
    QCOMPARE(failure([&] { player.Open(); }), "3: Input stream error");
    player.SetStreamName(std::string(511, 'x'));
    player.Open();
    QCOMPARE(qstrlen(fake_->name), 511u);
    QVERIFY(player.Opened());
    player.SetStreamName("next.mp3");  // closes the open stream
    QVERIFY(!player.Opened());
    QVERIFY(calls().endsWith("Close "));
    player.SetOutFilename(std::string(260, 'o'));
    player.SetOutputDevice(TOutputDevice::pcmfile);
    QCOMPARE(failure([&] { player.Play(); }), "5: Output device failure");
    QVERIFY(!calls().contains("SetOutputDevice"));
  }

  void endFlagFiresOnPlayEndThroughTheTimer() {
    TMPEGPlayer player;
    load(player, 20);
    int ends = 0;
    QList<QPair<int, int>> positions;
    player.OnPlayEnd = [&](TMPEGPlayer& sender) {
      QCOMPARE(&sender, &player);
      ++ends;
    };
    player.OnPosUpdate = [&](int32_t pos, int32_t len) { positions.append({pos, len}); };
    player.SetStreamName("a.mp3");
    player.Play();
    QCOMPARE(positions.size(), 1);  // once at the start
    QCOMPARE(positions.first(), qMakePair(1000, 120000));
    fake_->position = 500000;       // past the length: reported as 0
    QTRY_VERIFY(positions.size() >= 3);
    QCOMPARE(positions.last().first, 0);
    QCOMPARE(ends, 0);
    setEndFlag();
    QTRY_COMPARE(ends, 1);
    QVERIFY(!player.Playing());
    QVERIFY(!player.PlayEnded());
    QTest::qWait(60);
    QCOMPARE(ends, 1);
    player.Play();  // the next play restarts: the third start of this stream
    QCOMPARE(player.PlayedXTimes(), 3);
    setEndFlag();
    QTRY_COMPARE(ends, 2);
  }

  void onPlayEndMayMoveOnToTheNextSong() {
    TMPEGPlayer player;
    load(player, 20);
    int ends = 0;
    player.OnPlayEnd = [&](TMPEGPlayer& sender) {
      ++ends;
      sender.Close();
      sender.SetStreamName("second.mp3");
      sender.Open();
      sender.Play();
    };
    player.SetStreamName("first.mp3");
    player.Play();
    setEndFlag();
    QTRY_COMPARE(ends, 1);
    QVERIFY(player.Playing());
    QCOMPARE(fake_->name, "second.mp3");
  }

  void timerFreqZeroMeansNoEndEvent() {
    TMPEGPlayer player;
    load(player, 0);
    QVERIFY(!player.UseTimer);
    int ends = 0;
    player.OnPlayEnd = [&](TMPEGPlayer&) { ++ends; };
    player.SetStreamName("a.mp3");
    player.Play();
    setEndFlag();
    QTest::qWait(100);
    QCOMPARE(ends, 0);
    QVERIFY(player.Playing());
    QVERIFY(player.GetPlayStopped());  // polling instead of the timer
    QVERIFY(!player.Playing());
    QVERIFY(calls().contains("ResetPlayerMode"));
  }

  void withoutOnPlayEndTheFlagStaysSet() {
    TMPEGPlayer player;
    load(player, 20);
    player.SetStreamName("a.mp3");
    player.Play();
    setEndFlag();
    QTRY_VERIFY(!player.Playing());
    QVERIFY(player.PlayEnded());
  }

  void streamEventsReachTheLibraryCallbacks() {
    TMPEGPlayer player;
    load(player);
    player.FromStream = true;
    int contextValue = 0;
    int closed = 0;
    player.OnOpenStream = [&](bool& nonseekable, void*& context) {
      nonseekable = true;
      context = &contextValue;
    };
    player.OnCloseStream = [&](void* context) { closed += context == &contextValue; };
    player.OnReadStream = [&](void*, void* buffer, int32_t wanted, int32_t& read, bool& res) {
      memset(buffer, 7, wanted);
      read = wanted;
      res = true;
    };
    player.Open();
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
    TMPEGPlayer player;
    player.PathToDLL = QCoreApplication::applicationDirPath().toStdString();
    player.SetTimerFreq(20);
    player.Init();
    player.SetOutputDevice(TOutputDevice::pcmfile);
    player.SetOutFilename(dir.file("out.pcm"));
    int ends = 0;
    player.OnPlayEnd = [&](TMPEGPlayer& sender) {
      ++ends;
      sender.Close();
    };
    player.SetStreamName(dir.file("tone.mp3"));
    player.Open();
    QCOMPARE(player.GetFrequency(), 44100);
    QVERIFY(qAbs(player.GetLength() - 1000) < 60);
    player.Play();
    QTRY_COMPARE(ends, 1);
    QVERIFY(!player.Opened());
    QVERIFY(mp3test::readFile(dir.file("out.pcm")) == mp3test::decodeMp3(dir.file("tone.mp3")).pcm);

    player.SetOutputDevice(TOutputDevice::wavemapper);  // the dummy audio driver in tests
    player.Open();
    player.Play();
    QVERIFY(player.Playing());
    QTRY_VERIFY(player.GetPosition() > 0);
    player.Stop();
    player.Deinit();
    QVERIFY(!player.GetLoaded());
  }

  void queriesAndDeinit() {
    {
      TMPEGPlayer player;
      load(player);
      player.SetStreamName("a.mp3");
      player.Open();
      QCOMPARE(player.GetBitrate(), 128);
      QCOMPARE(player.GetLayer(), 3);
      QCOMPARE(player.GetChannelMode(), e_mode::joint_stereo);
      QCOMPARE(player.GetPlayMode(), int32_t(MPEGDLL_MODE_PLAYING));
      QCOMPARE(player.GetLength(), 120000);
      player.Seek(4321);
      QCOMPARE(fake_->seekPos, 4321);
      failAfter("Seek", 4);
      QCOMPARE(failure([&] { player.Seek(1); }), "4: Input stream is non-seekable");
      QCOMPARE(player.LastError(), 4);
    }  // destroyed while open: closes and releases the library
    QVERIFY(calls().endsWith("Close deinit "));
    TMPEGPlayer unloaded;
    unloaded.Deinit();  // nothing to do
    QCOMPARE(unloaded.LastError(), 0);
  }
};

QTEST_GUILESS_MAIN(MpegPlayerTest)
#include "mpeg_player_test.moc"
