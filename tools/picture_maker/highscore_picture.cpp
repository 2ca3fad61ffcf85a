#include <QLinearGradient>
#include <array>

#include "results/highscore_layout.h"
#include "tools/picture_maker/drawing_kit.h"
#include "tools/picture_maker/pictures.h"

namespace {

void drawBar(QPainter& painter, int labelLine, const QColor& colour) {
  const QRectF bar(40.5, labelLine - 6.5, 262, 27);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 90));
  painter.drawRoundedRect(bar.translated(2, 2), 6, 6);
  QLinearGradient shade(bar.topLeft(), bar.bottomLeft());
  shade.setColorAt(0, colour.lighter(112));
  shade.setColorAt(0.5, colour);
  shade.setColorAt(1, colour.darker(112));
  painter.setBrush(shade);
  painter.setPen(QPen(colour.darker(170), 1.4));
  painter.drawRoundedRect(bar, 6, 6);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(255, 255, 255, 110), 1));
  painter.drawRoundedRect(bar.adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
}

}  // namespace

QImage drawHighscoreBackground() {
  QImage image(351, 451, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient night(0, 0, 0, image.height());
  night.setColorAt(0, QColor(34, 46, 82));
  night.setColorAt(1, QColor(58, 36, 56));
  painter.fillRect(image.rect(), night);

  // A faint lattice of suit signs behind everything.
  for (int row = 0; row < 12; ++row)
    for (int column = 0; column < 9; ++column)
      drawSuit(painter, QPointF(column * 42 + (row % 2) * 21 + 6, row * 40 + 20), 10,
               static_cast<Suit>((row + column) % 4), QColor(255, 255, 255, 16));

  // Heading band.
  const QRectF band(12.5, 8.5, 326, 40);
  painter.setPen(QPen(QColor(214, 180, 96), 1.5));
  QLinearGradient gold(band.topLeft(), band.bottomLeft());
  gold.setColorAt(0, QColor(70, 58, 40));
  gold.setColorAt(1, QColor(40, 32, 26));
  painter.setBrush(gold);
  painter.drawRoundedRect(band, 8, 8);
  painter.setFont(pictureFont("DejaVu Serif", 24, true, true));
  drawShadowedText(painter, band, Qt::AlignCenter, "Highscore list", QColor(240, 208, 120),
                   QColor(0, 0, 0, 160));
  drawSuit(painter, QPointF(33, 28.5), 16, Suit::Spades, QColor(240, 208, 120));
  drawSuit(painter, QPointF(318, 28.5), 16, Suit::Hearts, QColor(240, 208, 120));

  // Each bar is centred on its place's text line, its name box starting a little higher.
  for (int place = 0; place < results::kHighscoreRows; ++place)
    drawBar(painter, results::kHighscoreLineY[place], results::highscoreRowColour(place));

  // Gold, silver and bronze rosettes beside the first three places.
  const std::array<QColor, 3> medals = {QColor(232, 196, 80), QColor(200, 204, 212),
                                        QColor(196, 128, 72)};
  for (int place = 0; place < 3; ++place) {
    const QPointF centre(322, results::kHighscoreLineY[place] + 7);
    painter.setPen(QPen(medals[place].darker(150), 1.2));
    painter.setBrush(medals[place]);
    painter.drawEllipse(centre, 9, 9);
    painter.setFont(pictureFont("DejaVu Sans", 10, true));
    painter.setPen(medals[place].darker(220));
    painter.drawText(QRectF(centre.x() - 9, centre.y() - 9, 18, 18), Qt::AlignCenter,
                     QString::number(place + 1));
  }
  return image;
}
