#include "tools/picture_maker/drawing_kit.h"
#include "tools/picture_maker/pictures.h"

QImage drawEndGame() {
  QImage image(300, 200, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  fillGlow(painter, image.rect(), QColor(20, 130, 70), QColor(4, 52, 30));

  drawFirework(painter, QPointF(42, 32), 32, QColor(255, 214, 90), 14);
  drawFirework(painter, QPointF(258, 30), 30, QColor(120, 200, 255), 12);
  drawFirework(painter, QPointF(150, 18), 18, QColor(255, 120, 170), 10);
  drawFirework(painter, QPointF(262, 148), 16, QColor(190, 255, 150), 9);

  // The four aces fanned out, as on a cleared table.
  const QRectF card(0, 0, 44, 62);
  const Suit suits[] = {Suit::Spades, Suit::Hearts, Suit::Clubs, Suit::Diamonds};
  for (int i = 0; i < 4; ++i)
    drawCard(painter, card.translated(30 + i * 24, 112 + (i == 1 || i == 2 ? -4 : 0)), -24 + i * 16,
             "A", suits[i]);

  painter.setFont(pictureFont("DejaVu Serif", 31, true, true));
  drawShadowedText(painter, QRectF(0, 48, 300, 50), Qt::AlignCenter, "Well played!",
                   QColor(255, 222, 110), QColor(0, 0, 0, 170), 2);
  painter.setFont(pictureFont("DejaVu Sans", 13));
  drawShadowedText(painter, QRectF(130, 100, 160, 22), Qt::AlignCenter, "You won the game!",
                   QColor(235, 245, 235), QColor(0, 0, 0, 140), 1);

  painter.setFont(pictureFont("DejaVu Sans", 9, false, true));
  drawShadowedText(painter, QRectF(170, 182, 124, 14), Qt::AlignRight | Qt::AlignVCenter,
                   "click to continue", QColor(210, 230, 210), QColor(0, 0, 0, 140), 1);
  return image;
}
