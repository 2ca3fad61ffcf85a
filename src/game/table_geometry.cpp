#include "game/table_geometry.h"

namespace game {

namespace {
// Width of the Klondike table area right of originX: seven columns, the last pixel line column 7.
constexpr int kKlondikeAreaWidth = kColumns * kColumnPitch;
constexpr int kFrameStripReach = 2;  // from a frame line to either edge of its repaint strip
constexpr int kQuatroRowStep = kCardHeight + 1;
}  // namespace

TableLayout klondikeLayout(int screenClass) {
  switch (screenClass) {
    case 1: return {6, 2, 8, 35};
    case 2: return {85, 5, 14, 27};
    default: return {5, 5, 15, 26};
  }
}

TableLayout quatroLayout(int screenClass) {
  if (screenClass < 2) return klondikeLayout(screenClass);
  return {screenClass == 2 ? 55 : 5, 5, kQuatroRowStep, klondikeLayout(screenClass).bottomRow};
}

Rect TableLayout::placeRect(int column, int row) const {
  const int left = originX + kColumnPitch * column;
  const int top = originY + rowStep * row;
  return {left, top, left + kCardWidth, top + kCardHeight};
}

Rect TableLayout::columnRect(int column, int fromRow) const {
  const Rect top = placeRect(column, fromRow);
  return {top.left, top.top, top.right, placeRect(column, kRows - 1).bottom};
}

bool TableLayout::insideKlondikeArea(int x, int y) const {
  return x >= originX && x <= originX + kKlondikeAreaWidth && y >= originY &&
         y <= originY + rowStep * bottomRow + kCardHeight;
}

Place TableLayout::hitPlace(int x, int y) const {
  return {(x - originX) / kColumnPitch, (y - originY) / rowStep};
}

Rect TableLayout::selectionFrame(Place top, int cards) const {
  const Rect place = placeRect(top.column, top.row);
  return {place.left - 1, place.top - 1, place.right + 1, place.top + runHeight(cards) + 1};
}

std::array<Rect, 4> selectionFrameStrips(const Rect& f) {
  constexpr int r = kFrameStripReach;
  return {{{f.left - r, f.top - r, f.left + r, f.bottom + r},
           {f.right - r, f.top - r, f.right + r, f.bottom + r},
           {f.left - r, f.top - r, f.right + r, f.top + r},
           {f.left - r, f.bottom - r, f.right + r, f.bottom + r}}};
}

Rect selectionFrameArea(const Rect& f) {
  constexpr int r = kFrameStripReach;
  return {f.left - r, f.top - r, f.right + r, f.bottom + r};
}

}  // namespace game
