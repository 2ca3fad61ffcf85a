// Klondike: every press on the table either picks a card or run up or applies the pick-up to the
// place pressed (stock, waste, foundation or tableau column).
#include "game_engine.h"

namespace game {

namespace {
constexpr int kStockColumn = 0;
constexpr int kWasteColumn = 1;
constexpr int kGapColumn = 2;
constexpr int kFirstFoundationColumn = 3;

bool isAce(std::uint8_t card) { return card < 4; }
bool isKing(std::uint8_t card) { return card >= 48 && card <= 51; }
// A foundation takes an Ace when empty, else the next card of its suit.
bool fitsFoundation(std::uint8_t top, std::uint8_t card) {
  return isOccupied(top) ? top + 4 == card : isAce(card);
}
}  // namespace

// A refused press drops the pick-up and changes no pile.
void GameEngine::refuse() {
  playRefusal();
  eraseMark();
  t.selState = 0;
}

void GameEngine::klondikePress(int x, int y) {
  if (!insideKlondikeArea(x, y)) {
    refuse();
    return;
  }
  const Place p = hitPlace(x, y);
  if (p.column >= kColumns) {  // only the pixel line at the right end of the area
    refuse();
    return;
  }
  if (p.row <= t.bottomRow - 1) {
    tableauPress(p.column, p.row);
    return;
  }
  switch (p.column) {
    case kStockColumn: stockPress(); break;
    case kWasteColumn: wastePress(); break;
    case kGapColumn: refuse(); break;
    default: foundationPress(p.column - kFirstFoundationColumn); break;
  }
}

void GameEngine::stockPress() {
  if (t.selState != 0) {
    refuse();
    return;
  }
  if (t.stockCount >= 1) {
    t.turnCount = menu.level == 'A' ? 1 : 3;
    for (int i = 0; i < t.turnCount; ++i) {
      --t.stockCount;
      if (t.stockCount >= 0) t.waste[++t.wasteTop] = t.stock[t.stockCount];
    }
    if (t.stockCount < 1) invalidatePlace(kStockColumn, t.bottomRow);
    invalidatePlace(kWasteColumn, t.bottomRow);
  } else if (t.wasteTop >= 1) {
    if (menu.scoreMode == ScoreMode::Normal) t.score -= menu.level == 'A' ? 100 : 20;
    if (menu.scoreMode == ScoreMode::Vegas) ++t.vegasRedeals;
    showScore();
    if (t.vegasRedeals < 3) {  // in Vegas the stock is refilled twice per game
      t.stockCount = static_cast<std::int8_t>(t.wasteTop + 1);
      for (int i = 0; i < t.stockCount; ++i) t.stock[i] = t.waste[t.stockCount - 1 - i];
      t.wasteTop = -1;
      invalidatePlace(kWasteColumn, t.bottomRow);
      invalidatePlace(kStockColumn, t.bottomRow);
    }
  } else {
    refuse();
  }
}

void GameEngine::wastePress() {
  if (t.selState == 0) {
    if (t.wasteTop < 0) {
      refuse();
      return;
    }
    t.selCard = t.waste[t.wasteTop];
    t.selIsRun = 0;
    t.selState = 1;
    t.markCol = kWasteColumn;
    t.markRow = t.bottomRow;
    t.selRunLength = 1;
    drawMark();
    t.selPending = '1';
    return;
  }
  eraseMark();
  if (t.wasteTop >= 0 && t.selCard == t.waste[t.wasteTop]) {
    t.selPending = '0';
    t.selState = 2;
    // Dropping the waste card back on the waste sends nothing.
    if (!dragMode()) sendPickedCardToFoundation();
  } else {
    refuse();
  }
  t.selState = 0;
}

void GameEngine::foundationPress(int f) {
  if (t.selState == 0) {
    refuse();
    return;
  }
  eraseMark();
  if (t.selIsRun == 1) {
    refuse();
    return;
  }
  moveToFoundation(f);
}

void GameEngine::tableauPress(int column, int row) {
  row = findCardRow(column, row);
  if (t.selState == 0) pickUp(column, row);
  else if (t.tableau[column][row] == t.selCard) sameCardAgain();
  else layDown(column, row);
}

void GameEngine::pickUp(int column, int row) {
  const std::uint8_t card = t.tableau[column][row];
  if (!isOccupied(card)) {
    refuse();
    return;
  }
  const bool last = row == kRows - 1 || !isOccupied(t.tableau[column][row + 1]);
  const bool firstFaceUp = row == 0 || isFaceDown(t.tableau[column][row - 1]);
  if (isFaceDown(card)) {
    if (!last) {
      refuse();
      return;
    }
    t.tableau[column][row] = static_cast<std::uint8_t>(card - 64);
    invalidatePlace(column, row);
    return;
  }
  // At Hard a card with cards below it moves only as the whole face-up part of its column.
  if (!last && menu.level == 'C' && !firstFaceUp) {
    refuse();
    return;
  }
  t.selCol = column;
  t.selRow = row;
  t.selCard = card;
  t.selIsRun = last ? 0 : 1;
  t.markCol = column;
  t.markRow = row;
  t.selRunLength = last ? 1 : runLength(column, row);
  t.selPending = !last || firstFaceUp ? '1' : '0';
  drawMark();
  t.selState = 1;
}

int GameEngine::foundationFor(std::uint8_t card) const {
  for (int f = 0; f < 4; ++f)
    if (fitsFoundation(t.foundation[f], card)) return f;
  return -1;
}

// The second press on the picked card in click-select mode: send it home if it fits.
void GameEngine::sendPickedCardToFoundation() {
  const int f = foundationFor(t.selCard);
  if (f < 0 || t.selIsRun == 1) refuse();
  else moveToFoundation(f);
}

void GameEngine::sameCardAgain() {
  eraseMark();
  t.selPending = '0';
  t.selState = 2;
  if (dragMode()) {
    t.selState = 0;  // a card dropped on itself stays
    return;
  }
  sendPickedCardToFoundation();
}

void GameEngine::layDown(int column, int row) {
  eraseMark();
  if (row < kRows - 1 && isOccupied(t.tableau[column][row + 1])) {
    refuse();  // cards go only onto the last card of a column
    return;
  }
  if (menu.level == 'C' && t.selPending != '1') {
    refuse();
    return;
  }
  t.selPending = '0';
  const std::uint8_t target = t.tableau[column][row];
  const bool ontoCard = isOccupied(target);
  const std::uint8_t card = t.selCard;
  if (ontoCard) {
    const bool sameColour = (target & 3) + (card & 3) == 3;
    const bool oneRankHigher = (target & 252) - (card & 252) == 4;  // never for a face-down target
    const bool sameSuit = (target & 3) == (card & 3);
    if (sameColour || !oneRankHigher || sameSuit || isAce(card)) {
      refuse();
      return;
    }
  } else if (!isKing(card)) {
    refuse();
    return;
  }
  const int firstTargetRow = ontoCard ? row + 1 : 0;
  const bool fromWaste = t.selIsRun == 0 && t.wasteTop >= 0 && card == t.waste[t.wasteTop];
  const int count = fromWaste ? 1 : runLength(t.selCol, t.selRow);
  if (firstTargetRow + count > kRows) {  // cannot happen with legal columns; keeps writes in bounds
    refuse();
    return;
  }
  if (fromWaste) {
    addPoints(5, 0);
    --t.wasteTop;
    invalidatePlace(kWasteColumn, t.bottomRow);
    t.tableau[column][firstTargetRow] = card;
    invalidatePlace(column, firstTargetRow);
  } else {
    removeLaidCardsFromSource(ontoCard);
    for (int i = 0; i < count; ++i) {
      t.tableau[column][firstTargetRow + i] = t.tableau[t.selCol][t.selRow + i];
      t.tableau[t.selCol][t.selRow + i] = kEmpty;
      invalidatePlace(column, firstTargetRow + i);
    }
  }
  t.selIsRun = 0;
  t.selState = 0;
}

// Points and repaints of the column that a tableau card or run leaves; turns up the card above.
void GameEngine::removeLaidCardsFromSource(bool ontoCard) {
  if (t.selRow == 0) {
    if (ontoCard) addPoints(5, 0);  // the column is emptied
    invalidatePlace(t.selCol, 0);
    invalidateColumnFrom(t.selCol, 0);
    return;
  }
  std::uint8_t& above = t.tableau[t.selCol][t.selRow - 1];
  if (isFaceDown(above)) {
    const bool singleKingOntoEmpty = t.selIsRun == 0 && !ontoCard;
    addPoints(singleKingOntoEmpty ? 5 : 10, 0);
    above = static_cast<std::uint8_t>(above - 64);
  }
  invalidatePlace(t.selCol, t.selRow - 1);
  invalidateColumnFrom(t.selCol, t.selRow);
}

void GameEngine::moveToFoundation(int f) {
  if (f < 0 || f > 3 || t.selState == 0) return;
  const std::uint8_t card = t.selCard;
  if (!fitsFoundation(t.foundation[f], card)) {
    refuse();
    return;
  }
  addPoints(10, 5);
  if (t.wasteTop >= 0 && card == t.waste[t.wasteTop]) {
    --t.wasteTop;
    invalidatePlace(kWasteColumn, t.bottomRow);
  } else {
    if (t.selRow > 0) {
      std::uint8_t& above = t.tableau[t.selCol][t.selRow - 1];
      if (isFaceDown(above)) above = static_cast<std::uint8_t>(above - 64);
      invalidatePlace(t.selCol, t.selRow - 1);
      invalidateColumnFrom(t.selCol, t.selRow);
    } else {
      invalidatePlace(t.selCol, 0);
    }
    t.tableau[t.selCol][t.selRow] = kEmpty;
  }
  t.foundation[f] = card;
  invalidatePlace(f + kFirstFoundationColumn, t.bottomRow);
  bool allKings = true;
  for (std::uint8_t top : t.foundation) allKings = allKings && isKing(top);
  if (allKings) gameWon();
  eraseMark();
  t.selState = 0;
}

void GameEngine::cancelSelection() {
  if (t.dragHoldsCards) abortDrag();
  t.selState = 0;
  t.selPending = '0';
  eraseMark();
}

}  // namespace game
