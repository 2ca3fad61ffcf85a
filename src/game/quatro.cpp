// Quatro: the current card is placed on a 4 x 4 grid (face cards on their border places); once the
// grid is full, pairs adding up to ten and single Tens are removed. Places below are named by
// screen column (see quatroGridPlace).
#include "game/game_engine.h"

namespace game {

namespace {
constexpr int kGridSize = kQuatroGridSize;
constexpr int kFirstGridColumn = kQuatroFirstGridColumn;
constexpr int kTen = 10;

enum class PlaceKind { Corner, TopBottomMiddle, LeftRightMiddle, Inner };

PlaceKind kindOf(int gridColumn, int row) {
  const bool edgeColumn = gridColumn == 0 || gridColumn == kGridSize - 1;
  const bool edgeRow = row == 0 || row == kGridSize - 1;
  if (edgeColumn && edgeRow) return PlaceKind::Corner;
  if (edgeRow) return PlaceKind::TopBottomMiddle;
  if (edgeColumn) return PlaceKind::LeftRightMiddle;
  return PlaceKind::Inner;
}

bool isNumberCard(std::uint8_t card) { return Card{card}.rank() < kJackRank; }
bool isFaceCard(std::uint8_t card) { return Card{card}.faceCard(); }

// The place kind that a face card belongs to: Jacks, Queens, Kings.
PlaceKind kindForFaceCard(std::uint8_t card) {
  switch (Card{card}.rank()) {
    case kJackRank: return PlaceKind::LeftRightMiddle;
    case kQueenRank: return PlaceKind::TopBottomMiddle;
    default: return PlaceKind::Corner;
  }
}
}  // namespace

int GameEngine::quatroTargets(int columns[4], int rows[4]) const {
  const std::uint8_t card = t_.current;
  if (!isFaceCard(card)) return 0;
  int count = 0;
  for (int g = 0; g < kGridSize; ++g)
    for (int r = 0; r < kGridSize; ++r)
      if (kindOf(g, r) == kindForFaceCard(card) && !Card{t_.grid[g][r]}.occupied()) {
        const Place place = quatroGridPlace(g, r);
        columns[count] = place.column;
        rows[count] = place.row;
        ++count;
      }
  return count;
}

void GameEngine::invalidateQuatroTargets() {
  int columns[4], rows[4];
  const int count = quatroTargets(columns, rows);
  for (int i = 0; i < count; ++i) invalidatePlace(columns[i], rows[i]);
}

bool GameEngine::quatroWon() const {
  for (int g = 0; g < kGridSize; ++g)
    for (int r = 0; r < kGridSize; ++r)
      if (kindOf(g, r) != PlaceKind::Inner && !isFaceCard(t_.grid[g][r])) return false;
  return true;
}

void GameEngine::quatroPress(int x, int y) { quatroPress(hitPlace(x, y)); }

void GameEngine::quatroPress(Place p) {
  const int g = p.column - kFirstGridColumn;
  if (g < 0 || g >= kGridSize || p.row < 0 || p.row >= kGridSize) {
    playRefusal();
  } else {
    const bool empty = !Card{t_.grid[g][p.row]}.occupied();
    if (empty) t_.pairMode = 0;
    const std::uint8_t card = t_.current;
    const bool allowed = isNumberCard(card) ||
                         (isFaceCard(card) && empty && kindOf(g, p.row) == kindForFaceCard(card));
    if (allowed && isFaceCard(card)) invalidateQuatroTargets();
    if (!allowed && t_.pairMode == 0) {
      playRefusal();
    } else if (empty) {
      placeQuatroCard(p.column, p.row);
    } else if (t_.pairMode == 0) {
      playRefusal();
    } else {
      pairPress(p.column, p.row);
    }
    if (t_.gridCount == kGridSize * kGridSize) t_.pairMode = 1;
  }
  if (quatroWon()) {
    view_.gameWon({std::nullopt, t_.seconds, false});
    t_.quatroOver = 1;
  }
}

void GameEngine::placeQuatroCard(int column, int row) {
  t_.selPending = false;
  eraseMark();  // a card chosen for a pair is dropped
  t_.grid[column - kFirstGridColumn][row] = t_.current;
  invalidatePlace(column, row);
  if (t_.deckTop >= 0) {
    t_.current = t_.deck[t_.deckTop];
    --t_.deckTop;
  } else {
    t_.current = kEmpty;  // the last card is placed
  }
  invalidatePlace(kQuatroCurrentCard.column, kQuatroCurrentCard.row);
  invalidateQuatroTargets();
  ++t_.gridCount;
}

void GameEngine::emptyGridPlace(int column, int row) {
  t_.grid[column - kFirstGridColumn][row] = kEmpty;
  invalidatePlace(column, row);
  --t_.gridCount;
}

void GameEngine::pairPress(int column, int row) {
  const std::uint8_t card = t_.grid[column - kFirstGridColumn][row];
  if (t_.selPending) {
    t_.selPending = false;
    eraseMark();
    const std::uint8_t chosen = t_.grid[t_.selCol - kFirstGridColumn][t_.selRow];
    const bool samePlace = column == t_.selCol && row == t_.selRow;
    if (samePlace || Card{chosen}.number() + Card{card}.number() != kTen) {
      playRefusal();
      return;
    }
    emptyGridPlace(t_.selCol, t_.selRow);
    emptyGridPlace(column, row);
    invalidateQuatroTargets();
    return;
  }
  t_.selCol = column;
  t_.selRow = row;
  if (Card{card}.number() == kTen) {
    emptyGridPlace(column, row);
    invalidateQuatroTargets();
    return;
  }
  t_.selPending = true;
  t_.markCol = column;
  t_.markRow = row;
  t_.selRunLength = 1;  // the frame is one card high
  drawMark();
}

}  // namespace game
