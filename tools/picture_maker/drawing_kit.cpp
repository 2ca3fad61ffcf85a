#include "tools/picture_maker/drawing_kit.h"

#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace {

QString suitSign(Suit suit) {
  static const char16_t signs[] = {u'\u2660', u'\u2665', u'\u2666', u'\u2663'};
  return QString(QChar(signs[static_cast<int>(suit)]));
}

QColor suitColour(Suit suit) {
  return suit == Suit::Hearts || suit == Suit::Diamonds ? QColor(200, 20, 30) : QColor(20, 20, 30);
}

}  // namespace

QFont pictureFont(const QString& family, double pixelSize, bool bold, bool italic) {
  QFont font(family);
  font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
  font.setBold(bold);
  font.setItalic(italic);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

void drawShadowedText(QPainter& painter, const QRectF& box, int alignment, const QString& text,
                      const QColor& colour, const QColor& shadow, double offset) {
  painter.setPen(shadow);
  painter.drawText(box.translated(offset, offset), alignment, text);
  painter.setPen(colour);
  painter.drawText(box, alignment, text);
}

void drawSuit(QPainter& painter, QPointF centre, double size, Suit suit, const QColor& colour) {
  painter.save();
  painter.setFont(pictureFont("DejaVu Sans", size));
  painter.setPen(colour.isValid() ? colour : suitColour(suit));
  const QRectF box(centre.x() - size, centre.y() - size, 2 * size, 2 * size);
  painter.drawText(box, Qt::AlignCenter, suitSign(suit));
  painter.restore();
}

void drawCard(QPainter& painter, const QRectF& card, double degrees, const QString& rank,
              Suit suit) {
  painter.save();
  painter.translate(card.center());
  painter.rotate(degrees);
  const QRectF face(-card.width() / 2, -card.height() / 2, card.width(), card.height());
  const double corner = card.width() * 0.09;
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 70));
  painter.drawRoundedRect(face.translated(2, 2), corner, corner);
  painter.setPen(QPen(QColor(90, 90, 100), 1));
  painter.setBrush(QColor(252, 250, 242));
  painter.drawRoundedRect(face, corner, corner);
  const double cornerText = card.width() * 0.24;
  painter.setFont(pictureFont("DejaVu Sans", cornerText, true));
  painter.setPen(suitColour(suit));
  const QRectF rankBox(face.left() + 2, face.top() + 1, cornerText * 1.2, cornerText * 1.1);
  painter.drawText(rankBox, Qt::AlignCenter, rank);
  drawSuit(painter, QPointF(rankBox.center().x(), rankBox.bottom() + cornerText * 0.45),
           cornerText * 0.8, suit);
  drawSuit(painter, face.center() + QPointF(0, card.height() * 0.04), card.width() * 0.55, suit);
  painter.restore();
}

void drawFirework(QPainter& painter, QPointF centre, double radius, const QColor& colour,
                  int rays) {
  painter.save();
  constexpr double kPi = 3.14159265358979323846;
  for (int ray = 0; ray < rays; ++ray) {
    const double angle = 2 * kPi * ray / rays + 0.3;
    const QPointF direction(std::cos(angle), std::sin(angle));
    for (int spark = 1; spark <= 5; ++spark) {
      const double distance = radius * (0.25 + 0.15 * spark);
      QColor sparkColour = colour;
      sparkColour.setAlphaF(1.0 - 0.15 * spark);
      painter.setPen(Qt::NoPen);
      painter.setBrush(sparkColour);
      const double dot = 2.4 - 0.3 * spark;
      painter.drawEllipse(centre + direction * distance, dot, dot);
    }
    QColor trail = colour;
    trail.setAlphaF(0.45);
    painter.setPen(QPen(trail, 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + direction * radius * 0.12, centre + direction * radius * 0.5);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 230));
  painter.drawEllipse(centre, 2.2, 2.2);
  painter.restore();
}

void fillGlow(QPainter& painter, const QRectF& area, const QColor& inner, const QColor& outer) {
  QRadialGradient glow(area.center(), std::hypot(area.width(), area.height()) / 2);
  glow.setColorAt(0, inner);
  glow.setColorAt(1, outer);
  painter.fillRect(area, glow);
}
