// loadCardSet and loadCardPreview: files to Qt images, read limits and the wait cursor; the
// worker-thread runner that loads SVG decks and previews.
#include <sys/stat.h>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include "cards/card_set_decode.h"
#include "cards/card_set_loader.h"
#include "cards/run_later.h"
#include "tests/cards/card_test_pictures.h"
#include "tools/cardset/card_set_encode.h"

using namespace cards;

class CardSetLoaderTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

  QString write(const QString& name, const std::vector<std::uint8_t>& bytes) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    return path;
  }

  static void compareCell(const QImage& sheet, int cell, const CardImage& expected) {
    const int x0 = (cell & 7) * kCardWidth, y0 = (cell >> 3) * kCardHeight;
    for (int y = 0; y < kCardHeight; y += 7)
      for (int x = 0; x < kCardWidth; x += 5) {
        const Rgb e = expected.at(x, y);
        QCOMPARE(sheet.pixel(x0 + x, y0 + y), qRgb(e.r, e.g, e.b));
      }
  }

 private slots:
  void pcSetBecomesAnRgb32Sheet() {
    const std::vector<CardImage> images = testing::GradientPictures(57);
    const LoadedCardSet set = loadCardSet(write("pc.tvp", EncodePcSet(images, false)));
    QCOMPARE(set.format, cards::CardSetFormat::Pc);
    QCOMPARE(set.sheet.size(), QSize(704, 1040));
    QCOMPARE(set.sheet.format(), QImage::Format_RGB32);
    compareCell(set.sheet, 2, testing::Reduced(images[0]));
    compareCell(set.sheet, 58, testing::Reduced(images[56]));
    QCOMPARE(set.sheet.pixel(0, 0), qRgb(0, 0, 0));  // cell 0 is not filled
  }

  void planarSetCarriesTheSchemeColours() {
    PlanarOptions options;
    options.depth = 8;
    options.ham = true;
    options.tableColour = {0, 92, 60};
    options.selectColour = {255, 196, 0};
    const LoadedCardSet set =
        loadCardSet(write("planar.tavi", EncodePlanarSet(testing::GradientPictures(59), options)));
    QCOMPARE(set.format, cards::CardSetFormat::Planar);
    QVERIFY(!set.sheet.isNull());
    QCOMPARE(set.amigaTableColour, 0x3C5C00u);
    QCOMPARE(set.amigaSelectColour, 0x00C4FFu);
  }

  void unreadableOrForeignFilesGiveNoSheet() {
    for (const QString& path :
         {dir_.filePath("missing.tvp"), write("text.tvp", {'h', 'e', 'l', 'l', 'o'})}) {
      const LoadedCardSet set = loadCardSet(path);
      QVERIFY(set.sheet.isNull());
      QCOMPARE(set.format, cards::CardSetFormat::None);
      QVERIFY(loadCardPreview(path).isNull());
    }
  }

  void pipeNamedAsCardSetGivesNoSheetWithoutBlocking() {
    const QString path = dir_.filePath("pipe.tvp");
    QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    QVERIFY(loadCardSet(path).sheet.isNull());
    QVERIFY(loadCardPreview(path).isNull());
  }

  void waitCursorIsRestored() {
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    loadCardSet(write("short.tvp", {'P', 'C', 'T', 'A', 'V', 'I'}));
    loadCardSet(dir_.filePath("missing.tvp"));
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
  }

  // Images that lie beyond the first 1,400,000 (sheet) or 200,000 (preview) bytes of a file
  // are not read: they show black.
  void readLimitsCutOffLaterImages() {
    const std::vector<Rgb> colours = testing::DistinctColours(10, 1);
    std::vector<CardImage> images;
    for (unsigned i = 0; i < 59; ++i) images.push_back(testing::PalettePicture(colours, i));
    PlanarOptions options;
    options.depth = 4;
    options.stride = 58'100;  // image i starts at 70 + 58,100 i and takes 5,720 bytes
    const QString path = write("wide.tavi", EncodePlanarSet(images, options));
    QVERIFY(QFileInfo(path).size() > qint64(kSheetReadLimit));

    const LoadedCardSet set = loadCardSet(path);
    compareCell(set.sheet, 23, images[23]);   // ends at 1,342,090
    compareCell(set.sheet, 24, CardImage{});  // would end at 1,400,190
    // The preview's image 3 ends at 180,090, inside 200,000; with a wider stride it does not.
    const QImage preview = loadCardPreview(path);
    QCOMPARE(preview.size(), QSize(88, 130));
    QCOMPARE(preview.format(), QImage::Format_RGB32);
    const Rgb first = images[3].at(0, 0);
    QCOMPARE(preview.pixel(0, 0), qRgb(first.r, first.g, first.b));
    options.stride = 65'000;  // image 3 would end at 200,790
    const QImage cut = loadCardPreview(write("wider.tavi", EncodePlanarSet(images, options)));
    QCOMPARE(cut.pixel(0, 0), qRgb(0, 0, 0));
  }

  // Work for a worker thread gives its result, sees a cancel that comes while it runs, and does
  // not run at all when cancelled before it starts.
  void laterWorkAnswersAndHeedsCancels() {
    QCOMPARE(runLater([](const std::function<bool()>&) { return 42; }).result(), 42);
    QThreadPool& pool = *QThreadPool::globalInstance();
    QSemaphore started, release;
    std::atomic<bool> sawStop = false, ranLate = false;
    QFuture<void> running = runLater([&](const std::function<bool()>& stopped) {
      started.release();
      release.acquire();
      sawStop = stopped();
    });
    // The pool's other threads held too, so that the last piece of work waits in the queue.
    for (int i = 1; i < pool.maxThreadCount(); ++i)
      runLater([&](const std::function<bool()>&) {
        started.release();
        release.acquire();
      });
    QFuture<void> queued = runLater([&](const std::function<bool()>&) { ranLate = true; });
    started.acquire(pool.maxThreadCount());
    running.cancel();
    queued.cancel();
    release.release(pool.maxThreadCount());
    pool.waitForDone();
    QVERIFY(sawStop);
    QVERIFY(!ranLate);
  }
};

QTEST_MAIN(CardSetLoaderTest)
#include "card_set_loader_test.moc"
