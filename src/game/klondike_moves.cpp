// Klondike: every press on the table either picks a card or run up or applies the pick-up to the
// place pressed (stock, waste, foundation or tableau column).
#include "game/game_engine.h"

namespace game {

namespace {

// A foundation takes an Ace when empty, else the next card of its suit.
bool fitsFoundation(Card top, Card card) {
  return top.occupied() ? top.code + 4 == card.code : card.ace();
}
}  // namespace

// A refused press drops the pick-up and changes no pile.
void GameEngine::refuse() {
  playRefusal();
  eraseMark();
  t_.selState = Selection::None;
}

void GameEngine::klondikePress(int x, int y) {
  if (insideKlondikeArea(x, y))
    klondikePress(hitPlace(x, y));
  else
    refuse();
}

void GameEngine::klondikePress(Place p) {
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
  row = t_.cardRowAtOrAbove(column, row);
  if (t_.selState == Selection::None)
    pickUp(column, row);
  else if (t_.tableau[column][row] == t_.selCard)
    sameCardAgain();
  else
    layDown(column, row);
}

void GameEngine::pickUp(int column, int row) {
  const std::uint8_t card = t_.tableau[column][row];
  if (!Card{card}.occupied()) {
    refuse();
    return;
  }
  const bool last = t_.isLastCard(column, row);
  const bool firstFaceUp = row == 0 || t_.card(column, row - 1).faceDown();
  if (Card{card}.faceDown()) {
    if (!last) {
      refuse();
      return;
    }
    t_.tableau[column][row] = Card{card}.turnedUp().code;
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
  t_.selRunLength = last ? 1 : t_.runLength(column, row);
  t_.selPending = !last || firstFaceUp;
  drawMark();
  t_.selState = Selection::PickedUp;
}

int GameEngine::foundationFor(std::uint8_t card) const {
  for (int f = 0; f < 4; ++f)
    if (fitsFoundation({t_.foundation[f]}, {card})) return f;
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
  if (!t_.isLastCard(column, row)) {
    refuse();  // cards go only onto the last card of a column
    return;
  }
  if (menu_.level == Level::Hard && !t_.selPending) {
    refuse();
    return;
  }
  t_.selPending = false;
  const Card target = t_.card(column, row);
  const bool ontoCard = target.occupied();
  const std::uint8_t card = t_.selCard;
  if (ontoCard) {
    if (!Card{card}.followsOn(target)) {  // never on a face-down target, whose rank is no card's
      refuse();
      return;
    }
  } else if (!Card{card}.king()) {
    refuse();
    return;
  }
  const int firstTargetRow = ontoCard ? row + 1 : 0;
  const bool fromWaste = t_.selIsRun == 0 && t_.wasteTop >= 0 && card == t_.waste[t_.wasteTop];
  const int count = fromWaste ? 1 : t_.runLength(t_.selCol, t_.selRow);
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
  if (Card{above}.faceDown()) {
    const bool singleKingOntoEmpty = t_.selIsRun == 0 && !ontoCard;
    addPoints(singleKingOntoEmpty ? 5 : 10, 0);
    above = Card{above}.turnedUp().code;
  }
  invalidatePlace(t_.selCol, t_.selRow - 1);
  invalidateColumnFrom(t_.selCol, t_.selRow);
}

void GameEngine::moveToFoundation(int f) {
  if (f < 0 || f > 3 || t_.selState == Selection::None) return;
  const std::uint8_t card = t_.selCard;
  if (!fitsFoundation({t_.foundation[f]}, {card})) {
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
      if (Card{above}.faceDown()) above = Card{above}.turnedUp().code;
      invalidatePlace(t_.selCol, t_.selRow - 1);
      invalidateColumnFrom(t_.selCol, t_.selRow);
    } else {
      invalidatePlace(t_.selCol, 0);
    }
    t_.tableau[t_.selCol][t_.selRow] = kEmpty;
  }
  t_.foundation[f] = card;
  invalidatePlace(f + kFirstFoundationColumn, t_.layout.bottomRow);
  if (t_.allKingsHome()) gameWon();
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
