// Geometry of the table: place rectangles, hit testing and the invalidation of places.
#include <algorithm>

#include "game_engine.h"

namespace game {

namespace {
// Width of the Klondike table area right of originX (seven columns; the last pixel line is column 7).
constexpr int kKlondikeAreaWidth = 7 * kColumnPitch;
}  // namespace

void GameEngine::setScreenClass(int screenClass) {
  t.screenClass = static_cast<std::uint8_t>(std::clamp(screenClass, 1, 3));
  applyLayout();
}

void GameEngine::applyLayout() {
  if (menu.ruleSet == RuleSet::Quatro && t.screenClass >= 2) {
    t.originX = t.screenClass == 2 ? 55 : 5;
    t.originY = 5;
    t.rowStep = kCardHeight + 1;
    return;
  }
  switch (t.screenClass) {
    case 1: t.originX = 6, t.originY = 2, t.rowStep = 8, t.bottomRow = 35; break;
    case 2: t.originX = 85, t.originY = 5, t.rowStep = 14, t.bottomRow = 27; break;
    default: t.originX = 5, t.originY = 5, t.rowStep = 15, t.bottomRow = 26; break;
  }
}

Rect GameEngine::placeRect(int column, int row) const {
  const int left = t.originX + kColumnPitch * column;
  const int top = t.originY + t.rowStep * row;
  return {left, top, left + kCardWidth, top + kCardHeight};
}

bool GameEngine::insideKlondikeArea(int x, int y) const {
  return x >= t.originX && x <= t.originX + kKlondikeAreaWidth && y >= t.originY &&
         y <= t.originY + t.rowStep * t.bottomRow + kCardHeight;
}

Place GameEngine::hitPlace(int x, int y) const {
  return {(x - t.originX) / kColumnPitch, (y - t.originY) / t.rowStep};
}

int GameEngine::findCardRow(int column, int row) const {
  row = std::clamp(row, 0, kRows - 1);
  while (row > 0 && !isOccupied(t.tableau[column][row])) --row;
  return row;
}

int GameEngine::runLength(int column, int row) const {
  int end = row;
  while (end < kRows && isOccupied(t.tableau[column][end])) ++end;
  return end - row;
}

void GameEngine::invalidatePlace(int column, int row) { view_.invalidate(placeRect(column, row), true); }

void GameEngine::invalidateColumnFrom(int column, int row) {
  // Down to the bottom of the last possible row, so that no card removed from the end stays visible.
  const Rect top = placeRect(column, row);
  view_.invalidate({top.left, top.top, top.right, placeRect(column, kRows - 1).bottom}, true);
}

}  // namespace game
