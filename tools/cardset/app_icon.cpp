#include "tools/cardset/app_icon.h"

#include <QPainter>
#include <QPainterPath>

#include "tools/cardset/suit_shapes.h"

namespace cardset {

namespace {

// A card 100 x 140 units centred on (0, 0) with one large pip; `tilt` turns it about its foot.
void DrawCard(QPainter& painter, QPointF foot, double tilt, int suit, double outline) {
  painter.save();
  painter.translate(foot);
  painter.rotate(tilt);
  painter.translate(0, -70);
  painter.setPen(QPen(QColor(40, 40, 48), outline));
  painter.setBrush(QColor(250, 248, 240));
  painter.drawRoundedRect(QRectF(-50, -70, 100, 140), 10, 10);
  DrawSuit(painter, suit, QPointF(0, 0), 62, SuitColour(suit));
  painter.restore();
}

}  // namespace

QImage DrawAppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 256.0, size / 256.0);  // drawn in a 256-unit square
  // Small icons get thicker outlines, so that the cards still stand apart from the table.
  const double outline = size < 48 ? 8 : 4;
  painter.setPen(QPen(QColor(10, 70, 30), outline));
  painter.setBrush(QColor(24, 128, 56));
  painter.drawRoundedRect(QRectF(8, 8, 240, 240), 36, 36);
  DrawCard(painter, QPointF(112, 222), -16, Hearts, outline);
  DrawCard(painter, QPointF(150, 226), 14, Spades, outline);
  return image;
}

}  // namespace cardset
