// The decoder library, loaded the way the game loads it, against an MP3 made from a known tone.
#include "music/mpeg_library.h"
#include "tests/music/mp3_fixture.h"
#include "tests/platform/scratch_folder.h"

#include <gtest/gtest.h>

#include <QLibrary>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

using namespace mp3test;
using namespace std::chrono_literals;

namespace {

// An in-memory stream behind the six callbacks.
struct MemoryStream {
  Bytes data;
  bool nonseekable = false;
  size_t offset = 0;
  int opens = 0, closes = 0, restarts = 0;
};

void memOpen(void* user, mpegdll_bool* nonseekable, void** context) {
  auto* stream = static_cast<MemoryStream*>(user);
  ++stream->opens;
  stream->offset = 0;
  *nonseekable = stream->nonseekable;
  *context = stream;
}
void memClose(void*, void* context) { ++static_cast<MemoryStream*>(context)->closes; }
void memRestart(void*, void* context, mpegdll_bool* ok) {
  auto* stream = static_cast<MemoryStream*>(context);
  ++stream->restarts;
  stream->offset = 0;
  *ok = 1;
}
void memRead(void*, void* context, void* buffer, int32_t wanted, int32_t* got, mpegdll_bool* ok) {
  auto* stream = static_cast<MemoryStream*>(context);
  const size_t n = std::min<size_t>(wanted, stream->data.size() - stream->offset);
  std::memcpy(buffer, stream->data.data() + stream->offset, n);
  stream->offset += n;
  *got = static_cast<int32_t>(n);
  *ok = 1;
}
void memSeek(void*, void* context, int32_t distance, int32_t method, int32_t* result) {
  auto* stream = static_cast<MemoryStream*>(context);
  const int64_t base = method == 0 ? 0 : method == 1 ? stream->offset : stream->data.size();
  const int64_t target = base + distance;
  if (stream->nonseekable || target < 0 || target > static_cast<int64_t>(stream->data.size())) {
    *result = -1;
    return;
  }
  stream->offset = static_cast<size_t>(target);
  *result = static_cast<int32_t>(target);
}
void memSize(void*, void* context, int32_t* result) {
  *result = static_cast<int32_t>(static_cast<MemoryStream*>(context)->data.size());
}

struct Material {
  ScratchFolder dir;
  std::string mp3 = dir.file("tone.mp3"), outFile = dir.file("out.pcm");
  Decoded reference;
};

class MpegDll : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    material_ = new Material;
    const std::string wav = material_->dir.file("tone.wav");
    writeToneWav(wav, 2.0);
    ASSERT_TRUE(encodeMp3(wav, material_->mp3));
    material_->reference = decodeMp3(material_->mp3);
    ASSERT_GT(material_->reference.frames(), 44100);

    library_ = new QLibrary(QStringLiteral(MPEGDLL_FILE));
    ASSERT_TRUE(library_->load()) << library_->errorString().toStdString();
    ASSERT_TRUE(music::resolveMpegEntryPoints(*library_, dll_));
  }
  static void TearDownTestSuite() {
    delete material_;
    delete library_;
  }

  void SetUp() override { ASSERT_EQ(dll_.init(), 1); }
  void TearDown() override { dll_.deinit(); }

  static const Material& m() { return *material_; }
  static music::MpegEntryPoints& dll() { return dll_; }

  static void openFile(const std::string& path) {
    dll_.open(path.c_str(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  }
  static void openStream(MemoryStream* stream) {
    dll_.open(nullptr, 1, memOpen, memClose, memRestart, memRead, memSeek, memSize, stream);
  }

  // Waits (at most a few seconds) for the end flag.
  static bool waitForEnd(const uint8_t& flag, std::chrono::milliseconds limit = 5000ms) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::atomic_ref<const uint8_t>(flag).load() == 0) {
      if (std::chrono::steady_clock::now() > until) return false;
      std::this_thread::sleep_for(5ms);
    }
    return true;
  }

  // Plays the open stream into the PCM file from start to end (ms) and returns the file.
  static Bytes playToFile(int32_t startMs, int32_t endMs) {
    dll_.setOutputDevice(MPEGDLL_DEVICE_PCM_FILE, material_->outFile.c_str());
    uint8_t flag = 0;
    EXPECT_EQ(dll_.play(startMs, endMs, &flag), 0);
    EXPECT_EQ(dll_.lastError(), 0);
    EXPECT_TRUE(waitForEnd(flag));
    return readFile(material_->outFile);
  }

  static int32_t waitForPosition(int32_t atLeast) {
    const auto until = std::chrono::steady_clock::now() + 3s;
    int32_t pos = 0;
    while ((pos = dll_.getCurrentPos()) < atLeast && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(5ms);
    return pos;
  }

  static Bytes referenceFrames(int64_t first, int64_t end) {
    const Bytes& pcm = material_->reference.pcm;
    return Bytes(pcm.begin() + first * 4, pcm.begin() + std::min<int64_t>(end * 4, pcm.size()));
  }

  static inline Material* material_ = nullptr;
  static inline QLibrary* library_ = nullptr;
  static inline music::MpegEntryPoints dll_;
};

TEST_F(MpegDll, PcmFileHoldsExactlyWhatLibmpg123Decodes) {
  openFile(m().mp3);
  ASSERT_EQ(dll().lastError(), 0);
  const Decoded& ref = m().reference;
  EXPECT_EQ(dll().getFrequency(), 44100);
  EXPECT_EQ(dll().getLayer(), 3);
  EXPECT_EQ(dll().getBitrate(), 128);
  EXPECT_LE(dll().getStereoMode(), MPEGDLL_JOINT_STEREO);
  EXPECT_EQ(dll().getLength(), ref.frames() * 1000 / ref.rate);
  EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_STOPPED);

  const Bytes pcm = playToFile(0, 0);
  EXPECT_EQ(pcm.size(), ref.pcm.size());
  EXPECT_TRUE(pcm == ref.pcm);
  EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_ENDED);
  EXPECT_EQ(dll().getCurrentPos(), dll().getLength());
  EXPECT_EQ(dll().resetPlayerMode(), 1);
  EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_STOPPED);
  dll().close();
  EXPECT_EQ(dll().lastError(), 0);
  EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_CLOSED);
}

TEST_F(MpegDll, PlayRangeAndRestartWriteTheSameSamplesAgain) {
  openFile(m().mp3);
  dll().restart();
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_MODE) << "nothing played yet";

  const Bytes range = playToFile(500, 1000);
  EXPECT_EQ(range.size(), 22050u * 4);
  EXPECT_TRUE(range == referenceFrames(22050, 44100));
  EXPECT_EQ(dll().getCurrentPos(), 1000);

  std::filesystem::remove(m().outFile);
  uint8_t flag = 0;
  dll().play(0, 0, &flag);  // the flag given here is the one a restart sets
  ASSERT_TRUE(waitForEnd(flag));
  flag = 0;
  dll().restart();
  EXPECT_EQ(dll().lastError(), 0);
  ASSERT_TRUE(waitForEnd(flag));
  EXPECT_TRUE(readFile(m().outFile) == m().reference.pcm);
}

TEST_F(MpegDll, SeekWhileStoppedMovesThePosition) {
  openFile(m().mp3);
  dll().seek(1500);
  EXPECT_EQ(dll().lastError(), 0);
  EXPECT_EQ(dll().getCurrentPos(), 1500);
  dll().seek(999999);  // beyond the end: to the end
  EXPECT_EQ(dll().getCurrentPos(), dll().getLength());
  dll().seek(-1);
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_MODE);
}

TEST_F(MpegDll, FilesThatHoldNoSongAreRefusedAndLeaveTheLibraryClosed) {
  Bytes noise(20000);
  uint32_t seed = 12345;
  for (auto& byte : noise)
    byte = static_cast<unsigned char>((seed = seed * 1103515245 + 12345) >> 24);
  writeFile(m().dir.file("noise.mp3"), noise);
  writeFile(m().dir.file("empty.mp3"), {});
  const Bytes mp3 = readFile(m().mp3);
  writeFile(m().dir.file("cut.mp3"), Bytes(mp3.begin(), mp3.begin() + 300));
  for (const std::string& path :
       {m().dir.file("missing.mp3"), std::string(), m().dir.file("noise.mp3"),
        m().dir.file("empty.mp3"), m().dir.file("cut.mp3"), m().dir.str()}) {
    SCOPED_TRACE(path);
    openFile(path);
    EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_INPUT);
    EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_CLOSED);
  }
}

// A named pipe in place of a song is refused at once instead of waiting for a writer.
TEST_F(MpegDll, PipeInPlaceOfAFileIsRefusedWithoutWaiting) {
  const std::string pipe = m().dir.file("pipe.mp3");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::atomic<bool> done{false};
  int32_t error = -1;
  std::thread opener([&] {
    openFile(pipe);
    error = dll().lastError();
    done = true;
  });
  const auto until = std::chrono::steady_clock::now() + 3s;
  while (!done && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(5ms);
  const bool refusedAtOnce = done;
  if (!done) {  // release the waiting open so that the test ends
    const int writer = ::open(pipe.c_str(), O_WRONLY);
    if (writer >= 0) ::close(writer);
  }
  opener.join();
  std::filesystem::remove(pipe);
  EXPECT_TRUE(refusedAtOnce);
  EXPECT_EQ(error, MPEGDLL_ERR_INPUT);
  EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_CLOSED);
}

TEST_F(MpegDll, TruncatedFilePlaysWhatItHasAndEnds) {
  const Bytes mp3 = readFile(m().mp3);
  const std::string cut = m().dir.file("half.mp3");
  writeFile(cut, Bytes(mp3.begin(), mp3.begin() + mp3.size() / 2 + 77));
  openFile(cut);
  ASSERT_EQ(dll().lastError(), 0);
  const Bytes pcm = playToFile(0, 0);
  EXPECT_GT(pcm.size(), m().reference.pcm.size() / 3);
  EXPECT_LT(pcm.size(), m().reference.pcm.size());
}

TEST_F(MpegDll, DamagedFilesFailToOpenOrPlayUntilTheDamage) {
  const Bytes mp3 = readFile(m().mp3);
  std::vector<Bytes> damaged;
  for (size_t cut = 0; cut < mp3.size(); cut += mp3.size() / 13 + 1)
    damaged.emplace_back(mp3.begin(), mp3.begin() + cut);
  Bytes scrambled = mp3;
  for (size_t i = scrambled.size() / 3; i < scrambled.size() / 2; i += 7) scrambled[i] ^= 0x5a;
  damaged.push_back(scrambled);
  const std::string path = m().dir.file("damaged.mp3");
  for (const Bytes& file : damaged) {
    writeFile(path, file);
    openFile(path);
    const int32_t error = dll().lastError();
    if (error != 0) {
      EXPECT_EQ(error, MPEGDLL_ERR_INPUT) << file.size() << " bytes";
      continue;
    }
    EXPECT_LE(playToFile(0, 0).size(), m().reference.pcm.size() + 4608) << file.size() << " bytes";
  }
}

TEST_F(MpegDll, CallsInTheWrongStateOrWithBadArgumentsAreRefused) {
  uint8_t flag = 0;
  const struct {
    const char* call;
    std::function<void()> make;
    int32_t error;
  } withNothingOpen[] = {
      {"Play", [&] { EXPECT_NE(dll().play(0, 0, &flag), 0); }, MPEGDLL_ERR_MODE},
      {"Stop", [] { dll().stop(); }, MPEGDLL_ERR_MODE},
      {"Pause", [] { dll().pause(0); }, MPEGDLL_ERR_MODE},
      {"GetLength", [] { dll().getLength(); }, MPEGDLL_ERR_MODE},
      {"Close", [] { dll().close(); }, 0},  // closing with nothing open is fine
      {"SetOutputDevice 1", [] { dll().setOutputDevice(1, ""); }, MPEGDLL_ERR_MODE},
      {"SetPriority 7", [] { dll().setPriority(7); }, MPEGDLL_ERR_MODE},
      {"SetPriority -15", [] { dll().setPriority(-15); }, 0},
  };
  for (const auto& c : withNothingOpen) {
    c.make();
    EXPECT_EQ(dll().lastError(), c.error) << c.call;
  }

  openFile(m().mp3);
  EXPECT_NE(dll().play(800, 700, &flag), 0);
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_MODE);
  dll().setOutputDevice(MPEGDLL_DEVICE_PCM_FILE, "");
  EXPECT_NE(dll().play(0, 0, &flag), 0);
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_OUTPUT);
  dll().setOutputDevice(MPEGDLL_DEVICE_PCM_FILE, m().dir.file("no/such/dir/out.pcm").c_str());
  EXPECT_NE(dll().play(0, 0, &flag), 0);
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_OUTPUT);
  EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_STOPPED);

  dll().deinit();
  dll().getPlayerMode();
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_MODE) << "nothing works before init";
  EXPECT_EQ(dll().init(), 1);
}

// A playback that cannot start or complete its output ends stopped, with the output error.
TEST_F(MpegDll, OutputFailuresLeaveThePlayerStopped) {
  openFile(m().mp3);
  uint8_t flag = 0;
  ASSERT_EQ(dll().play(0, 0, &flag), 0) << "error " << dll().lastError();  // audio device
  dll().setOutputDevice(MPEGDLL_DEVICE_PCM_FILE, m().dir.file("no/such/dir/out.pcm").c_str());
  dll().restart();
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_OUTPUT);
  EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_STOPPED);
  dll().pause(0);
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_MODE);

  // A full disk: 10 ms fit the file's buffer and fail when it is closed, the rest on writing.
  dll().setOutputDevice(MPEGDLL_DEVICE_PCM_FILE, "/dev/full");
  for (const int32_t endMs : {10, 0}) {
    SCOPED_TRACE(endMs);
    ASSERT_EQ(dll().play(0, endMs, &flag), 0);
    ASSERT_TRUE(waitForEnd(flag));
    EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_STOPPED);
    EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_OUTPUT);
  }
}

TEST_F(MpegDll, SeekableStreamThroughCallbacksDecodesLikeTheFile) {
  MemoryStream stream{readFile(m().mp3)};
  openStream(&stream);
  ASSERT_EQ(dll().lastError(), 0);
  EXPECT_EQ(stream.opens, 1);
  EXPECT_EQ(dll().getLength(), m().reference.frames() * 1000 / 44100);
  EXPECT_TRUE(playToFile(0, 0) == m().reference.pcm);
  EXPECT_TRUE(playToFile(1000, 0) == referenceFrames(44100, m().reference.frames()));
  EXPECT_EQ(stream.restarts, 0);
  dll().close();
  EXPECT_EQ(stream.closes, 1);
}

TEST_F(MpegDll, NonseekableStreamRestartsThroughItsCallback) {
  MemoryStream stream{readFile(m().mp3), true};
  openStream(&stream);
  ASSERT_EQ(dll().lastError(), 0);
  dll().seek(500);
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_NOT_SEEKABLE);
  EXPECT_TRUE(playToFile(0, 0) == m().reference.pcm);
  uint8_t flag = 0;
  EXPECT_NE(dll().play(500, 0, &flag), 0);
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_NOT_SEEKABLE);
  EXPECT_TRUE(playToFile(0, 0) == m().reference.pcm);
  EXPECT_EQ(stream.restarts, 1);

  MemoryStream broken{Bytes(5000, 0x42)};
  openStream(&broken);
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_INPUT);
  EXPECT_EQ(stream.closes, 1);
  EXPECT_EQ(broken.closes, 1) << "a stream that failed to open is closed again";
  dll().open(nullptr, 1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_INPUT) << "a stream needs at least its read callback";
}

TEST_F(MpegDll, AudioDevicePlaysPausesSeeksAndStops) {
  openFile(m().mp3);
  dll().setOutputDevice(MPEGDLL_DEVICE_AUDIO, nullptr);
  uint8_t flag = 0;
  ASSERT_EQ(dll().play(0, 0, &flag), 0) << "error " << dll().lastError();
  EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_PLAYING);
  EXPECT_GE(waitForPosition(150), 150);

  dll().pause(0);
  EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_PAUSED);
  const int32_t pausedAt = dll().getCurrentPos();
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(dll().getCurrentPos(), pausedAt);
  dll().pause(1);
  EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_PLAYING);
  EXPECT_GT(waitForPosition(pausedAt + 50), pausedAt);

  dll().seek(1500);
  EXPECT_EQ(dll().lastError(), 0);
  EXPECT_GE(dll().getCurrentPos(), 1500);
  dll().stop();
  EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_STOPPED);
  EXPECT_EQ(flag, 0);

  dll().restart();  // from the start position of the last play, to the end
  EXPECT_EQ(dll().lastError(), 0);
  dll().seek(1700);
  EXPECT_TRUE(waitForEnd(flag, 3000ms));
  EXPECT_EQ(dll().getPlayerMode(), MPEGDLL_MODE_ENDED);
}

TEST_F(MpegDll, AudioDeviceThatCannotOpenIsAnOutputFailure) {
  const std::string driver = std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  openFile(m().mp3);
  dll().setOutputDevice(MPEGDLL_DEVICE_AUDIO, nullptr);
  uint8_t flag = 0;
  EXPECT_NE(dll().play(0, 0, &flag), 0);
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_OUTPUT);
  setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
  dll().setSndDevice(999);  // no such device
  EXPECT_NE(dll().play(0, 0, &flag), 0);
  EXPECT_EQ(dll().lastError(), MPEGDLL_ERR_OUTPUT);
}

}  // namespace
