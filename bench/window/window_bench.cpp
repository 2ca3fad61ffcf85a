// Run with QT_QPA_PLATFORM=offscreen (set below when unset).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QTemporaryDir>

#include "cards/card_set_chooser.h"
#include "cards/card_set_loader.h"
#include "cards/table_painter.h"
#include "game/game_engine.h"
#include "platform/sound_cues.h"
#include "shell/main_window.h"
#include "shell/preferences.h"
#include "shell/table_widget.h"

namespace {

constexpr std::uint32_t kTable = 0xD08622;

cards::CardArt loadArt(const char* deck = KLONDIKE_PLAY_DIR "/Vessant.tvp") {
  cards::CardArt art;
  const cards::LoadedCardSet set = cards::loadCardSet(deck);
  art.takeSheet(set.sheet);
  art.vectors = set.vectors;
  art.cardSetState = 2;
  cards::roundCardCorners(art, kTable, kTable);
  return art;
}

// A table window without a window: paints what the rules invalidate into an offscreen picture,
// through the scale of `zoom` as the zoomed table window does.
class OffscreenTable : public game::TableView {
 public:
  explicit OffscreenTable(qreal tableZoom = 1, const char* deck = KLONDIKE_PLAY_DIR "/Vessant.tvp")
      : zoom(tableZoom),
        picture(cards::deviceLength(646, zoom), cards::deviceLength(540, zoom),
                QImage::Format_RGB32),
        dragImage(cards::deviceLength(88, zoom), cards::deviceLength(600, zoom),
                  QImage::Format_RGB32),
        art(loadArt(deck)) {
    if (zoom == 1) return;
    scaled.prepare(art, colours.emptyPlace, zoom);
    if (!scaled.waitsForDrawnCards()) return;  // an SVG deck: its cards drawn at the device size
    art.vectors->drawSheetLater(scaled.cellSize()).waitForFinished();
    scaled.prepare(art, colours.emptyPlace, zoom);
  }

  qreal zoom;
  QImage picture;
  QImage dragImage;
  cards::CardArt art;
  cards::ScaledSheet scaled;
  cards::TableColours colours = cards::resolveColours(kTable, 0x1020A0, false, false, 0, 0);
  game::GameEngine engine{*this};
  QRegion pending;

  cards::TableScene scene(const QImage* drag) const {
    return {engine.table(), true, art, colours, {}, drag, {}, zoom != 1 ? &scaled : nullptr};
  }
  void paint(const QRegion& dirty) {
    QPainter p(&picture);
    if (zoom != 1) p.scale(zoom, zoom);
    cards::paintTable(p, dirty, scene(&dragImage));
  }
  void invalidate(const game::Rect& r, bool) override { pending += cards::toQRect(r); }
  void invalidateAll() override { pending += QRect(0, 0, 646, 540); }
  void repaintNow() override {
    paint(pending);
    pending = QRegion();
  }
  void refused() override {}
  void scoreChanged(int) override {}
  void clockChanged(int) override {}
  void setClockRunning(bool) override {}
  void gameWon(const game::GameResult&) override {}
  void dragStarted(const game::Rect& r) override {
    QPainter p(&dragImage);
    if (zoom != 1) p.scale(zoom, zoom);
    p.translate(-r.left, -r.top);
    cards::paintTable(p, QRegion(cards::toQRect(r)), scene(nullptr));
  }
};

void BM_PaintFullKlondikeTable(benchmark::State& state) {
  OffscreenTable table;
  table.engine.seedSource = [] { return 12345u; };
  table.engine.setScreenClass(3);
  table.engine.dealKlondike();
  const QRegion all(0, 0, 646, 540);
  for (auto _ : state) {
    table.paint(all);
    benchmark::DoNotOptimize(table.picture.constBits());
  }
}
BENCHMARK(BM_PaintFullKlondikeTable)->Unit(benchmark::kMicrosecond);

// One pointer move while the face-up card of column 6 is dragged: the uncovered strips are
// repainted from the model and the dragged image is drawn at its new place, with our card set
// and with our SVG deck.
void BM_DragStep(benchmark::State& state) {
  OffscreenTable table(state.range(0) / 100.0, state.range(1) ? KLONDIKE_PLAY_DIR "/Vessant.svg"
                                                              : KLONDIKE_PLAY_DIR "/Vessant.tvp");
  table.engine.seedSource = [] { return 12345u; };
  table.engine.setScreenClass(3);
  table.engine.dealKlondike();
  table.repaintNow();
  table.engine.setCardSetPresent(true);
  const int x = 5 + 6 * 90 + 40, y = 5 + 6 * 15 + 60;
  table.engine.mouseDown(game::MouseButton::Left, x, y);
  if (!table.engine.table().dragImageVisible) {
    state.SkipWithError("no drag started");
    return;
  }
  int step = 0;
  for (auto _ : state) {
    ++step;
    const int dx = (step % 40) * 4, dy = (step % 40) * 3;  // a diagonal stroke, then back
    table.engine.mouseMove(true, true, x - dx, y + dy);
  }
}
BENCHMARK(BM_DragStep)
    ->ArgsProduct({{100, 150, 200}, {0, 1}})  // the zoom in percent; 1 for the SVG deck
    ->Unit(benchmark::kMicrosecond);

// The card pictures scaled for a zoom (argument in percent): what a change of zoom, screen or
// card set costs once.
void BM_ScaledSheetBuild(benchmark::State& state) {
  const cards::CardArt art = loadArt();
  for (auto _ : state) {
    cards::ScaledSheet scaled;
    scaled.prepare(art, 0x808080, state.range(0) / 100.0);
    benchmark::DoNotOptimize(scaled);
  }
}
BENCHMARK(BM_ScaledSheetBuild)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);

// The table window created in a start directory with settings and the default card set, shown,
// until its first paint of the table has happened.
void BM_StartupToFirstPaintedTable(benchmark::State& state) {
  QTemporaryDir dir;
  QFile::copy(KLONDIKE_PLAY_DIR "/Vessant.tvp", dir.filePath("Vessant.tvp"));
  shell::Preferences pref;
  pref.setCardSetName("Vessant.tvp");
  if (shell::saveSettings(pref, dir.path().toStdString())) {
    state.SkipWithError("cannot write the settings file");
    return;
  }
  QDir::setCurrent(dir.path());
  struct PaintSeen : QObject {
    bool seen = false;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) seen = true;
      return false;
    }
  };
  for (auto _ : state) {
    shell::MainWindow main({QRect(0, 0, 1024, 768), 96, false}, platform::soundCues());
    PaintSeen paint;
    main.table().installEventFilter(&paint);
    main.showAtStart();
    while (!paint.seen) QCoreApplication::processEvents();
    state.PauseTiming();
    main.table().removeEventFilter(&paint);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartupToFirstPaintedTable)->Unit(benchmark::kMillisecond);

// A move of the card-set chooser's selection to a file, as the chooser's own thread sees it:
// the time until the list answers again, not until the preview is shown.
void BM_ChooserSelectionChange(benchmark::State& state, const char* path) {
  const QFileInfo file(QString::fromLatin1(path));
  if (!file.exists()) return state.SkipWithError("no such card set");
  cards::CardSetChooser chooser(file.absolutePath());
  chooser.show();
  const QList<QListWidgetItem*> found =
      chooser.fileList->findItems(file.fileName(), Qt::MatchExactly);
  if (found.isEmpty()) return state.SkipWithError("not listed");
  for (auto _ : state) {
    state.PauseTiming();
    chooser.fileList->setCurrentItem(nullptr);
    chooser.previewPicture->clear();
    state.ResumeTiming();
    chooser.fileList->setCurrentItem(found.first());
    state.PauseTiming();
    while (chooser.previewPicture->pixmap().isNull()) QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
// Iterations fixed: the preview's own loading, not counted, takes up to a thousand times longer.
BENCHMARK_CAPTURE(BM_ChooserSelectionChange, Tvp, KLONDIKE_PLAY_DIR "/Vessant.tvp")
    ->Iterations(1000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ChooserSelectionChange, Tavi, KLONDIKE_PLAY_DIR "/Vessant-Amiga.tavi")
    ->Iterations(1000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ChooserSelectionChange, Svg, KLONDIKE_PLAY_DIR "/Vessant.svg")
    ->Iterations(40)
    ->Unit(benchmark::kMicrosecond);
// A large desktop deck, where it is installed.
BENCHMARK_CAPTURE(BM_ChooserSelectionChange, Dondorf,
                  "/usr/share/carddecks/svg-dondorf/dondorf.svgz")
    ->Iterations(15)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
