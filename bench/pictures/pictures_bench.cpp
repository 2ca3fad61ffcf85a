#include <benchmark/benchmark.h>

#include "platform/game_pictures.h"
#include "platform/jpeg_decoder.h"

namespace {

void decodePicture(benchmark::State& state, pictures::Id id) {
  const auto bytes = pictures::jpeg(id);
  for (auto _ : state) benchmark::DoNotOptimize(platform::decodeJpeg(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK_CAPTURE(decodePicture, highscore_351x451, pictures::Id::HighscoreBackground);
BENCHMARK_CAPTURE(decodePicture, end_game_300x200, pictures::Id::EndGame);
BENCHMARK_CAPTURE(decodePicture, portrait_100x120, pictures::Id::FirstPortrait);

}  // namespace
