// Pixels of the painted table: places, empty places, markers, backs, corners, Quatro highlights,
// lighter shades of bright tables, the selection frame, the drag image and painting only the
// dirty part.
#include <QPainter>
#include <QtTest>
#include <cstring>

#include "cards/table_painter.h"

using cards::CardArt;
using cards::TableColours;
using game::GameTable;

namespace {

constexpr QRgb kOutline = 0xFF000000;         // outline of the synthetic card back
constexpr QRgb kBackInside = 0xFF400000;      // inside of the synthetic card back
constexpr std::uint32_t kTable = 0x00A05020;  // red 0x20, green 0x50, blue 0xA0
constexpr std::uint32_t kSelect = 0x001020A0;

// Cell c is filled with the colour (c, 100, 200); cell 2, the back, has a one-pixel outline.
QRgb cellColour(int c) { return qRgb(c, 100, 200); }

CardArt syntheticArt() {
  QImage sheet(704, 1040, QImage::Format_RGB32);
  QPainter p(&sheet);
  for (int c = 0; c < 64; ++c) {
    const QRect cell((c & 7) * 88, (c >> 3) * 130, 88, 130);
    p.fillRect(cell, QColor::fromRgb(cellColour(c)));
    if (c == 2) {
      p.fillRect(cell, QColor::fromRgb(kOutline));
      p.fillRect(cell.adjusted(1, 1, -1, -1), QColor::fromRgb(kBackInside));
    }
  }
  p.end();
  CardArt art;
  art.takeSheet(sheet);
  art.cardSetState = 2;
  art.format = cards::CardSetFormat::Pc;
  return art;
}

GameTable emptyKlondike() {
  GameTable t{};
  static_cast<game::RuleState&>(t) = game::emptyRuleState();
  t.layout = game::tableLayout(game::RuleSet::Klondike, 3);
  return t;
}

QImage paint(const GameTable& t, const CardArt& art, const TableColours& colours, bool klondike,
             std::span<const QPoint> targets = {}, const QImage* drag = nullptr,
             QRegion dirty = QRegion(0, 0, 646, 540)) {
  QImage target(646, 540, QImage::Format_RGB32);
  target.fill(Qt::magenta);
  QPainter p(&target);
  cards::paintTable(p, dirty, {t, klondike, art, colours, targets, drag, {}});
  return target;
}

TableColours plainColours(std::uint32_t table = kTable) {
  return cards::resolveColours(table, kSelect, false, false, 0, 0);
}

QRgb rgbOf(std::uint32_t value) { return cards::toQColor(value).rgb(); }

}  // namespace

class PainterTest : public QObject {
  Q_OBJECT

 private slots:
  void emptyColumnWasteAndStockShowTheEmptyPlace() {
    CardArt art = syntheticArt();
    cards::roundCardCorners(art, kTable, kTable);
    const GameTable t = emptyKlondike();
    const QImage img = paint(t, art, plainColours(), true);
    const QRgb fill = rgbOf(kTable + 0x101010);
    for (const QPoint place : {QPoint(5 + 90 * 3, 5), QPoint(5, 395), QPoint(95, 395)}) {
      QCOMPARE(img.pixel(place + QPoint(40, 60)), fill);  // inside
      QCOMPARE(img.pixel(place + QPoint(1, 2)), fill);    // edges of the two fill rectangles
      QCOMPARE(img.pixel(place + QPoint(2, 1)), fill);
      QCOMPARE(img.pixel(place + QPoint(1, 1)), kBackInside);  // one back pixel inside each corner
      QCOMPARE(img.pixel(place + QPoint(86, 128)), kBackInside);
      QCOMPARE(img.pixel(place + QPoint(0, 60)), kOutline);  // the back's outline
      QCOMPARE(img.pixel(place + QPoint(87, 60)), kOutline);
      QCOMPARE(img.pixel(place + QPoint(40, 129)), kOutline);
      QCOMPARE(img.pixel(place), rgbOf(kTable));  // corner in the table colour
      QCOMPARE(img.pixel(place + QPoint(87, 129)), rgbOf(kTable));
    }
    // Below row 0 of an empty column and in the gap column there is only the table.
    QCOMPARE(img.pixel(5 + 40, 5 + 200), rgbOf(kTable));
    QCOMPARE(img.pixel(5 + 180 + 40, 395 + 60), rgbOf(kTable));
  }

  void foundationsShowMarkersOrTopCards() {
    const CardArt art = syntheticArt();
    GameTable t = emptyKlondike();
    t.foundation[2] = 47;  // a Queen on foundation 2
    const QImage img = paint(t, art, plainColours(), true);
    QCOMPARE(img.pixel(5 + 270 + 40, 395 + 60), cellColour(55));
    QCOMPARE(img.pixel(5 + 360 + 40, 395 + 60), cellColour(56));
    QCOMPARE(img.pixel(5 + 450 + 40, 395 + 60), cellColour(3 + 47));
    QCOMPARE(img.pixel(5 + 540 + 40, 395 + 60), cellColour(58));
  }

  void stockWasteAndTableauCards() {
    const CardArt art = syntheticArt();
    GameTable t = emptyKlondike();
    t.stockCount = 1;
    t.waste[0] = 10, t.waste[1] = 20, t.wasteTop = 1;
    t.tableau[1][0] = 64 + 7;  // face down
    t.tableau[1][1] = 7;       // face up, fanned 15 px below
    t.tableau[2][0] = 200;     // not a card: nothing drawn
    const QImage img = paint(t, art, plainColours(), true);
    QCOMPARE(img.pixel(5 + 40, 395 + 60), kBackInside);          // stock: the back
    QCOMPARE(img.pixel(95 + 40, 395 + 60), cellColour(3 + 20));  // only the top waste card
    QCOMPARE(img.pixel(95 + 40, 5 + 8), kBackInside);            // strip of the face-down card
    QCOMPARE(img.pixel(95 + 40, 5 + 15 + 60), cellColour(3 + 7));
    QCOMPARE(img.pixel(185 + 40, 5 + 60), rgbOf(kTable));
  }

  void cornersOfEveryCellTakeTheTableColour() {
    CardArt art = syntheticArt();
    cards::roundCardCorners(art, 0x00112233, kTable);
    for (int c = 0; c < 64; ++c) {
      const int x = (c & 7) * 88, y = (c >> 3) * 130;
      for (const QPoint corner :
           {QPoint(x, y), QPoint(x + 87, y), QPoint(x, y + 129), QPoint(x + 87, y + 129)})
        QCOMPARE(art.sheet.pixel(corner), rgbOf(0x00112233));
      QCOMPARE(art.sheet.pixel(x + 1, y + 1), c == 2 ? kBackInside : cellColour(c));
    }
    QCOMPARE(art.emptyImage.pixel(0, 0), rgbOf(kTable));
    QCOMPARE(art.emptyImage.pixel(87, 129), rgbOf(kTable));
    QCOMPARE(art.emptyImage.pixel(1, 0), kOutline);
  }

  // Each component of a lighter shade stops at 255: the Klondike empty place, the Quatro
  // current-card place and the Quatro highlight stay shades of a bright table.
  void lighterShadesStopAtWhite() {
    const CardArt art = syntheticArt();
    const QPoint quatroTarget[] = {{2, 0}};
    struct Case {
      std::uint32_t table, emptyPlace, highlight;
    };
    for (const Case& c :
         {Case{0x000040F5, 0x001050FF, 0x002060FF},  // orange #F54000
          Case{0x00F0E8FF, 0x00FFF8FF, 0x00FFFFFF}, Case{0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF}}) {
      const QImage klondike = paint(emptyKlondike(), art, plainColours(c.table), true);
      QCOMPARE(klondike.pixel(5 + 40, 5 + 60), rgbOf(c.emptyPlace));
      GameTable t = emptyKlondike();
      t.layout = game::tableLayout(game::RuleSet::Quatro, 3);
      const QImage quatro = paint(t, art, plainColours(c.table), false, quatroTarget);
      QCOMPARE(quatro.pixel(5 + 40, 5 + 131 + 60), rgbOf(c.emptyPlace));  // current-card place
      QCOMPARE(quatro.pixel(185 + 40, 5 + 60), rgbOf(c.highlight));
    }
  }

  void amigaSchemeDrawsTheSetsEmptyPlace() {
    const CardArt art = syntheticArt();
    const GameTable t = emptyKlondike();
    const TableColours colours = cards::resolveColours(kTable, kSelect, true, true, 0x0030, 0x0040);
    const QImage img = paint(t, art, colours, true);
    QCOMPARE(img.pixel(5 + 40, 5 + 60), cellColour(1));
    QCOMPARE(img.pixel(5 + 40, 5 + 300), rgbOf(0x0030));  // background from the set
  }

  void noCardSetShowsOnlyTheTable() {
    CardArt art = syntheticArt();
    art.cardSetState = 0;
    const QImage img = paint(emptyKlondike(), art, plainColours(), true);
    QCOMPARE(img.pixel(5 + 40, 5 + 60), rgbOf(kTable));
    QCOMPARE(img.pixel(5 + 40, 395 + 60), rgbOf(kTable));
  }

  void quatroKingHighlightsTheEmptyCorners() {
    const CardArt art = syntheticArt();
    GameTable t = emptyKlondike();
    t.layout = game::tableLayout(game::RuleSet::Quatro, 3);
    t.current = 49;     // a King is the current card
    t.grid[0][0] = 50;  // the top-left corner (2, 0) is taken
    const QPoint targets[] = {{2, 3}, {5, 3}, {5, 0}};
    const QImage img = paint(t, art, plainColours(), false, targets);
    const QRgb light = rgbOf(kTable + 0x202020);
    QCOMPARE(img.pixel(5 + 40, 5 + 131 + 60), cellColour(3 + 49));  // the current card
    QCOMPARE(img.pixel(185 + 40, 5 + 60), cellColour(3 + 50));
    for (const QPoint place : {QPoint(185, 5 + 393), QPoint(455, 5 + 393), QPoint(455, 5)}) {
      QCOMPARE(img.pixel(place + QPoint(1, 1)), light);
      QCOMPARE(img.pixel(place + QPoint(86, 128)), light);
      QCOMPARE(img.pixel(place + QPoint(0, 60)), kOutline);  // the empty place's outline stays
    }
    QCOMPARE(img.pixel(275 + 40, 5 + 60), rgbOf(kTable + 0x101010));  // a Queen's place: plain
  }

  void selectionFrameIsDrawnAroundTheRun() {
    const CardArt art = syntheticArt();
    GameTable t = emptyKlondike();
    t.markVisible = true;
    t.markedCol = 2, t.markedRow = 1, t.markedCount = 3;
    const QImage img = paint(t, art, plainColours(), true);
    const int x = 5 + 180, y = 5 + 15;
    const int bottom = y + 2 * 15 + 131;
    auto countSelect = [&](QRect r) {
      int n = 0;
      for (int yy = r.top(); yy <= r.bottom(); ++yy)
        for (int xx = r.left(); xx <= r.right(); ++xx) n += img.pixel(xx, yy) == rgbOf(kSelect);
      return n;
    };
    QVERIFY(countSelect(QRect(x - 2, y - 2, 92, 2)) > 30);       // top edge, dotted
    QVERIFY(countSelect(QRect(x - 2, bottom - 1, 92, 2)) > 30);  // bottom edge
    QVERIFY(countSelect(QRect(x - 2, y, 2, bottom - y)) > 50);   // left edge
    QVERIFY(countSelect(QRect(x + 88, y, 2, bottom - y)) > 50);  // right edge
    QCOMPARE(countSelect(QRect(x - 6, y - 6, 100, bottom - y + 12)),
             countSelect(QRect(x - 2, y - 2, 92, bottom - y + 3)));  // nothing outside the strips
    QCOMPARE(countSelect(QRect(x + 2, y + 2, 84, bottom - y - 5)), 0);
  }

  void dragImageIsDrawnAtItsPlace() {
    const CardArt art = syntheticArt();
    GameTable t = emptyKlondike();
    QImage drag(88, 600, QImage::Format_RGB32);
    drag.fill(qRgb(1, 2, 3));
    t.dragImageVisible = true;
    t.dragImageX = 300, t.dragImageY = 200, t.dragHeight = 160;
    const QImage img = paint(t, art, plainColours(), true, {}, &drag);
    QCOMPARE(img.pixel(300, 200), qRgb(1, 2, 3));
    QCOMPARE(img.pixel(387, 359), qRgb(1, 2, 3));
    QCOMPARE(img.pixel(300, 360), rgbOf(kTable));
    QCOMPARE(img.pixel(388, 200), rgbOf(kTable));
  }

  void onlyTheDirtyPartIsPainted() {
    const CardArt art = syntheticArt();
    const QImage img = paint(emptyKlondike(), art, plainColours(), true, {}, nullptr,
                             QRegion(0, 0, 50, 50) + QRegion(100, 400, 10, 10));
    QCOMPARE(img.pixel(20, 3), rgbOf(kTable));
    QCOMPARE(img.pixel(40, 40), rgbOf(kTable + 0x101010));
    QCOMPARE(img.pixel(105, 405), rgbOf(kTable + 0x101010));
    QCOMPARE(img.pixel(60, 60), qRgb(255, 0, 255));  // untouched
    QCOMPARE(img.pixel(300, 300), qRgb(255, 0, 255));
  }
};

QTEST_MAIN(PainterTest)
#include "painter_test.moc"
