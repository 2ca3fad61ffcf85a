#pragma once
// Loading a card-set file into Qt images: the card sheet the table draws from and the
// chooser's preview. The decoding itself is toolkit-free (card_set_decode.h).
#include <QFuture>
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <memory>

#include "cards/card_set_decode.h"
#include "cards/svg_deck.h"

namespace cards {

struct LoadedCardSet {
  QImage sheet;  // 704 x 1040, Format_RGB32 (premultiplied ARGB for an SVG deck); null when none
  std::shared_ptr<const SvgDeck> vectors;  // an SVG deck, drawn anew at every size
  CardSetFormat format = CardSetFormat::None;
  std::uint32_t amigaTableColour = 0;   // planar palette entry 0 as a colour value (red low)
  std::uint32_t amigaSelectColour = 0;  // planar palette entry 2
};

// Reads at most 1,400,000 bytes of the file and builds the sheet; cells the file does not fill
// are black. A file that cannot be read or has neither magic gives a null sheet. An SVG deck
// (*.svg, *.svgz) is drawn into the sheet at 88 x 130 and kept for other sizes; it counts as a
// PC set. Shows the wait cursor meanwhile when an application object exists.
LoadedCardSet loadCardSet(const QString& fileName);

// Loads an SVG deck as loadCardSet does, on a worker thread, and draws its sheet at `deviceCell`
// as well (the table's card in device pixels), so that a change of set never waits on the
// calling thread. Cancelling the future stops the work before the next card.
QFuture<LoadedCardSet> loadSvgDeckLater(const QString& fileName, QSize deviceCell);

// Reads at most 200,000 bytes and gives the 88 x 130 picture of sheet cell 3 (the face of card
// value 0), Format_RGB32, or a null image. An SVG deck is read whole and must have every card.
QImage loadCardPreview(const QString& fileName);

// The message for a file that gives no card pictures (missing, unreadable, no regular file, or
// with neither magic), naming the file.
QString NoCardPicturesText(const QString& fileName);

}  // namespace cards
