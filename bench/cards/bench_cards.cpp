// Building the 704 x 1040 card sheet from complete card sets, and for comparison a memcpy of
// as many bytes as each file holds.
#include <benchmark/benchmark.h>

#include <cstring>

#include "cards/card_set_decode.h"
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

void Sheet(benchmark::State& state, const std::vector<std::uint8_t>& file) {
  cards::CardSheet sheet;
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

}  // namespace

BENCHMARK_MAIN();
