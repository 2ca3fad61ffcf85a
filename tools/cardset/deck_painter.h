#pragma once
// Our own deck "Vessant", drawn with QPainter: every picture a card-set file can hold.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <vector>

namespace cardset {

// The colours a planar set carries for the table's alternative scheme: palette entry 0 the
// table, entry 1 the card outline, entry 2 the selection frame.
struct DeckScheme {
  QColor table{0, 92, 60};
  QColor outline{36, 36, 40};
  QColor select{255, 196, 0};
};

// Pictures for sheet cells 0..58 (88 x 130, Format_RGB32): 0 the foundation marker (the stand-in
// for all four in sets with fewer images), 1 the empty place for the scheme's table, 2 the card
// back, 3 + value the face of card value (rank * 4 + suit), 55..58 the markers of the empty
// foundations, the same picture as cell 0.
std::vector<QImage> PaintDeck(const DeckScheme& scheme = {});

inline constexpr int kBackCell = 2;
inline constexpr int kFirstFaceCell = 3;

// Paints the card back (cell 2) or the face of cell 3..54 in the card's own 88 x 130 units, on
// any device and at any scale the painter has: the pictures above, a larger raster or vectors.
void PaintCard(QPainter& painter, int cell, const DeckScheme& scheme = {});

}  // namespace cardset
