#include "tools/cardset/deck_painter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <array>

#include "tools/cardset/court_painter.h"
#include "tools/cardset/index_glyphs.h"
#include "tools/cardset/suit_shapes.h"

namespace cardset {
namespace {

constexpr int kWidth = 88;
constexpr int kHeight = 130;
const QPointF kCentre(kWidth / 2.0, kHeight / 2.0);

// A card of one colour with a one-pixel outline; one pixel just inside each corner rounds the
// outline once the table takes the corner pixel. Whole pixels, so that the pictures are exact.
void DrawBlankCard(QPainter& painter, QColor face, QColor outline) {
  painter.fillRect(QRect(0, 0, kWidth, kHeight), face);
  QPainterPath line;
  line.setFillRule(Qt::WindingFill);
  line.addRect(0, 0, kWidth, 1);
  line.addRect(0, kHeight - 1, kWidth, 1);
  line.addRect(0, 0, 1, kHeight);
  line.addRect(kWidth - 1, 0, 1, kHeight);
  for (auto [x, y] : std::array<std::pair<int, int>, 4>{
           {{1, 1}, {kWidth - 2, 1}, {1, kHeight - 2}, {kWidth - 2, kHeight - 2}}})
    line.addRect(x, y, 1, 1);
  painter.fillPath(line, outline);
}

// The index: the rank figure and beside it the suit in the top-left corner, and the same
// turned round in the bottom-right one. A covered card in a fanned column shows only its top
// 15 pixels (8 on small screens), so the rank fits in rows 2..7 and the suit in rows 2..13.
constexpr int kIndexLeft = 3, kIndexTop = 2;
constexpr double kIndexSuitSize = 10;

QPointF IndexSuitCentre(int rank) {
  const double left = kIndexLeft + RankGlyphWidth(rank) + 2;
  return {left + kIndexSuitSize / 2, kIndexTop + 0.56 * kIndexSuitSize};
}

void DrawIndexSuits(QPainter& painter, int rank, int suit) {
  const QPointF centre = IndexSuitCentre(rank);
  DrawSuit(painter, suit, centre, kIndexSuitSize, SuitColour(suit));
  DrawSuit(painter, suit, QPointF(kWidth, kHeight) - centre, kIndexSuitSize, SuitColour(suit),
           true);
}

void DrawIndexRanks(QPainter& painter, int rank, int suit) {
  for (bool upsideDown : {false, true})
    painter.fillPath(
        RankGlyphPath(rank, QPoint(kIndexLeft, kIndexTop), QSize(kWidth, kHeight), upsideDown),
        SuitColour(suit));
}

// Pip centres of the number cards in a field from x 27..61, y 23..107; pips below the middle
// are drawn upside down as on printed cards.
std::vector<QPointF> PipLayout(int count) {
  const double left = 28, mid = 44, right = 60;
  const double top = 24, bottom = 106, middle = 65;
  const double upperQuarter = top + (bottom - top) / 3, lowerQuarter = top + 2 * (bottom - top) / 3;
  switch (count) {
    case 2: return {{mid, top}, {mid, bottom}};
    case 3: return {{mid, top}, {mid, middle}, {mid, bottom}};
    case 4: return {{left, top}, {right, top}, {left, bottom}, {right, bottom}};
    case 5: return {{left, top}, {right, top}, {mid, middle}, {left, bottom}, {right, bottom}};
    case 6:
      return {{left, top},     {right, top},   {left, middle},
              {right, middle}, {left, bottom}, {right, bottom}};
    case 7:
      return {{left, top},    {right, top},    {mid, (top + middle) / 2},
              {left, middle}, {right, middle}, {left, bottom},
              {right, bottom}};
    case 8:
      return {{left, top},    {right, top},    {mid, (top + middle) / 2},
              {left, middle}, {right, middle}, {mid, (middle + bottom) / 2},
              {left, bottom}, {right, bottom}};
    case 9:
      return {{left, top},           {right, top},   {left, upperQuarter},
              {right, upperQuarter}, {mid, middle},  {left, lowerQuarter},
              {right, lowerQuarter}, {left, bottom}, {right, bottom}};
    default:
      return {{left, top},
              {right, top},
              {mid, (top + upperQuarter) / 2},
              {left, upperQuarter},
              {right, upperQuarter},
              {left, lowerQuarter},
              {right, lowerQuarter},
              {mid, (lowerQuarter + bottom) / 2},
              {left, bottom},
              {right, bottom}};
  }
}

void DrawAce(QPainter& painter, int suit) {
  if (suit == Spades) {
    // The ace of spades carries the deck's ornament: a ring under a larger pip.
    painter.setPen(QPen(QColor(190, 150, 60), 1.2));
    painter.setBrush(QColor(250, 240, 210));
    painter.drawEllipse(kCentre, 27, 27);
    painter.setPen(QPen(QColor(190, 150, 60), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(kCentre, 24, 24);
    DrawSuit(painter, suit, kCentre, 38, SuitColour(suit));
    return;
  }
  DrawSuit(painter, suit, kCentre, 34, SuitColour(suit));
}

void PaintFace(QPainter& painter, int value, const DeckScheme& scheme) {
  const int rank = value >> 2, suit = value & 3;
  DrawBlankCard(painter, Qt::white, scheme.outline);
  if (rank == 0) {
    DrawAce(painter, suit);
  } else if (rank <= 9) {
    for (QPointF centre : PipLayout(rank + 1))
      DrawSuit(painter, suit, centre, 15, SuitColour(suit), centre.y() > kCentre.y() + 1);
  } else {
    PaintCourtPortrait(painter, rank, suit);
  }
  DrawIndexSuits(painter, rank, suit);
  DrawIndexRanks(painter, rank, suit);
}

// A dark blue back: white margin, a lattice of small diamonds and a medallion with the four
// suits.
void PaintBack(QPainter& painter, const DeckScheme& scheme) {
  DrawBlankCard(painter, Qt::white, scheme.outline);
  painter.save();
  const QRectF field(5, 5, kWidth - 10, kHeight - 10);
  const QColor deep(22, 46, 120), light(70, 110, 200), gold(222, 178, 74);
  painter.fillRect(field, deep);
  painter.save();
  painter.setClipRect(field.adjusted(2, 2, -2, -2));
  painter.setPen(QPen(light, 1.0));
  for (int d = -kHeight; d < kWidth + kHeight; d += 8) {
    painter.drawLine(QPointF(d, 0), QPointF(d + kHeight, kHeight));
    painter.drawLine(QPointF(d, 0), QPointF(d - kHeight, kHeight));
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(150, 180, 240));
  for (int y = 5; y < kHeight; y += 8)
    for (int x = (y / 8 % 2) * 4 + 4; x < kWidth; x += 8)
      painter.drawEllipse(QPointF(x, y), 0.9, 0.9);
  painter.restore();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::white, 1.0));
  painter.drawRect(field.adjusted(1.5, 1.5, -1.5, -1.5));
  painter.setPen(QPen(gold, 1.0));
  painter.drawRect(field.adjusted(3.5, 3.5, -3.5, -3.5));
  // Medallion.
  painter.setPen(QPen(gold, 2.0));
  painter.setBrush(deep);
  painter.drawEllipse(kCentre, 23, 30);
  painter.setPen(QPen(Qt::white, 0.8));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(kCentre, 19.5, 26.5);
  const std::array<QPointF, 4> spots{QPointF(0, -14), QPointF(11, 0), QPointF(0, 14),
                                     QPointF(-11, 0)};
  const std::array<int, 4> suits{Spades, Hearts, Clubs, Diamonds};
  for (int i = 0; i < 4; ++i)
    DrawSuit(painter, suits[std::size_t(i)], kCentre + spots[std::size_t(i)], 11,
             IsRed(suits[std::size_t(i)]) ? QColor(235, 80, 90) : QColor(245, 245, 250));
  painter.restore();
}

// The marker of an empty foundation: a pale card with a dashed inner border and a faint "A".
// It carries no suit, since any Ace may start any foundation.
void PaintFoundationMarker(QPainter& painter, const DeckScheme& scheme) {
  DrawBlankCard(painter, QColor(226, 232, 222), scheme.outline);
  QPen dashed(QColor(150, 162, 150), 1.0, Qt::DashLine);
  painter.setPen(dashed);
  painter.drawRoundedRect(QRectF(6.5, 6.5, kWidth - 13, kHeight - 13), 6, 6);
  QFont font("DejaVu Serif");
  font.setBold(true);
  font.setPixelSize(44);
  painter.setFont(font);
  painter.setPen(QColor(168, 178, 168));
  painter.drawText(QRectF(0, 0, kWidth, kHeight), Qt::AlignCenter, "A");
}

// The empty place for the scheme's table: a card outline filled a shade lighter than the table.
void PaintEmptyPlace(QPainter& painter, const DeckScheme& scheme) {
  DrawBlankCard(painter, scheme.table.lighter(135), scheme.outline);
  painter.setPen(QPen(scheme.table.lighter(175), 1.0, Qt::DashLine));
  painter.drawRoundedRect(QRectF(6.5, 6.5, kWidth - 13, kHeight - 13), 6, 6);
}

// One picture of the card-set file, painted at one pixel per unit.
template <typename Paint>
QImage Picture(Paint paint) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  paint(painter);
  return image;
}

}  // namespace

void PaintCard(QPainter& painter, int cell, const DeckScheme& scheme) {
  painter.save();
  if (cell == kBackCell)
    PaintBack(painter, scheme);
  else
    PaintFace(painter, cell - kFirstFaceCell, scheme);
  painter.restore();
}

std::vector<QImage> PaintDeck(const DeckScheme& scheme) {
  std::vector<QImage> cells;
  const QImage foundation = Picture([&](QPainter& p) { PaintFoundationMarker(p, scheme); });
  cells.push_back(foundation);
  cells.push_back(Picture([&](QPainter& p) { PaintEmptyPlace(p, scheme); }));
  for (int cell = kBackCell; cell < kFirstFaceCell + 52; ++cell)
    cells.push_back(Picture([&](QPainter& p) { PaintCard(p, cell, scheme); }));
  cells.insert(cells.end(), 4, foundation);
  return cells;
}

}  // namespace cardset
