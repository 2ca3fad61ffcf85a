#pragma once
// Painting of the table from the game model: card places from the card sheet, empty places,
// the Quatro target highlights, the selection frame, the hint frames and the dragged cards' image.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <memory>
#include <span>

#include "cards/card_set_decode.h"
#include "cards/scaled_sheet.h"
#include "cards/svg_deck.h"
#include "cards/table_colours.h"
#include "game/game_table.h"
#include "game/table_view.h"

class QPainter;

namespace cards {

// The card pictures of the table window.
struct CardArt {
  QImage sheet;          // 704 x 1040 (8 x 8 cells of 88 x 130), RGB32; null while none was built
  QImage emptyImage;     // 88 x 130: the card back (cell 2), whose outline frames an empty place
  int cardSetState = 0;  // 0 nothing loaded yet, 2 loaded at start-up, 1 loaded from the menu
  CardSetFormat format = CardSetFormat::Pc;
  std::uint32_t amigaTableColour = 0;
  std::uint32_t amigaSelectColour = 0;
  std::shared_ptr<const SvgDeck> vectors;  // an SVG deck: the cards are drawn anew per size

  // Takes a freshly loaded sheet (any format, or null; a sheet with transparency keeps it, so
  // that the table shows through round corners) and copies its card back into emptyImage.
  void takeSheet(const QImage& loaded);
  bool drawsCards() const { return cardSetState > 0 && !sheet.isNull(); }
};

// Sets the four corner pixels of all 64 sheet cells to `sheetCorner` and those of emptyImage to
// `tableColour`, so that the cards look rounded on the table.
void roundCardCorners(CardArt& art, std::uint32_t sheetCorner, std::uint32_t tableColour);

// An empty place: the card back's outline `outline` with its inside filled in `fill`.
void paintEmptyPlace(QPainter& p, QPoint at, const QImage& outline, const QColor& fill);

// A card drawn above the table at a point of its own (a card gliding to its place).
struct FloatingCard {
  int code;   // its sheet cell
  QPoint at;  // its top-left corner in table pixels
};

// Everything one paint of the table reads.
struct TableScene {
  const game::GameTable& table;
  bool klondike = true;
  const CardArt& art;
  TableColours colours;
  std::span<const QPoint> quatroTargets;   // (column, row) of the empty places to highlight
  const QImage* dragImage = nullptr;       // drawn while table.dragImageVisible
  std::span<const game::Rect> hintFrames;  // frames of a hinted move (paths as the selection's)
  // On a zoomed table: the cards at the painter's scale, and a drag image in device pixels.
  const ScaledSheet* scaled = nullptr;
  std::span<const FloatingCard> floating = {};  // over the cards, in this order
};

// A rectangle of the rules (right and bottom exclusive) as a QRect.
inline QRect toQRect(const game::Rect& r) {
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Paints the part `dirty` of the table: background, cards, highlights, frame, drag image.
// Places that do not touch `dirty` are skipped. `dirty` and the scene are in table pixels; the
// painter's transform maps them to the device.
void paintTable(QPainter& p, const QRegion& dirty, const TableScene& scene);

}  // namespace cards
