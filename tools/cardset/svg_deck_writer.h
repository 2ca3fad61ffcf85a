#pragma once
// Our deck as one SVG document in the free desktop card themes' naming, for players who draw
// cards at any size: the same painter as the card-set files, recorded as vectors.
#include <QByteArray>

#include "tools/cardset/deck_painter.h"

namespace cardset {

// The element id of sheet cell 2 ("back") or 3..54 ("1_club" .. "king_spade").
QByteArray SvgCardId(int cell);

// The deck: one group per card, named by SvgCardId, laid out 13 faces to a row with the back
// below, each 88 x 130 units.
QByteArray WriteSvgDeck(const DeckScheme& scheme = {});

}  // namespace cardset
