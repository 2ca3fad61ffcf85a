#include "suit_shapes.h"

namespace cardset {

bool IsRed(int suit) { return suit == Diamonds || suit == Hearts; }

QColor SuitColour(int suit) { return IsRed(suit) ? QColor(200, 16, 32) : QColor(20, 20, 28); }

namespace {

QPainterPath Heart() {
  QPainterPath p;
  p.moveTo(0, 0.52);
  p.cubicTo(-0.12, 0.34, -0.5, 0.1, -0.5, -0.2);
  p.cubicTo(-0.5, -0.46, -0.14, -0.58, 0, -0.3);
  p.cubicTo(0.14, -0.58, 0.5, -0.46, 0.5, -0.2);
  p.cubicTo(0.5, 0.1, 0.12, 0.34, 0, 0.52);
  p.closeSubpath();
  return p;
}

QPainterPath Diamond() {
  QPainterPath p;
  p.moveTo(0, -0.55);
  p.quadTo(0.16, -0.22, 0.42, 0);
  p.quadTo(0.16, 0.22, 0, 0.55);
  p.quadTo(-0.16, 0.22, -0.42, 0);
  p.quadTo(-0.16, -0.22, 0, -0.55);
  p.closeSubpath();
  return p;
}

// A flared stem under spades and clubs.
void AddStem(QPainterPath& p) {
  QPainterPath stem;
  stem.moveTo(-0.05, 0.1);
  stem.quadTo(-0.04, 0.4, -0.2, 0.54);
  stem.lineTo(0.2, 0.54);
  stem.quadTo(0.04, 0.4, 0.05, 0.1);
  stem.closeSubpath();
  p = p.united(stem);
}

QPainterPath Spade() {
  QPainterPath p;
  p.moveTo(0, -0.56);
  p.cubicTo(0.12, -0.36, 0.5, -0.14, 0.5, 0.12);
  p.cubicTo(0.5, 0.38, 0.16, 0.44, 0.02, 0.24);
  p.lineTo(-0.02, 0.24);
  p.cubicTo(-0.16, 0.44, -0.5, 0.38, -0.5, 0.12);
  p.cubicTo(-0.5, -0.14, -0.12, -0.36, 0, -0.56);
  p.closeSubpath();
  AddStem(p);
  return p;
}

QPainterPath Club() {
  QPainterPath p;
  const double r = 0.235;
  p.addEllipse(QPointF(0, -0.27), r, r);
  p.addEllipse(QPointF(-0.26, 0.1), r, r);
  p.addEllipse(QPointF(0.26, 0.1), r, r);
  p.addEllipse(QPointF(0, 0.0), 0.14, 0.16);
  p = p.simplified();
  AddStem(p);
  return p;
}

}  // namespace

QPainterPath SuitPath(int suit) {
  switch (suit) {
    case Clubs: return Club();
    case Diamonds: return Diamond();
    case Hearts: return Heart();
    default: return Spade();
  }
}

}  // namespace cardset
