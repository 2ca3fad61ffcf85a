#include "cards/scaled_sheet.h"

#include <QPainter>

#include "cards/svg_deck.h"
#include "cards/table_painter.h"

namespace cards {
namespace {

QImage scaledCell(const QImage& cell, QSize size) {
  return cell.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

QRect sheetCellRect(int c, QSize cell) {
  const CellPosition at = cellPosition(c);
  return {QPoint(at.column * cell.width(), at.row * cell.height()), cell};
}

void ScaledSheet::prepare(const CardArt& art, std::uint32_t emptyPlaceColour, qreal factor) {
  if (factor == factor_ && art.sheet.cacheKey() == sheetKey_ && art.vectors == vectors_ &&
      art.emptyImage.cacheKey() == emptyKey_ && emptyPlaceColour == emptyPlaceColour_) {
    if (waitsForDrawnCards()) takeDrawnSheet();
    return;
  }
  factor_ = factor;
  sheetKey_ = art.sheet.cacheKey();
  vectors_ = art.vectors;
  emptyKey_ = art.emptyImage.cacheKey();
  emptyPlaceColour_ = emptyPlaceColour;
  cell_ = QSize(deviceLength(kCardWidth, factor), deviceLength(kCardHeight, factor));
  // Transparent around the outline's round corners, where an SVG deck's back has them.
  QImage emptyPlace(kCardWidth, kCardHeight, QImage::Format_ARGB32_Premultiplied);
  emptyPlace.fill(Qt::transparent);
  {
    QPainter p(&emptyPlace);
    paintEmptyPlace(p, QPoint(), art.emptyImage, toQColor(emptyPlaceColour));
  }
  empty_ = scaledCell(emptyPlace, cell_);
  drawn_ = false;
  if (art.vectors && takeDrawnSheet()) return;
  if (art.sheet.isNull()) {
    sheet_ = QImage();
    return;
  }
  // Cell by cell, so that no cell's edge takes colour from its neighbour.
  sheet_ = QImage(cell_.width() * kSheetColumns, cell_.height() * kSheetRows, QImage::Format_RGB32);
  sheet_.fill(Qt::black);
  QPainter p(&sheet_);
  for (int c = 0; c < kSheetCells; ++c) {
    const QRect source = sheetCellRect(c);
    if (!art.sheet.rect().contains(source)) continue;
    p.drawImage(sheetCellRect(c, cell_).topLeft(), scaledCell(art.sheet.copy(source), cell_));
  }
}

// The deck's cards drawn at the device size itself, so that every edge stays sharp.
bool ScaledSheet::takeDrawnSheet() {
  QImage drawn = vectors_->drawnSheet(cell_);
  drawn_ = !drawn.isNull();
  if (drawn_) sheet_ = std::move(drawn);
  return drawn_;
}

void ScaledSheet::drawCell(QPainter& p, QPoint at, int code) const {
  drawDevicePixels(p, at, sheet_, sheetCellRect(code, cell_));
}

void ScaledSheet::drawEmptyPlace(QPainter& p, QPoint at) const {
  drawDevicePixels(p, at, empty_, empty_.rect());
}

void ScaledSheet::drawDevicePixels(QPainter& p, QPoint at, const QImage& image,
                                   const QRect& source) {
  // A world transform that undoes the device's pixel ratio leaves one device pixel per unit; the
  // painter still adds the offset of a widget inside its window after it.
  const qreal ratio = p.device()->devicePixelRatio();
  const QPointF device = p.worldTransform().map(QPointF(at)) * ratio;
  p.save();
  p.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
  p.drawImage(QPoint(qRound(device.x()), qRound(device.y())), image, source);
  p.restore();
}

}  // namespace cards
