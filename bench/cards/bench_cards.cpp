// Building the 704 x 1040 card sheet from complete card sets, and for comparison a memcpy of
// as many bytes as each file holds; then the whole load of each shipped card set (file reading,
// decoding, the sheet image).
#include <benchmark/benchmark.h>

#include <cstring>

#include "cards/card_set_decode.h"
#include "cards/card_set_loader.h"
#include "tests/cards/card_test_pictures.h"
#include "tools/cardset/card_set_encode.h"

namespace {

using cards::testing::GradientPictures;

const std::vector<std::uint8_t>& PcDirect() {
  static const auto file = cards::EncodePcSet(GradientPictures(57), false);
  return file;
}

const std::vector<std::uint8_t>& PcIndexed() {
  static const auto file = cards::EncodePcSet(GradientPictures(57), true);
  return file;
}

const std::vector<std::uint8_t>& Ham8() {
  static const auto file = [] {
    cards::PlanarOptions options;
    options.depth = 8;
    options.ham = true;
    return cards::EncodePlanarSet(GradientPictures(59), options);
  }();
  return file;
}

// Into the table's pixel format, as the game builds it.
void Sheet(benchmark::State& state, const std::vector<std::uint8_t>& file) {
  std::vector<std::uint32_t> pixels(std::size_t(cards::kSheetWidth) * cards::kSheetHeight);
  const cards::Rgb32Sheet sheet{pixels.data(), std::size_t(cards::kSheetWidth)};
  for (auto _ : state) {
    benchmark::DoNotOptimize(cards::buildCardSheet(file, sheet));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

void Copy(benchmark::State& state, const std::vector<std::uint8_t>& file) {
  std::vector<std::uint8_t> target(file.size());
  for (auto _ : state) {
    std::memcpy(target.data(), file.data(), file.size());
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

void BM_SheetPcDirect(benchmark::State& state) { Sheet(state, PcDirect()); }
void BM_MemcpyPcDirectBytes(benchmark::State& state) { Copy(state, PcDirect()); }
void BM_SheetPcIndexed(benchmark::State& state) { Sheet(state, PcIndexed()); }
void BM_MemcpyPcIndexedBytes(benchmark::State& state) { Copy(state, PcIndexed()); }
void BM_SheetHam8(benchmark::State& state) { Sheet(state, Ham8()); }
void BM_MemcpyHam8Bytes(benchmark::State& state) { Copy(state, Ham8()); }

BENCHMARK(BM_SheetPcDirect)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyPcDirectBytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SheetPcIndexed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyPcIndexedBytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SheetHam8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyHam8Bytes)->Unit(benchmark::kMicrosecond);

void BM_LoadShipped(benchmark::State& state, const char* name) {
  const QString path = QStringLiteral(KLONDIKE_PLAY_DIR "/") + QString::fromLatin1(name);
  for (auto _ : state) {
    const cards::LoadedCardSet set = cards::loadCardSet(path);
    if (set.sheet.isNull()) state.SkipWithError("no sheet");
    benchmark::DoNotOptimize(set.sheet.constBits());
  }
}

BENCHMARK_CAPTURE(BM_LoadShipped, Vessant, "Vessant.tvp")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadShipped, Amiga, "Vessant-Amiga.tavi")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadShipped, Amiga6, "Vessant-Amiga6.tavi")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadShipped, Amiga32, "Vessant-Amiga32.tavi")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
