#pragma once
// The rank figures of the card index, drawn pixel by pixel: at six pixels high a hand-set
// glyph with two-pixel strokes reads where a scaled font blurs, and it stays crisp in the
// few colours of the planar sets.
#include <QPainterPath>

namespace cardset {

inline constexpr int kRankGlyphHeight = 6;

// Width in pixels of the figure of `rank` (0 ace .. 12 king).
int RankGlyphWidth(int rank);

// The pixels of the figure of `rank` as one path of unit squares, with its top-left corner at
// `at` on a card of `card` pixels, turned round about the card's centre when `upsideDown`.
// Filled at one pixel per unit it sets whole pixels; at any larger scale it stays sharp.
QPainterPath RankGlyphPath(int rank, QPoint at, QSize card, bool upsideDown);

}  // namespace cardset
