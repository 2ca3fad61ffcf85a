#include "tools/cardset/index_glyphs.h"

#include <cstring>

namespace cardset {
namespace {

// Rows of each figure, '#' ink; "10" is drawn as "1", a gap and "0".
const char* const kGlyphs[13][kRankGlyphHeight] = {
    {".####.", "##..##", "##..##", "######", "##..##", "##..##"},                          // A
    {".####.", "##..##", "...##.", "..##..", ".##...", "######"},                          // 2
    {"#####.", "....##", "..###.", "....##", "....##", "#####."},                          // 3
    {"##.##.", "##.##.", "##.##.", "######", "...##.", "...##."},                          // 4
    {"######", "##....", "#####.", "....##", "....##", "#####."},                          // 5
    {".####.", "##....", "#####.", "##..##", "##..##", ".####."},                          // 6
    {"######", "....##", "...##.", "..##..", "..##..", "..##.."},                          // 7
    {".####.", "##..##", ".####.", "##..##", "##..##", ".####."},                          // 8
    {".####.", "##..##", "##..##", ".#####", "....##", ".####."},                          // 9
    {".##..####.", "###.##..##", ".##.##..##", ".##.##..##", ".##.##..##", ".##..####."},  // 10
    {"..####", "....##", "....##", "....##", "##..##", ".####."},                          // J
    {".####..", "##..##.", "##..##.", "##..##.", "##.##..", ".##.###"},                    // Q
    {"##..##", "##.##.", "####..", "####..", "##.##.", "##..##"},                          // K
};

}  // namespace

int RankGlyphWidth(int rank) { return int(std::strlen(kGlyphs[rank][0])); }

QPainterPath RankGlyphPath(int rank, QPoint at, QSize card, bool upsideDown) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  const int width = RankGlyphWidth(rank);
  for (int row = 0; row < kRankGlyphHeight; ++row)
    for (int column = 0; column < width; ++column) {
      if (kGlyphs[rank][row][column] != '#') continue;
      const int px = at.x() + column, py = at.y() + row;
      if (upsideDown)
        path.addRect(card.width() - 1 - px, card.height() - 1 - py, 1, 1);
      else
        path.addRect(px, py, 1, 1);
    }
  return path.simplified();
}

}  // namespace cardset
