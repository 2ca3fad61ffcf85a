#pragma once
// The rank figures of the card index, drawn pixel by pixel: at six pixels high a hand-set
// glyph with two-pixel strokes reads where a scaled font blurs, and it stays crisp in the
// few colours of the planar sets.
#include <QColor>
#include <QImage>

namespace cardset {

inline constexpr int kRankGlyphHeight = 6;

// Width in pixels of the figure of `rank` (0 ace .. 12 king).
int RankGlyphWidth(int rank);

// Sets the pixels of the figure of `rank` with its top-left corner at (x, y), turned round
// about the card's centre when `upsideDown`.
void DrawRankGlyph(QImage& card, int rank, int x, int y, QColor colour, bool upsideDown);

}  // namespace cardset
