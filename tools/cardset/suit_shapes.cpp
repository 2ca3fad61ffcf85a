#include "tools/cardset/suit_shapes.h"

#include <QTransform>

namespace cardset {

bool IsRed(int suit) { return suit == Diamonds || suit == Hearts; }

QColor SuitColour(int suit) { return IsRed(suit) ? QColor(200, 16, 32) : QColor(20, 20, 28); }

namespace {

QPainterPath Heart() {
  QPainterPath p;
  p.moveTo(0, 52);
  p.cubicTo(-12, 34, -50, 10, -50, -20);
  p.cubicTo(-50, -46, -14, -58, 0, -30);
  p.cubicTo(14, -58, 50, -46, 50, -20);
  p.cubicTo(50, 10, 12, 34, 0, 52);
  p.closeSubpath();
  return p;
}

QPainterPath Diamond() {
  QPainterPath p;
  p.moveTo(0, -55);
  p.quadTo(16, -22, 42, 0);
  p.quadTo(16, 22, 0, 55);
  p.quadTo(-16, 22, -42, 0);
  p.quadTo(-16, -22, 0, -55);
  p.closeSubpath();
  return p;
}

// A flared stem under spades and clubs.
void AddStem(QPainterPath& p) {
  QPainterPath stem;
  stem.moveTo(-5, 10);
  stem.quadTo(-4, 40, -20, 54);
  stem.lineTo(20, 54);
  stem.quadTo(4, 40, 5, 10);
  stem.closeSubpath();
  p = p.united(stem);
}

QPainterPath Spade() {
  QPainterPath p;
  p.moveTo(0, -56);
  p.cubicTo(12, -36, 50, -14, 50, 12);
  p.cubicTo(50, 38, 16, 44, 2, 24);
  p.lineTo(-2, 24);
  p.cubicTo(-16, 44, -50, 38, -50, 12);
  p.cubicTo(-50, -14, -12, -36, 0, -56);
  p.closeSubpath();
  AddStem(p);
  return p;
}

QPainterPath Club() {
  QPainterPath p;
  p.setFillRule(Qt::WindingFill);  // the overlapping lobes make one shape, not holes
  const double r = 23.5;
  p.addEllipse(QPointF(0, -27), r, r);
  p.addEllipse(QPointF(-26, 10), r, r);
  p.addEllipse(QPointF(26, 10), r, r);
  p.addEllipse(QPointF(0, 0), 16, 18);
  p = p.simplified();
  AddStem(p);
  return p;
}

}  // namespace

QPainterPath SuitPath(int suit) {
  // The shapes are built 100 units wide, where joining outlines keeps curves smooth.
  const QPainterPath shape = suit == Clubs      ? Club()
                             : suit == Diamonds ? Diamond()
                             : suit == Hearts   ? Heart()
                                                : Spade();
  return QTransform::fromScale(0.01, 0.01).map(shape);
}

void DrawSuit(QPainter& painter, int suit, QPointF centre, double size, QColor colour,
              bool upsideDown) {
  painter.save();
  painter.translate(centre);
  if (upsideDown) painter.rotate(180);
  painter.scale(size, size);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawPath(SuitPath(suit));
  painter.restore();
}

}  // namespace cardset
