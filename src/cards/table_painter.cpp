#include "cards/table_painter.h"

#include <QPainter>
#include <QPen>

namespace cards {
namespace {

QRgb rgbOf(std::uint32_t colour) { return toQColor(colour).rgb(); }

// The rectangle of place (column, row) in window pixels.
QRect placeRect(const game::GameTable& t, int column, int row) {
  return toQRect(t.layout.placeRect(column, row));
}

// Draws sheet cell `code` at a place (code 1: an empty place).
void drawCell(QPainter& p, const TableScene& s, const QRect& place, int code) {
  if (code == kCellEmptyPlace && !s.colours.amigaEmptyPlace) {
    if (s.scaled)
      s.scaled->drawEmptyPlace(p, place.topLeft());
    else
      paintEmptyPlace(p, place.topLeft(), s.art.emptyImage, toQColor(s.colours.emptyPlace));
    return;
  }
  if (s.scaled)
    s.scaled->drawCell(p, place.topLeft(), code);
  else
    p.drawImage(place.topLeft(), s.art.sheet, sheetCellRect(code));
}

void paintKlondikeCards(QPainter& p, const QRect& area, const TableScene& s) {
  const game::GameTable& t = s.table;
  auto draw = [&](int code, int column, int row) {
    const QRect place = placeRect(t, column, row);
    if (area.intersects(place)) drawCell(p, s, place, code);
  };
  // Row by row, so that every card of a column lies over the one above it.
  for (int row = 0; row < game::kRows; ++row) {
    for (int column = 0; column < game::kColumns; ++column) {
      const game::Card v = t.card(column, row);
      if (!v.occupied()) {
        if (row == 0) draw(kCellEmptyPlace, column, row);
      } else if (!v.faceDown()) {
        draw(faceCell(v), column, row);
      } else if (v.back()) {
        draw(kCellCardBack, column, row);
      }
    }
  }
  const int bottom = t.layout.bottomRow;
  draw(t.stockCount >= 1 ? kCellCardBack : kCellEmptyPlace, game::kStockColumn, bottom);
  draw(t.wasteTop < 0 ? kCellEmptyPlace : faceCell({t.waste[t.wasteTop]}), game::kWasteColumn,
       bottom);
  for (int k = 0; k < 4; ++k) {
    const std::uint8_t top = t.foundation[k];
    draw(top == game::kEmpty ? foundationMarkerCell(k) : faceCell({top}),
         game::kFirstFoundationColumn + k, bottom);
  }
}

void paintQuatroCards(QPainter& p, const QRect& area, const TableScene& s) {
  const game::GameTable& t = s.table;
  auto draw = [&](std::uint8_t v, game::Place at) {
    const QRect place = placeRect(t, at.column, at.row);
    if (area.intersects(place))
      drawCell(p, s, place, v == game::kEmpty ? kCellEmptyPlace : faceCell({v}));
  };
  draw(t.current, game::kQuatroCurrentCard);
  for (int row = 0; row < game::kQuatroGridSize; ++row)
    for (int g = 0; g < game::kQuatroGridSize; ++g)
      draw(t.grid[g][row], game::quatroGridPlace(g, row));
}

void paintQuatroHighlights(QPainter& p, const TableScene& s) {
  const QColor fill = toQColor(shiftedColour(s.colours.table, kHighlightShift));
  for (const QPoint& target : s.quatroTargets) {
    const QRect place = placeRect(s.table, target.x(), target.y());
    p.fillRect(place.adjusted(1, 1, -1, -1), fill);
  }
}

void paintSelectionFrame(QPainter& p, const TableScene& s) {
  // A closed path from the top-left corner through top-right, bottom-right and bottom-left.
  const game::Rect f = game::selectionFrame(s.table, s.klondike);
  const QPoint path[] = {
      {f.left, f.top}, {f.right, f.top}, {f.right, f.bottom}, {f.left, f.bottom}, {f.left, f.top}};
  p.setPen(QPen(toQColor(s.colours.selection), 2, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(path, 5);
}

// Solid where the selection frame is dotted, so that the two never look alike.
void paintHintFrames(QPainter& p, const TableScene& s) {
  p.setPen(QPen(toQColor(s.colours.selection), 2, Qt::SolidLine));
  p.setBrush(Qt::NoBrush);
  for (const game::Rect& f : s.hintFrames) {
    const QPoint path[] = {{f.left, f.top},
                           {f.right, f.top},
                           {f.right, f.bottom},
                           {f.left, f.bottom},
                           {f.left, f.top}};
    p.drawPolyline(path, 5);
  }
}

// The drag image holds the dragged cards from its top-left corner, in device pixels when zoomed.
void paintDragImage(QPainter& p, const TableScene& s, const QRect& image) {
  if (!s.scaled) {
    p.drawImage(image.topLeft(), *s.dragImage, image.translated(-image.topLeft()));
    return;
  }
  const qreal f = s.scaled->factor();
  ScaledSheet::drawDevicePixels(
      p, image.topLeft(), *s.dragImage,
      QRect(0, 0, deviceLength(image.width(), f), deviceLength(image.height(), f)));
}

// Paints `area` of the table: background, cards, highlights, frames, drag image.
void paintArea(QPainter& p, const QRect& area, const TableScene& s) {
  p.save();
  p.setClipRect(area, Qt::IntersectClip);
  p.fillRect(area, toQColor(s.colours.table));
  if (s.art.drawsCards()) {
    if (s.klondike)
      paintKlondikeCards(p, area, s);
    else
      paintQuatroCards(p, area, s);
    for (const FloatingCard& card : s.floating) {
      const QRect place(card.at, QSize(game::kCardWidth, game::kCardHeight));
      if (area.intersects(place)) drawCell(p, s, place, card.code);
    }
  }
  if (!s.klondike) paintQuatroHighlights(p, s);
  if (s.table.markVisible) {
    const game::Rect frame = game::selectionFrame(s.table, s.klondike);
    if (area.intersects(toQRect(game::selectionFrameArea(frame)))) paintSelectionFrame(p, s);
  }
  paintHintFrames(p, s);
  if (s.table.dragImageVisible && s.dragImage) {
    const QRect image(s.table.dragImageX, s.table.dragImageY, game::kCardWidth, s.table.dragHeight);
    if (area.intersects(image)) paintDragImage(p, s, image);
  }
  p.restore();
}

}  // namespace

void paintEmptyPlace(QPainter& p, QPoint at, const QImage& outline, const QColor& fill) {
  p.drawImage(at, outline);
  // Inside the outline, whose corners are rounded by a pixel.
  p.fillRect(at.x() + 1, at.y() + 2, game::kCardWidth - 2, game::kCardHeight - 4, fill);
  p.fillRect(at.x() + 2, at.y() + 1, game::kCardWidth - 4, game::kCardHeight - 2, fill);
}

void CardArt::takeSheet(const QImage& loaded) {
  sheet = loaded.isNull() ? QImage()
                          : loaded.convertToFormat(loaded.hasAlphaChannel()
                                                       ? QImage::Format_ARGB32_Premultiplied
                                                       : QImage::Format_RGB32);
  if (!sheet.isNull()) emptyImage = sheet.copy(sheetCellRect(kCellCardBack));
}

void roundCardCorners(CardArt& art, std::uint32_t sheetCorner, std::uint32_t tableColour) {
  if (!art.sheet.isNull()) {
    const QRgb k = rgbOf(sheetCorner);
    for (int c = 0; c < kSheetCells; ++c) {
      const QRect cell = sheetCellRect(c);
      if (!art.sheet.rect().contains(cell)) continue;
      art.sheet.setPixel(cell.left(), cell.top(), k);
      art.sheet.setPixel(cell.right(), cell.top(), k);
      art.sheet.setPixel(cell.left(), cell.bottom(), k);
      art.sheet.setPixel(cell.right(), cell.bottom(), k);
    }
  }
  if (art.emptyImage.width() >= game::kCardWidth && art.emptyImage.height() >= game::kCardHeight) {
    const QRgb k = rgbOf(tableColour);
    art.emptyImage.setPixel(0, 0, k);
    art.emptyImage.setPixel(game::kCardWidth - 1, 0, k);
    art.emptyImage.setPixel(game::kCardWidth - 1, game::kCardHeight - 1, k);
    art.emptyImage.setPixel(0, game::kCardHeight - 1, k);
  }
}

void paintTable(QPainter& p, const QRegion& dirty, const TableScene& s) {
  // One rectangle at a time: under a clip of one rectangle Qt copies the card pictures line by
  // line, where a clip of several takes a much slower path.
  for (const QRect& area : dirty) paintArea(p, area, s);
}

}  // namespace cards
