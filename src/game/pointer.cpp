// The pointer handlers of both Klondike modes and of Quatro, the selection frame, the drag of cards
// and the refusal cue. Nothing is drawn here: the frame and the drag image are state that the
// window's paint handler shows, and every change invalidates the rectangles it touches.
#include <algorithm>

#include "game_engine.h"

namespace game {

namespace {
// A press more than this far below the top of the picked card lies below the card: no drag.
constexpr int kGrabbableHeight = 127;
}  // namespace

bool GameEngine::dragMode() const { return menu.dragDrop && menu.ruleSet == RuleSet::Klondike; }

void GameEngine::playRefusal() {
  if (!menu.soundOn) return;
  if (dragMode() && t.soundPlayed == 1) return;  // once per press while dragging
  view_.playRefusalSound();
  t.soundPlayed = 1;
}

// --- selection frame ---

// The four strips that hold the frame around the marked card or run: 2-pixel outline from one
// pixel outside the card to one pixel below its bottom.
void GameEngine::invalidateMarkStrips() {
  const Rect place = placeRect(t.markedCol, t.markedRow);
  const int x = place.left, y = place.top;
  const int frameHeight = selectionFrameHeight(t, menu.ruleSet == RuleSet::Klondike);
  const int bottom = y + frameHeight + 2;
  view_.invalidate({x - 2, y - 2, x + 2, bottom}, true);
  view_.invalidate({x + 87, y - 2, x + 91, bottom}, true);
  view_.invalidate({x - 2, y - 2, x + 90, y + 2}, true);
  view_.invalidate({x - 2, y + frameHeight - 2, x + 90, bottom}, true);
}

void GameEngine::drawMark() {
  t.markedCol = t.markCol;
  t.markedRow = t.markRow;
  t.markedCount = t.selRunLength;
  if (dragMode()) {
    if (t.pointerY <= placeRect(t.markCol, t.markRow).top + kGrabbableHeight) t.dragging = 1;
    else playRefusal();  // pressed below the last card of the column
    return;
  }
  t.markVisible = true;
  invalidateMarkStrips();
}

void GameEngine::eraseMark() {
  if (t.markVisible) {
    t.markVisible = false;
    invalidateMarkStrips();
  }
  if (dragMode()) t.dragging = 0;
}

// --- drag 'n drop ---

Rect GameEngine::dragSourceRect() const {
  const Rect place = placeRect(t.markedCol, t.markedRow);
  return {place.left, place.top, place.right, place.top + t.dragHeight};
}

Rect GameEngine::dragImageRect() const {
  return {t.dragImageX, t.dragImageY, t.dragImageX + kCardWidth, t.dragImageY + t.dragHeight};
}

void GameEngine::beginDrag() {
  t.dragHeight = (t.markedCount - 1) * t.rowStep + kCardHeight;
  const Rect source = dragSourceRect();
  view_.grabDragImage(source);  // while the cards still lie in the model
  if (t.markedRow >= t.bottomRow) {
    t.dragFromTableau = 0;
    --t.wasteTop;
  } else {
    t.dragFromTableau = 1;
    std::copy(std::begin(t.tableau[t.markedCol]), std::end(t.tableau[t.markedCol]), t.dragBackup);
    std::fill(&t.tableau[t.markedCol][t.markedRow], std::end(t.tableau[t.markedCol]), kEmpty);
  }
  t.dragHoldsCards = true;
  t.grabDX = t.pointerX - source.left;
  t.grabDY = t.pointerY - source.top;
  // The image starts where the cards lay, so the table looks unchanged until the pointer moves.
  t.dragImageX = source.left;
  t.dragImageY = source.top;
  t.dragImageVisible = true;
  t.pointerOutside = 0;
}

void GameEngine::restoreDragCards() {
  if (!t.dragHoldsCards) return;
  if (t.dragFromTableau == 1)
    std::copy(std::begin(t.dragBackup), std::end(t.dragBackup), t.tableau[t.markedCol]);
  else ++t.wasteTop;
  t.dragHoldsCards = false;
}

// Ends a drag that is interrupted (new press, menu command): the cards go back where they were.
void GameEngine::abortDrag() {
  t.dragImageVisible = false;
  view_.invalidate(dragImageRect(), true);
  restoreDragCards();
  view_.invalidate(dragSourceRect(), true);
  t.dragging = 0;
}

void GameEngine::moveDragImage(int x, int y) {
  const Rect old = dragImageRect();
  const int left = x - t.grabDX, top = y - t.grabDY;
  // The bands of the old image that the new one no longer covers.
  const Rect horizontal = left > old.left ? Rect{old.left, old.top, left, old.bottom}
                                          : Rect{left + kCardWidth, old.top, old.right, old.bottom};
  const Rect vertical = top > old.top ? Rect{old.left, old.top, old.right, top}
                                      : Rect{old.left, top + t.dragHeight, old.right, old.bottom};
  for (const Rect& band : {horizontal, vertical})
    if (band.left < band.right && band.top < band.bottom) view_.invalidate(band, true);
  t.pointerX = x;
  t.pointerY = y;
  t.dragImageX = left;
  t.dragImageY = top;
  t.dragImageVisible = true;
  view_.invalidate(dragImageRect(), false);
  view_.repaintNow();
}

// The image that was left at the border when the pointer went outside.
void GameEngine::eraseImageAtOutsidePlace() {
  const int left = std::max(0, t.outsideX - t.grabDX), top = std::max(0, t.outsideY - t.grabDY);
  view_.invalidate({left, top, t.outsideX - t.grabDX + kCardWidth, t.outsideY - t.grabDY + t.dragHeight},
                   true);
  t.dragImageVisible = false;
  view_.repaintNow();
  t.pointerOutside = 0;
}

void GameEngine::releaseDrag(int x, int y) {
  t.dragImageVisible = false;
  view_.invalidate(dragImageRect(), true);
  restoreDragCards();  // the drop is judged on the complete table
  t.pointerX = x;
  t.pointerY = y;
  if (insideKlondikeArea(x, y)) {
    klondikePress(x, y);
  } else {
    if (t.pointerOutside == 1) eraseImageAtOutsidePlace();
    playRefusal();
  }
  t.dragging = 0;
  view_.invalidate(dragSourceRect(), false);
  view_.repaintNow();
  cancelSelection();
}

// --- the three handlers ---

void GameEngine::mouseDown(MouseButton button, int x, int y) {
  if (button == MouseButton::Other) return;
  if (button == MouseButton::Right && dragMode()) return;  // the right button has no use while dragging
  // A left press while cards are still dragged means the release got lost: put them back first.
  if (t.dragHoldsCards) cancelSelection();
  t.pointerX = x;
  t.pointerY = y;
  if (button == MouseButton::Right) {
    if (!cardSetPresent) {
      playRefusal();
    } else if (menu.ruleSet == RuleSet::Quatro) {
      t.selPending = '0';
      eraseMark();
    } else if (insideKlondikeArea(x, y)) {
      cancelSelection();
    } else {
      playRefusal();
    }
    return;
  }
  t.soundPlayed = 0;
  if (!cardSetPresent) {
    playRefusal();
  } else if (menu.ruleSet == RuleSet::Quatro) {
    if (t.quatroOver == 0) quatroPress(x, y);
  } else if (!insideKlondikeArea(x, y)) {
    playRefusal();
  } else {
    if (menu.timed && menu.scoreMode == ScoreMode::Normal) startClock();
    t.dragging = 0;
    klondikePress(x, y);
    if (t.dragging == 1 && t.selState == 1) beginDrag();
  }
}

void GameEngine::mouseMove(bool leftHeld, bool insideClient, int x, int y) {
  if (!t.dragHoldsCards) return;
  if (insideClient) {
    if (t.pointerOutside == 1) eraseImageAtOutsidePlace();
    if (leftHeld) moveDragImage(x, y);
    return;
  }
  if (t.pointerOutside == 0) {
    t.pointerOutside = 1;
    t.outsideX = t.pointerX;
    t.outsideY = t.pointerY;
  }
  t.pointerX = x;
  t.pointerY = y;
}

void GameEngine::mouseUp(MouseButton button, int x, int y) {
  if (button != MouseButton::Left || menu.ruleSet != RuleSet::Klondike) return;
  if (t.dragHoldsCards) {
    releaseDrag(x, y);
  } else if (dragMode()) {
    t.dragging = 0;
    t.selState = 0;  // the press picked nothing up, or its drag was refused
  }
  t.soundPlayed = 0;
}

void GameEngine::toggleDragDrop() {
  if (menu.ruleSet != RuleSet::Klondike) return;
  cancelSelection();  // a frame or a drag of one mode means nothing in the other
  menu.dragDrop = !menu.dragDrop;
}

void GameEngine::toggleSound() { menu.soundOn = !menu.soundOn; }

}  // namespace game
