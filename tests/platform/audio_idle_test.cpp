// The audio device closes once it has been idle, and opens again for the next sound.
#include <QCoreApplication>
#include <QTest>

#include <SDL_mixer.h>

#include "platform/audio_device.h"
#include "platform/sound_cues.h"

namespace {

const std::string kFanfare = std::string(KLONDIKE_PLAY_DIR) + "/mirt_2.wav";  // 1.5 s

}  // namespace

class AudioIdleTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { platform::setAudioIdleCloseMs(50); }

  void anIdleDeviceClosesAndTheNextCueOpensIt() {
    platform::soundCues().play(kFanfare);
    QVERIFY(platform::audioIsOpen());
    Mix_HaltChannel(-1);
    QTRY_VERIFY(!platform::audioIsOpen());
    platform::soundCues().play(kFanfare);  // the cue loaded before the closing still plays
    QVERIFY(platform::audioIsOpen());
    QCOMPARE(Mix_Playing(-1), 1);
    Mix_HaltChannel(-1);
    QTRY_VERIFY(!platform::audioIsOpen());
  }

  // The device stays open while something still plays on it or a song is held.
  void aPlayingCueOrAHeldSongKeepsItOpen() {
    const struct {
      const char* name;
      bool hold;
    } users[] = {{"cue", false}, {"song", true}};
    for (const auto& user : users) {
      QVERIFY(platform::ensureAudioOpen());
      if (user.hold)
        platform::holdAudio();
      else
        platform::soundCues().play(kFanfare);
      QTest::qWait(300);
      QVERIFY2(platform::audioIsOpen(), user.name);
      if (user.hold)
        platform::releaseAudio();
      else
        Mix_HaltChannel(-1);
      QTRY_VERIFY2(!platform::audioIsOpen(), user.name);
    }
  }
};

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  AudioIdleTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "audio_idle_test.moc"
