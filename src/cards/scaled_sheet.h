#pragma once
// The card pictures of a zoomed table, scaled smoothly to device pixels once per scale and card
// sheet (an SVG deck draws them at the device size), so that painting a zoomed card is a plain
// copy as it is at 100%.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <memory>

#include "cards/card_image.h"

class QPainter;

namespace cards {

struct CardArt;
class SvgDeck;

// A length of the table in device pixels at `factor` device pixels per table pixel.
inline int deviceLength(int length, qreal factor) { return qRound(length * factor); }

// The rectangle of cell c in a card sheet whose cells are `cell` large (the card's size unscaled).
QRect sheetCellRect(int c, QSize cell = {kCardWidth, kCardHeight});

class ScaledSheet {
 public:
  // Rebuilds the pictures when `factor`, the pictures of `art` or the inside colour of an empty
  // place changed since the last call. An SVG deck's cards come drawn at the device size once
  // the deck has them (SvgDeck::drawSheetLater); until then its 100% pictures are scaled.
  void prepare(const CardArt& art, std::uint32_t emptyPlaceColour, qreal factor);
  qreal factor() const { return factor_; }
  // True while an SVG deck's cards for this size are not drawn yet.
  bool waitsForDrawnCards() const { return vectors_ != nullptr && !drawn_; }
  QSize cellSize() const { return cell_; }

  // Draws sheet cell `code`, or an empty place (drawn whole before it is scaled, so that its
  // inside meets its outline), with its top-left corner at the table point `at`.
  void drawCell(QPainter& p, QPoint at, int code) const;
  void drawEmptyPlace(QPainter& p, QPoint at) const;

  // Copies `source` (device pixels of `image`) unscaled to the device pixel nearest to the table
  // point `at`.
  static void drawDevicePixels(QPainter& p, QPoint at, const QImage& image, const QRect& source);

 private:
  QImage sheet_, empty_;
  QSize cell_;
  qreal factor_ = 0;
  qint64 sheetKey_ = 0, emptyKey_ = 0;
  std::shared_ptr<const SvgDeck> vectors_;
  bool drawn_ = false;  // sheet_ holds the deck's cards drawn at the device size

  bool takeDrawnSheet();
  std::uint32_t emptyPlaceColour_ = 0;
};

}  // namespace cards
