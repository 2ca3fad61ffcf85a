// How fast the decoder library turns a 10-second MP3 into a PCM file, compared with decoding
// the same file with libmpg123 alone: the cost of the playback thread and the output.
#include "music/mpeg_library.h"
#include "tests/music/mp3_fixture.h"
#include "tests/platform/scratch_folder.h"

#include <benchmark/benchmark.h>

#include <QLibrary>

#include <atomic>
#include <cstdlib>
#include <thread>

namespace {

struct Song {
  Song() {
    mp3test::writeToneWav(dir.file("tone.wav"), 10.0);
    if (!mp3test::encodeMp3(dir.file("tone.wav"), mp3)) std::abort();
  }
  ScratchFolder dir;
  std::string mp3 = dir.file("tone.mp3");
};

const Song& song() {
  static const Song instance;
  return instance;
}

void DecodeWithLibmpg123(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(mp3test::decodeMp3(song().mp3).pcm.size());
}
BENCHMARK(DecodeWithLibmpg123)->Unit(benchmark::kMillisecond);

void DecodeThroughLibraryToPcmFile(benchmark::State& state) {
  QLibrary library(QStringLiteral(MPEGDLL_FILE));
  music::MpegEntryPoints dll;
  if (!library.load() || !music::resolveMpegEntryPoints(library, dll) || !dll.init()) {
    state.SkipWithError("decoder library not loadable");
    return;
  }
  const std::string out = song().dir.file("out.pcm");
  dll.setOutputDevice(MPEGDLL_DEVICE_PCM_FILE, out.c_str());
  for (auto _ : state) {
    dll.open(song().mp3.c_str(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    uint8_t ended = 0;
    dll.play(0, 0, &ended);
    while (!std::atomic_ref<uint8_t>(ended).load()) std::this_thread::yield();
    dll.close();
  }
  dll.deinit();
}
BENCHMARK(DecodeThroughLibraryToPcmFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
