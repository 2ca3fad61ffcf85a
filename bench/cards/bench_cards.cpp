// Building the 704 x 1040 card sheet from complete card sets, and for comparison a memcpy of
// as many bytes as each file holds; then the whole load of each shipped card set (file reading,
// decoding, the sheet image); then SVG decks drawn at the device sizes of the zooms.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <cstring>

#include "cards/card_set_decode.h"
#include "cards/card_set_loader.h"
#include "cards/svg_deck.h"
#include "cards/table_painter.h"
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

// SVG decks: our own, and desktop decks where they are installed (none is required).
const char* const kSvgDecks[][2] = {
    {"Vessant", KLONDIKE_PLAY_DIR "/Vessant.svg"},
    {"Oxygen", "/usr/share/carddecks/svg-oxygen/oxygen.svgz"},
    {"Dondorf", "/usr/share/carddecks/svg-dondorf/dondorf.svgz"},
};

// Device pixels per table pixel: 100%, 150%, 200%, and 200% on a screen of pixel ratio 2.
const double kDeviceFactors[] = {1, 1.5, 2, 4};

QSize CellAt(double factor) { return {qRound(88 * factor), qRound(130 * factor)}; }

// A change of card set: the deck read, parsed and drawn at the table's device size.
void BM_SvgSetChange(benchmark::State& state, const char* path, double factor) {
  for (auto _ : state) {
    const std::shared_ptr<const cards::SvgDeck> deck = cards::SvgDeck::open(path);
    if (deck == nullptr) return state.SkipWithError("no deck");
    benchmark::DoNotOptimize(deck->sheet(CellAt(factor)).constBits());
  }
}

// A change of zoom or pixel ratio: the parsed deck drawn at a new device size.
void BM_SvgZoomChange(benchmark::State& state, const char* path, double factor) {
  for (auto _ : state) {
    state.PauseTiming();
    const std::shared_ptr<const cards::SvgDeck> deck = cards::SvgDeck::open(path);
    state.ResumeTiming();
    if (deck == nullptr) return state.SkipWithError("no deck");
    benchmark::DoNotOptimize(deck->sheet(CellAt(factor)).constBits());
  }
}

// A change of card set as the table's own thread sees it: the loaded set taken, its corners
// rounded and its pictures prepared for the table's device size. Loaded on the calling thread
// (`later` false, as .tvp and .tavi sets are) or on a worker thread, whose time is not counted.
void BM_SvgSetChangeOnTable(benchmark::State& state, const char* path, double factor, bool later) {
  const QSize cell = CellAt(factor);
  for (auto _ : state) {
    cards::LoadedCardSet set;
    if (later) {
      QFuture<cards::LoadedCardSet> load = cards::loadSvgDeckLater(path, cell);
      state.PauseTiming();
      load.waitForFinished();
      state.ResumeTiming();
      set = load.result();
    } else {
      set = cards::loadCardSet(path);
    }
    if (set.sheet.isNull()) return state.SkipWithError("no deck");
    cards::CardArt art;
    art.takeSheet(set.sheet);
    art.vectors = set.vectors;
    art.cardSetState = 1;
    cards::roundCardCorners(art, 0, 0);
    cards::ScaledSheet scaled;
    if (factor != 1) scaled.prepare(art, 0, factor);
    benchmark::DoNotOptimize(scaled.cellSize());
  }
}

// The chooser's preview of a deck, read when its file is clicked and again when it is taken.
void BM_SvgPreview(benchmark::State& state, const char* path) {
  for (auto _ : state) benchmark::DoNotOptimize(cards::loadCardPreview(path).constBits());
}

void RegisterSvgDecks() {
  for (const auto& [name, path] : kSvgDecks) {
    if (!QFileInfo::exists(QString::fromLatin1(path))) continue;
    benchmark::RegisterBenchmark(("BM_SvgPreview/" + std::string(name)).c_str(), BM_SvgPreview,
                                 path)
        ->Unit(benchmark::kMillisecond);
    for (const double factor : kDeviceFactors) {
      const std::string size = "/" + std::to_string(int(factor * 100));
      benchmark::RegisterBenchmark(("BM_SvgSetChange/" + std::string(name) + size).c_str(),
                                   BM_SvgSetChange, path, factor)
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark(("BM_SvgZoomChange/" + std::string(name) + size).c_str(),
                                   BM_SvgZoomChange, path, factor)
          ->Unit(benchmark::kMillisecond);
      for (const bool later : {false, true})
        benchmark::RegisterBenchmark(
            ("BM_SvgSetChangeOnTable/" + std::string(name) + size + (later ? "/later" : "/now"))
                .c_str(),
            BM_SvgSetChangeOnTable, path, factor, later)
            ->Unit(benchmark::kMillisecond);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Drawing text needs fonts, never a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  RegisterSvgDecks();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
