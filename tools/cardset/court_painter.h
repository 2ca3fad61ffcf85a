#pragma once
// The court cards' double-headed portraits.
#include <QPainter>

namespace cardset {

// Paints the framed portrait of a Jack (rank 10), Queen (11) or King (12) of `suit` into the
// frame area of an 88 x 130 card face.
void PaintCourtPortrait(QPainter& painter, int rank, int suit);

}  // namespace cardset
