// SVG decks: our deck written by the card-set tool draws the same cards as the painter at any
// size, and every file that is broken, too large or reaches outside itself gives no pictures.
#include <zlib.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include "cards/card_set_loader.h"
#include "cards/svg_deck.h"
#include "cards/table_painter.h"
#include "tools/cardset/deck_painter.h"
#include "tools/cardset/svg_deck_writer.h"

using namespace cards;

namespace {

QByteArray gzip(const QByteArray& data) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  QByteArray out(int(deflateBound(&stream, uLong(data.size()))), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
  stream.avail_in = uInt(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = uInt(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(qsizetype(stream.total_out));
  deflateEnd(&stream);
  return out;
}

QImage onWhite(const QImage& picture) {
  QImage image(picture.size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter(&image).drawImage(0, 0, picture);
  return image;
}

// Pixels whose colours differ by more than a quarter of the range in some component.
int differingPixels(const QImage& a, const QImage& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                    std::abs(qBlue(p) - qBlue(q))}) > 64)
        ++count;
    }
  return count;
}

}  // namespace

class SvgDeckTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  const QByteArray deck_ = cardset::WriteSvgDeck();

  // Our deck with a picture that refers to `target`.
  QByteArray withPicture(const QByteArray& target) const {
    return QByteArray(deck_).replace(
        "<title>",
        "<image xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"8\" height=\"8\" "
        "xlink:href=\"" +
            target + "\"/><title>");
  }

  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
  }

 private slots:
  // The back, an ace, a number card and two courts (drawn with clipping) at 100% and 250%:
  // edges may fall a little differently, nothing more.
  void ourDeckDrawsThePaintersCardsAtAnySize() {
    const std::shared_ptr<const SvgDeck> deck = SvgDeck::open(write("Vessant.svg", deck_));
    QVERIFY(deck != nullptr);
    for (const double scale : {1.0, 2.5})
      for (const int cell : {2, 3, 24, 43, 54}) {
        const QSize size(qRound(88 * scale), qRound(130 * scale));
        QImage direct(size, QImage::Format_RGB32);
        direct.fill(Qt::white);
        {
          QPainter painter(&direct);
          painter.setRenderHint(QPainter::Antialiasing);
          painter.scale(scale, scale);
          cardset::PaintCard(painter, cell);
        }
        const QImage drawn = onWhite(deck->cell(cell, size));
        QCOMPARE(drawn.size(), size);
        QVERIFY2(differingPixels(drawn, direct) <= size.width() * size.height() / 100,
                 qPrintable(QStringLiteral("cell %1 at %2").arg(cell).arg(scale)));
      }
  }

  void compressedDeckAndTheSheetAtTwoSizes() {
    const std::shared_ptr<const SvgDeck> deck = SvgDeck::open(write("Vessant.svgz", gzip(deck_)));
    QVERIFY(deck != nullptr);
    const LoadedCardSet set = loadCardSet(dir_.filePath("Vessant.svgz"));
    QCOMPARE(set.sheet.size(), QSize(704, 1040));
    QCOMPARE(set.format, CardSetFormat::Pc);
    QVERIFY(set.vectors != nullptr);
    // The corners are transparent, the card's middle is not; at twice the size too.
    for (const int factor : {1, 2}) {
      const QImage sheet = deck->sheet(QSize(88 * factor, 130 * factor));
      QCOMPARE(sheet.size(), QSize(704 * factor, 1040 * factor));
      QCOMPARE(qAlpha(sheet.pixel(2 * 88 * factor, 0)), 255);  // the back's outline
      QCOMPARE(qAlpha(sheet.pixel(0, 0)), 0);                  // cell 0: not drawn
      QCOMPARE(qAlpha(sheet.pixel(3 * 88 * factor + 44, 65)), 255);
    }
    QVERIFY(!loadCardPreview(dir_.filePath("Vessant.svgz")).isNull());
  }

  // A zoomed table shows the 100% cards scaled until the deck has drawn them at the device size,
  // then those.
  void zoomedTableTakesTheCardsDrawnAtItsSize() {
    CardArt art;
    const LoadedCardSet set = loadCardSet(write("zoom.svg", deck_));
    art.takeSheet(set.sheet);
    art.vectors = set.vectors;
    art.cardSetState = 2;
    ScaledSheet scaled;
    scaled.prepare(art, 0x808080, 2);
    QVERIFY(scaled.waitsForDrawnCards());
    QCOMPARE(scaled.cellSize(), QSize(176, 260));
    const auto cardAt = [&] {
      QImage table(176, 260, QImage::Format_ARGB32_Premultiplied);
      table.fill(Qt::transparent);
      QPainter p(&table);
      scaled.drawCell(p, QPoint(), 3);
      return table;
    };
    const QImage soft = cardAt();
    art.vectors->drawSheetLater(scaled.cellSize()).waitForFinished();
    scaled.prepare(art, 0x808080, 2);
    QVERIFY(!scaled.waitsForDrawnCards());
    const QImage drawn = cardAt();
    QCOMPARE(drawn, art.vectors->cell(3, QSize(176, 260)));
    QVERIFY(drawn != soft);
  }

  void brokenLargeOrHostileFilesGiveNoCardPictures_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QByteArray missing = deck_;
    missing.replace("id=\"queen_heart\"", "id=\"queen_hearts\"");
    QTest::newRow("a card missing") << "missing.svg" << missing;
    QTest::newRow("an outside picture") << "external.svg" << withPicture("/etc/hostname");
    QByteArray outsideFill = deck_;
    outsideFill.replace("fill=\"#ffffff\"", "fill=\"url(file:///etc/hostname#g)\"");
    QTest::newRow("an outside fill") << "fill.svg" << outsideFill;
    QTest::newRow("an outside entity")
        << "entity.svg"
        << QByteArray(
               "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY e SYSTEM "
               "\"/etc/hostname\">]><svg xmlns=\"http://www.w3.org/2000/svg\">&e;</svg>");
    QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY l0 \"ha\">";
    for (int i = 1; i < 10; ++i)
      laughs += QStringLiteral("<!ENTITY l%1 \"%2\">")
                    .arg(i)
                    .arg(QString("&l%1;").arg(i - 1).repeated(10))
                    .toLatin1();
    laughs += "]>" + deck_.mid(deck_.indexOf("<svg")).replace("<title>Vessant", "<title>&l9;");
    QTest::newRow("a billion laughs") << "laughs.svg" << laughs;
    QTest::newRow("cut short") << "short.svgz" << gzip(deck_).left(5000);
    QTest::newRow("no SVG") << "text.svg" << QByteArray("hello");
    QTest::newRow("empty") << "empty.svg" << QByteArray();
  }

  void brokenLargeOrHostileFilesGiveNoCardPictures() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString path = write(name, bytes);
    QVERIFY(SvgDeck::open(path) == nullptr);
    QVERIFY(loadCardSet(path).sheet.isNull());
    QVERIFY(loadCardPreview(path).isNull());
  }

  // The control of the outside picture above: a picture carried in the file is drawn.
  void pictureInsideTheFileIsAllowed() {
    QVERIFY(SvgDeck::open(write("inside.svg", withPicture("data:image/png;base64,iVBORw0KGgo="))));
  }

  // A 100 MB file (sparse, so it costs no disk) is refused without being read.
  void hugeFileIsRefused() {
    const QString path = write("huge.svg", deck_);
    QFile file(path);
    QVERIFY(file.resize(100 << 20));
    QVERIFY(SvgDeck::open(path) == nullptr);
    QVERIFY(loadCardPreview(path).isNull());
  }
};

QTEST_MAIN(SvgDeckTest)
#include "svg_deck_test.moc"
