#include <QLinearGradient>
#include <QPainterPath>

#include "tools/picture_maker/drawing_kit.h"
#include "tools/picture_maker/pictures.h"

QImage drawAboutLogo() {
  QImage image(169, 130, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  fillGlow(painter, image.rect(), QColor(40, 70, 140), QColor(12, 20, 52));

  const QRectF card(0, 0, 40, 56);
  drawCard(painter, card.translated(38, 16), -18, "J", Suit::Diamonds);
  drawCard(painter, card.translated(91, 16), 18, "Q", Suit::Spades);
  drawCard(painter, card.translated(64, 8), 0, "K", Suit::Hearts);

  painter.setFont(pictureFont("DejaVu Serif", 27, true, true));
  drawShadowedText(painter, QRectF(0, 70, 169, 36), Qt::AlignCenter, "Klondike",
                   QColor(246, 214, 120), QColor(0, 0, 0, 180), 2);
  painter.setPen(QPen(QColor(246, 214, 120, 160), 1));
  painter.drawLine(QPointF(22, 107.5), QPointF(147, 107.5));
  painter.setFont(pictureFont("DejaVu Sans", 10));
  drawShadowedText(painter, QRectF(0, 109, 169, 16), Qt::AlignCenter, "S O L I T A I R E",
                   QColor(210, 222, 250), QColor(0, 0, 0, 150), 1);
  return image;
}

namespace {

struct Look {
  QColor backdrop, skin, hair, clothes, accent;
};

// Head and shoulders common to both characters, in a friendly cartoon style.
void drawFigure(QPainter& painter, const Look& look) {
  QLinearGradient backdrop(0, 0, 0, 120);
  backdrop.setColorAt(0, look.backdrop.lighter(125));
  backdrop.setColorAt(1, look.backdrop);
  painter.fillRect(QRect(0, 0, 100, 120), backdrop);

  painter.setPen(QPen(look.clothes.darker(150), 1.2));
  painter.setBrush(look.clothes);
  painter.drawRoundedRect(QRectF(12, 92, 76, 50), 22, 22);
  painter.setPen(Qt::NoPen);
  painter.setBrush(look.skin.darker(112));
  painter.drawRect(QRectF(42, 78, 16, 18));  // neck

  painter.setPen(QPen(look.skin.darker(140), 1));
  painter.setBrush(look.skin);
  painter.drawEllipse(QPointF(27, 56), 5, 7);  // ears
  painter.drawEllipse(QPointF(73, 56), 5, 7);
  painter.drawEllipse(QRectF(27, 30, 46, 54));  // face

  for (double x : {40.0, 60.0}) {
    painter.setPen(QPen(QColor(60, 50, 50), 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(x, 54), 4.5, 3.6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(50, 70, 110));
    painter.drawEllipse(QPointF(x + 0.6, 54.3), 2.2, 2.2);
  }
  painter.setPen(QPen(look.hair.darker(120), 1.8, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(35, 47), QPointF(45, 46));
  painter.drawLine(QPointF(55, 46), QPointF(65, 47));
  painter.setPen(QPen(look.skin.darker(150), 1.4, Qt::SolidLine, Qt::RoundCap));
  painter.drawArc(QRectF(46, 55, 8, 10), 200 * 16, 140 * 16);  // nose
  painter.setPen(QPen(QColor(150, 60, 60), 2, Qt::SolidLine, Qt::RoundCap));
  painter.drawArc(QRectF(40, 60, 20, 12), 200 * 16, 140 * 16);  // smile
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(235, 120, 120, 70));
  painter.drawEllipse(QPointF(35, 64), 4, 3);  // cheeks
  painter.drawEllipse(QPointF(65, 64), 4, 3);
}

void drawDealer(QPainter& painter) {
  const Look look{QColor(70, 120, 90), QColor(240, 200, 165), QColor(90, 60, 40),
                  QColor(245, 245, 240), QColor(40, 150, 80)};
  drawFigure(painter, look);
  // Short hair and a green dealer's visor.
  QPainterPath hair;
  hair.moveTo(27, 52);
  hair.cubicTo(24, 26, 76, 26, 73, 52);
  hair.cubicTo(68, 38, 34, 38, 27, 52);
  painter.setPen(Qt::NoPen);
  painter.setBrush(look.hair);
  painter.drawPath(hair);
  painter.setBrush(QColor(40, 160, 90, 210));
  painter.setPen(QPen(QColor(20, 90, 50), 1));
  painter.drawChord(QRectF(18, 30, 64, 26), 0, 180 * 16);
  painter.setBrush(QColor(20, 90, 50));
  painter.drawRect(QRectF(24, 41, 52, 3));
  // Waistcoat and bow tie.
  painter.setBrush(QColor(120, 30, 40));
  painter.setPen(Qt::NoPen);
  painter.drawPolygon(
      QPolygonF({QPointF(14, 104), QPointF(40, 96), QPointF(50, 120), QPointF(14, 120)}));
  painter.drawPolygon(
      QPolygonF({QPointF(86, 104), QPointF(60, 96), QPointF(50, 120), QPointF(86, 120)}));
  painter.setBrush(QColor(20, 20, 30));
  painter.drawPolygon(QPolygonF({QPointF(40, 89), QPointF(50, 94), QPointF(40, 99)}));
  painter.drawPolygon(QPolygonF({QPointF(60, 89), QPointF(50, 94), QPointF(60, 99)}));
  painter.drawEllipse(QPointF(50, 94), 2.5, 2.5);
}

void drawGambler(QPainter& painter) {
  const Look look{QColor(120, 80, 130), QColor(205, 150, 115), QColor(200, 90, 40),
                  QColor(70, 90, 160), QColor(230, 190, 70)};
  drawFigure(painter, look);
  // Curly red hair, a round hat with a band and a card tucked into it.
  painter.setPen(Qt::NoPen);
  painter.setBrush(look.hair);
  for (double x = 27; x <= 73; x += 9)
    painter.drawEllipse(QPointF(x, 44 + (x == 27 || x > 70 ? 10 : 0)), 7, 7);
  painter.setPen(QPen(QColor(40, 30, 30), 1));
  painter.setBrush(QColor(70, 55, 45));
  painter.drawEllipse(QRectF(12, 34, 76, 14));  // brim
  painter.drawRoundedRect(QRectF(28, 10, 44, 32), 10, 10);
  painter.setBrush(look.accent);
  painter.drawRect(QRectF(28, 30, 44, 6));
  drawCard(painter, QRectF(58, 12, 14, 20), 14, "", Suit::Hearts);
  // Collar and a star pin.
  painter.setBrush(look.clothes.lighter(130));
  painter.setPen(Qt::NoPen);
  painter.drawPolygon(QPolygonF({QPointF(36, 92), QPointF(50, 104), QPointF(42, 110)}));
  painter.drawPolygon(QPolygonF({QPointF(64, 92), QPointF(50, 104), QPointF(58, 110)}));
  drawSuit(painter, QPointF(70, 108), 9, Suit::Clubs, look.accent);
}

}  // namespace

QImage drawPortrait(Character who) {
  QImage image(100, 120, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  if (who == Character::Dealer)
    drawDealer(painter);
  else
    drawGambler(painter);
  painter.setPen(QPen(QColor(30, 30, 40), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(1, 1, 98, 118));
  return image;
}
