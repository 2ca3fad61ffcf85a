// The pointer handlers of both modes, the selection frame, the drag of cards and the refusal cue,
// for every game. Nothing is drawn here: the frame and the drag image are state that the
// window's paint handler shows, and every change invalidates the rectangles it touches.
#include <algorithm>

#include "game/game_engine.h"

namespace game {

bool GameEngine::dragMode() const { return menu_.dragDrop && !keyPressing_ && rules().dragAndDrop; }

void GameEngine::playRefusal() {
  if (!menu_.soundOn) return;
  if (dragMode() && t_.soundPlayed == 1) return;  // once per press while dragging
  view_.refused();
  t_.soundPlayed = 1;
}

// --- selection frame ---

// The four strips that hold the frame around the marked card or run.
void GameEngine::invalidateMarkStrips() {
  const Rect frame = selectionFrame(t_, rules().fannedColumns);
  for (const Rect& strip : selectionFrameStrips(frame)) view_.invalidate(strip, true);
}

void GameEngine::drawMark() {
  t_.markedCol = t_.markCol;
  t_.markedRow = t_.markRow;
  t_.markedCount = t_.selRunLength;
  if (dragMode()) {
    if (t_.pointerY <= placeRect(t_.markCol, t_.markRow).top + kGrabbableHeight)
      t_.dragging = 1;
    else
      playRefusal();  // pressed below the last card of the column
    return;
  }
  t_.markVisible = true;
  invalidateMarkStrips();
}

void GameEngine::eraseMark() {
  if (t_.markVisible) {
    t_.markVisible = false;
    invalidateMarkStrips();
  }
  if (dragMode()) t_.dragging = 0;
}

// --- drag 'n drop ---

Rect GameEngine::dragSourceRect() const {
  const Rect place = placeRect(t_.markedCol, t_.markedRow);
  return {place.left, place.top, place.right, place.top + t_.dragHeight};
}

Rect GameEngine::dragImageRect() const {
  return {t_.dragImageX, t_.dragImageY, t_.dragImageX + kCardWidth, t_.dragImageY + t_.dragHeight};
}

void GameEngine::beginDrag() {
  t_.dragHeight = t_.layout.runHeight(t_.markedCount);
  const Rect source = dragSourceRect();
  view_.dragStarted(source);  // while the cards still lie in the model
  if (t_.markedRow >= t_.layout.bottomRow) {
    t_.dragFromTableau = 0;
    --t_.wasteTop;
  } else {
    t_.dragFromTableau = 1;
    const auto& column = t_.tableau[t_.markedCol];
    std::copy(std::begin(column), std::end(column), t_.dragBackup);
    std::fill(&t_.tableau[t_.markedCol][t_.markedRow], std::end(t_.tableau[t_.markedCol]), kEmpty);
  }
  t_.dragHoldsCards = true;
  t_.grabDX = t_.pointerX - source.left;
  t_.grabDY = t_.pointerY - source.top;
  // The image starts where the cards lay, so the table looks unchanged until the pointer moves.
  t_.dragImageX = source.left;
  t_.dragImageY = source.top;
  t_.dragImageVisible = true;
  t_.pointerOutside = 0;
}

void GameEngine::restoreDragCards() {
  if (!t_.dragHoldsCards) return;
  if (t_.dragFromTableau == 1)
    std::copy(std::begin(t_.dragBackup), std::end(t_.dragBackup), t_.tableau[t_.markedCol]);
  else
    ++t_.wasteTop;
  t_.dragHoldsCards = false;
}

// Ends a drag that is interrupted (new press, menu command): the cards go back where they were.
void GameEngine::abortDrag() {
  t_.dragImageVisible = false;
  view_.invalidate(dragImageRect(), true);
  restoreDragCards();
  view_.invalidate(dragSourceRect(), true);
  t_.dragging = 0;
}

void GameEngine::moveDragImage(int x, int y) {
  const Rect old = dragImageRect();
  const int left = x - t_.grabDX, top = y - t_.grabDY;
  // The bands of the old image that the new one no longer covers.
  const Rect horizontal = left > old.left ? Rect{old.left, old.top, left, old.bottom}
                                          : Rect{left + kCardWidth, old.top, old.right, old.bottom};
  const Rect vertical = top > old.top ? Rect{old.left, old.top, old.right, top}
                                      : Rect{old.left, top + t_.dragHeight, old.right, old.bottom};
  for (const Rect& band : {horizontal, vertical})
    if (band.left < band.right && band.top < band.bottom) view_.invalidate(band, true);
  t_.pointerX = x;
  t_.pointerY = y;
  t_.dragImageX = left;
  t_.dragImageY = top;
  t_.dragImageVisible = true;
  view_.invalidate(dragImageRect(), false);
  view_.repaintNow();
}

// The image that was left at the border when the pointer went outside.
void GameEngine::eraseImageAtOutsidePlace() {
  const int left = std::max(0, t_.outsideX - t_.grabDX), top = std::max(0, t_.outsideY - t_.grabDY);
  view_.invalidate(
      {left, top, t_.outsideX - t_.grabDX + kCardWidth, t_.outsideY - t_.grabDY + t_.dragHeight},
      true);
  t_.dragImageVisible = false;
  view_.repaintNow();
  t_.pointerOutside = 0;
}

void GameEngine::releaseDrag(int x, int y) {
  t_.dragImageVisible = false;
  view_.invalidate(dragImageRect(), true);
  restoreDragCards();  // the drop is judged on the complete table
  t_.pointerX = x;
  t_.pointerY = y;
  if (const std::optional<Place> place = rules().placeUnder(t_, x, y)) {
    rules().press(*this, *place);  // the drop is the press of the place under the pointer
  } else {
    if (t_.pointerOutside == 1) eraseImageAtOutsidePlace();
    playRefusal();
  }
  t_.dragging = 0;
  view_.invalidate(dragSourceRect(), false);
  view_.repaintNow();
  cancelSelection();
}

// --- the three handlers ---

void GameEngine::mouseDown(MouseButton button, int x, int y) {
  if (button == MouseButton::Other) return;
  if (button == MouseButton::Right && dragMode())
    return;  // the right button has no use while dragging
  // A left press while cards are still dragged means the release got lost: put them back first.
  if (t_.dragHoldsCards) cancelSelection();
  t_.pointerX = x;
  t_.pointerY = y;
  const std::optional<Place> place = rules().placeUnder(t_, x, y);
  if (button == MouseButton::Left) {
    leftPress(place);
  } else if (!cardSetPresent_ || !place) {
    playRefusal();
  } else {
    cancelSelection();  // the right button drops what the left one picked up
  }
}

void GameEngine::leftPress(std::optional<Place> place) {
  t_.soundPlayed = 0;
  const RuleState before = restingRuleState();
  if (!cardSetPresent_)
    playRefusal();
  else
    gamePress(place);
  recordMove(before);
}

// In drag 'n drop mode a press that picked up cards starts their drag.
void GameEngine::gamePress(std::optional<Place> place) {
  if (!place) {
    playRefusal();
    return;
  }
  if (rules().klondikeScoring && menu_.timed && menu_.scoreMode == ScoreMode::Normal) startClock();
  t_.dragging = 0;
  rules().press(*this, *place);
  if (t_.dragging == 1 && t_.selState == Selection::PickedUp) beginDrag();
}

void GameEngine::cancelSelection() {
  if (t_.dragHoldsCards) abortDrag();
  t_.selState = Selection::None;
  t_.selPending = false;
  eraseMark();
}

void GameEngine::rulePress(int x, int y) {
  if (const std::optional<Place> place = rules().placeUnder(t_, x, y)) {
    rules().press(*this, *place);
  } else {
    playRefusal();
    eraseMark();
    t_.selState = Selection::None;
  }
}

bool GameEngine::gameOver() const { return rules().won(t_); }

void GameEngine::mouseMove(bool leftHeld, bool insideClient, int x, int y) {
  if (!t_.dragHoldsCards) return;
  if (insideClient) {
    if (t_.pointerOutside == 1) eraseImageAtOutsidePlace();
    if (leftHeld) moveDragImage(x, y);
    return;
  }
  if (t_.pointerOutside == 0) {
    t_.pointerOutside = 1;
    t_.outsideX = t_.pointerX;
    t_.outsideY = t_.pointerY;
  }
  t_.pointerX = x;
  t_.pointerY = y;
}

void GameEngine::mouseUp(MouseButton button, int x, int y) {
  if (button != MouseButton::Left || !rules().dragAndDrop) return;
  if (t_.dragHoldsCards) {
    const RuleState before = restingRuleState();
    releaseDrag(x, y);
    recordMove(before);
  } else if (dragMode()) {
    t_.dragging = 0;
    t_.selState = Selection::None;  // the press picked nothing up, or its drag was refused
  }
  t_.soundPlayed = 0;
}

void GameEngine::toggleDragDrop() {
  if (!rules().dragAndDrop) return;
  cancelSelection();  // a frame or a drag of one mode means nothing in the other
  menu_.dragDrop = !menu_.dragDrop;
}

void GameEngine::toggleSound() { menu_.soundOn = !menu_.soundOn; }

}  // namespace game
