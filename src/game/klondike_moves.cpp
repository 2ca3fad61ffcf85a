// Klondike: every press on the table either picks a card or run up or applies the pick-up to the
// place pressed (stock, waste, foundation or tableau column).
#include "game/game_engine.h"

namespace game {

namespace {

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
  t_.selState = Selection::None;
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
  if (p.row <= t_.layout.bottomRow - 1) {
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
  if (t_.selState != Selection::None) {
    refuse();
    return;
  }
  if (t_.stockCount >= 1) {
    t_.turnCount = menu_.level == Level::Easy ? 1 : 3;
    for (int i = 0; i < t_.turnCount; ++i) {
      --t_.stockCount;
      if (t_.stockCount >= 0) t_.waste[++t_.wasteTop] = t_.stock[t_.stockCount];
    }
    if (t_.stockCount < 1) invalidatePlace(kStockColumn, t_.layout.bottomRow);
    invalidatePlace(kWasteColumn, t_.layout.bottomRow);
  } else if (t_.wasteTop >= 1) {
    if (menu_.scoreMode == ScoreMode::Normal) t_.score -= menu_.level == Level::Easy ? 100 : 20;
    if (menu_.scoreMode == ScoreMode::Vegas) ++t_.vegasRedeals;
    showScore();
    if (t_.vegasRedeals < 3) {  // in Vegas the stock is refilled twice per game
      t_.stockCount = static_cast<std::int8_t>(t_.wasteTop + 1);
      for (int i = 0; i < t_.stockCount; ++i) t_.stock[i] = t_.waste[t_.stockCount - 1 - i];
      t_.wasteTop = -1;
      invalidatePlace(kWasteColumn, t_.layout.bottomRow);
      invalidatePlace(kStockColumn, t_.layout.bottomRow);
    }
  } else {
    refuse();
  }
}

void GameEngine::wastePress() {
  if (t_.selState == Selection::None) {
    if (t_.wasteTop < 0) {
      refuse();
      return;
    }
    t_.selCard = t_.waste[t_.wasteTop];
    t_.selIsRun = 0;
    t_.selState = Selection::PickedUp;
    t_.markCol = kWasteColumn;
    t_.markRow = t_.layout.bottomRow;
    t_.selRunLength = 1;
    drawMark();
    t_.selPending = true;
    return;
  }
  eraseMark();
  if (t_.wasteTop >= 0 && t_.selCard == t_.waste[t_.wasteTop]) {
    t_.selPending = false;
    t_.selState = Selection::SeekingFoundation;
    // Dropping the waste card back on the waste sends nothing.
    if (!dragMode()) sendPickedCardToFoundation();
  } else {
    refuse();
  }
  t_.selState = Selection::None;
}

void GameEngine::foundationPress(int f) {
  if (t_.selState == Selection::None) {
    refuse();
    return;
  }
  eraseMark();
  if (t_.selIsRun == 1) {
    refuse();
    return;
  }
  moveToFoundation(f);
}

void GameEngine::tableauPress(int column, int row) {
  row = findCardRow(column, row);
  if (t_.selState == Selection::None)
    pickUp(column, row);
  else if (t_.tableau[column][row] == t_.selCard)
    sameCardAgain();
  else
    layDown(column, row);
}

void GameEngine::pickUp(int column, int row) {
  const std::uint8_t card = t_.tableau[column][row];
  if (!isOccupied(card)) {
    refuse();
    return;
  }
  const bool last = row == kRows - 1 || !isOccupied(t_.tableau[column][row + 1]);
  const bool firstFaceUp = row == 0 || isFaceDown(t_.tableau[column][row - 1]);
  if (isFaceDown(card)) {
    if (!last) {
      refuse();
      return;
    }
    t_.tableau[column][row] = static_cast<std::uint8_t>(card - kFaceDown);
    invalidatePlace(column, row);
    return;
  }
  // At Hard a card with cards below it moves only as the whole face-up part of its column.
  if (!last && menu_.level == Level::Hard && !firstFaceUp) {
    refuse();
    return;
  }
  t_.selCol = column;
  t_.selRow = row;
  t_.selCard = card;
  t_.selIsRun = last ? 0 : 1;
  t_.markCol = column;
  t_.markRow = row;
  t_.selRunLength = last ? 1 : runLength(column, row);
  t_.selPending = !last || firstFaceUp;
  drawMark();
  t_.selState = Selection::PickedUp;
}

int GameEngine::foundationFor(std::uint8_t card) const {
  for (int f = 0; f < 4; ++f)
    if (fitsFoundation(t_.foundation[f], card)) return f;
  return -1;
}

// The second press on the picked card in click-select mode: send it home if it fits.
void GameEngine::sendPickedCardToFoundation() {
  const int f = foundationFor(t_.selCard);
  if (f < 0 || t_.selIsRun == 1)
    refuse();
  else
    moveToFoundation(f);
}

void GameEngine::sameCardAgain() {
  eraseMark();
  t_.selPending = false;
  t_.selState = Selection::SeekingFoundation;
  if (dragMode()) {
    t_.selState = Selection::None;  // a card dropped on itself stays
    return;
  }
  sendPickedCardToFoundation();
}

void GameEngine::layDown(int column, int row) {
  eraseMark();
  if (row < kRows - 1 && isOccupied(t_.tableau[column][row + 1])) {
    refuse();  // cards go only onto the last card of a column
    return;
  }
  if (menu_.level == Level::Hard && !t_.selPending) {
    refuse();
    return;
  }
  t_.selPending = false;
  const std::uint8_t target = t_.tableau[column][row];
  const bool ontoCard = isOccupied(target);
  const std::uint8_t card = t_.selCard;
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
  const bool fromWaste = t_.selIsRun == 0 && t_.wasteTop >= 0 && card == t_.waste[t_.wasteTop];
  const int count = fromWaste ? 1 : runLength(t_.selCol, t_.selRow);
  if (firstTargetRow + count > kRows) {  // cannot happen with legal columns; keeps writes in bounds
    refuse();
    return;
  }
  if (fromWaste) {
    addPoints(5, 0);
    --t_.wasteTop;
    invalidatePlace(kWasteColumn, t_.layout.bottomRow);
    t_.tableau[column][firstTargetRow] = card;
    invalidatePlace(column, firstTargetRow);
  } else {
    removeLaidCardsFromSource(ontoCard);
    for (int i = 0; i < count; ++i) {
      t_.tableau[column][firstTargetRow + i] = t_.tableau[t_.selCol][t_.selRow + i];
      t_.tableau[t_.selCol][t_.selRow + i] = kEmpty;
      invalidatePlace(column, firstTargetRow + i);
    }
  }
  t_.selIsRun = 0;
  t_.selState = Selection::None;
}

// Points and repaints of the column that a tableau card or run leaves; turns up the card above.
void GameEngine::removeLaidCardsFromSource(bool ontoCard) {
  if (t_.selRow == 0) {
    if (ontoCard) addPoints(5, 0);  // the column is emptied
    invalidatePlace(t_.selCol, 0);
    invalidateColumnFrom(t_.selCol, 0);
    return;
  }
  std::uint8_t& above = t_.tableau[t_.selCol][t_.selRow - 1];
  if (isFaceDown(above)) {
    const bool singleKingOntoEmpty = t_.selIsRun == 0 && !ontoCard;
    addPoints(singleKingOntoEmpty ? 5 : 10, 0);
    above = static_cast<std::uint8_t>(above - kFaceDown);
  }
  invalidatePlace(t_.selCol, t_.selRow - 1);
  invalidateColumnFrom(t_.selCol, t_.selRow);
}

void GameEngine::moveToFoundation(int f) {
  if (f < 0 || f > 3 || t_.selState == Selection::None) return;
  const std::uint8_t card = t_.selCard;
  if (!fitsFoundation(t_.foundation[f], card)) {
    refuse();
    return;
  }
  addPoints(10, 5);
  if (t_.wasteTop >= 0 && card == t_.waste[t_.wasteTop]) {
    --t_.wasteTop;
    invalidatePlace(kWasteColumn, t_.layout.bottomRow);
  } else {
    if (t_.selRow > 0) {
      std::uint8_t& above = t_.tableau[t_.selCol][t_.selRow - 1];
      if (isFaceDown(above)) above = static_cast<std::uint8_t>(above - kFaceDown);
      invalidatePlace(t_.selCol, t_.selRow - 1);
      invalidateColumnFrom(t_.selCol, t_.selRow);
    } else {
      invalidatePlace(t_.selCol, 0);
    }
    t_.tableau[t_.selCol][t_.selRow] = kEmpty;
  }
  t_.foundation[f] = card;
  invalidatePlace(f + kFirstFoundationColumn, t_.layout.bottomRow);
  bool allKings = true;
  for (std::uint8_t top : t_.foundation) allKings = allKings && isKing(top);
  if (allKings) gameWon();
  eraseMark();
  t_.selState = Selection::None;
}

void GameEngine::cancelSelection() {
  if (t_.dragHoldsCards) abortDrag();
  t_.selState = Selection::None;
  t_.selPending = false;
  eraseMark();
}

}  // namespace game
