// The real game process: playing music from its start, it must still end on SIGTERM; a second
// start on its play folder ends and leaves it playing, and a game killed leaves no lock behind
// that stops the next start.
#include "shell/preferences.h"
#include "tests/music/mp3_fixture.h"
#include "tests/platform/scratch_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// Starts the game in `dir` on the offscreen platform, its sound going to `heard` through SDL's
// disk audio driver.
pid_t startGame(const ScratchFolder& dir, const std::string& heard) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  if (::chdir(dir.str().c_str()) == 0) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_RUNTIME_DIR", dir.str().c_str(), 1);
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", heard.c_str(), 1);
    ::execl(KLONDIKE_GAME, KLONDIKE_GAME, static_cast<char*>(nullptr));
  }
  ::_exit(127);
}

// Polls for at most `limit` until `done` holds.
template <typename Done>
bool waitFor(Done done, std::chrono::milliseconds limit) {
  for (auto waited = 0ms; waited < limit; waited += 20ms) {
    if (done()) return true;
    ::usleep(20000);
  }
  return done();
}

TEST(GameProcess, EndsOnSigtermWhileItsMusicPlays) {
  const ScratchFolder songs;
  const std::string wav = songs.file("tone.wav"), mp3 = songs.file("tone.mp3");
  mp3test::writeToneWav(wav, 30.0);
  ASSERT_TRUE(mp3test::encodeMp3(wav, mp3));
  // MIDI opens SDL through the game's mixer, MP3 through the decoder library.
  for (const std::string& song : {std::string(KLONDIKE_PLAY_DIR) + "/Waltz.mid", mp3}) {
    SCOPED_TRACE(song);
    const ScratchFolder dir;
    // A card set of its own, so that start-up shows no message about a missing one.
    std::filesystem::copy_file(std::string(KLONDIKE_PLAY_DIR) + "/Vessant.tvp",
                               dir.file("Vessant.tvp"));
    shell::Preferences pref;
    pref.music = '1';
    dir.file("Vessant.tvp").copy(pref.cardSet, sizeof pref.cardSet - 1);
    const auto settings = shell::toBytes(pref);
    dir.put("mirt.ini", std::string(settings.begin(), settings.end()));
    dir.put("Playlist.ini", song + "\r\n");
    const std::string heard = dir.file("heard.raw");

    const pid_t game = startGame(dir, heard);
    ASSERT_GT(game, 0);
    int status = 0;
    const auto ended = [&] { return ::waitpid(game, &status, WNOHANG) == game; };
    // The disk driver creates its file once SDL's audio has started.
    const bool playing = waitFor(
        [&] { return std::filesystem::exists(heard) && std::filesystem::file_size(heard) > 0; },
        30s);
    ::kill(game, SIGTERM);
    const bool endedBySigterm = waitFor(ended, 10s);
    if (!endedBySigterm) {
      ::kill(game, SIGKILL);
      ::waitpid(game, &status, 0);
    }
    EXPECT_TRUE(playing);
    EXPECT_TRUE(endedBySigterm);
  }
}

// The pid in the first line of the lock file that the game holds in its play folder; 0 before.
pid_t lockHolder(const ScratchFolder& dir) {
  const std::string lock = dir.read(".tavis-klondike.lock");
  return lock == "<missing>" ? 0 : static_cast<pid_t>(std::atol(lock.c_str()));
}

TEST(GameProcess, OneGamePerPlayFolder) {
  const ScratchFolder dir;
  std::filesystem::copy_file(std::string(KLONDIKE_PLAY_DIR) + "/Vessant.tvp",
                             dir.file("Vessant.tvp"));
  const std::string heard = dir.file("heard.raw");
  const pid_t first = startGame(dir, heard);
  ASSERT_TRUE(waitFor([&] { return lockHolder(dir) == first; }, 30s));

  const pid_t second = startGame(dir, heard);
  int status = -1;
  const bool secondEnded =
      waitFor([&] { return ::waitpid(second, &status, WNOHANG) == second; }, 30s);
  if (!secondEnded) {
    ::kill(second, SIGKILL);
    ::waitpid(second, &status, 0);
  }
  EXPECT_TRUE(secondEnded);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(::waitpid(first, &status, WNOHANG), 0);  // still playing
  EXPECT_EQ(lockHolder(dir), first);

  ::kill(first, SIGKILL);
  ::waitpid(first, &status, 0);
  const pid_t third = startGame(dir, heard);
  EXPECT_TRUE(waitFor([&] { return lockHolder(dir) == third; }, 30s));
  EXPECT_EQ(::waitpid(third, &status, WNOHANG), 0);
  ::kill(third, SIGKILL);
  ::waitpid(third, &status, 0);
}

}  // namespace
