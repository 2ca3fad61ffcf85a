// The pointer handlers: click-select frame, drag 'n drop with its image, restore and refusals, the
// right button, and the refusal cue.
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

class DragTest : public GameTest {
 protected:
  DragTest() {
    emptyKlondike(Level::Easy, ScoreMode::None);
    setMenu(engine, &MenuState::dragDrop, true);
  }
};

TEST_F(DragTest, WasteCardDraggedToAFoundation) {
  setWaste({card(Five, 2), card(Ace, 0)});
  int wasteTopAtGrab = -2;
  view.onGrab = [&] { wasteTopAtGrab = t.wasteTop; };
  const Point from = bottomPlace(1);
  leftDown(from);
  ASSERT_EQ(view.grabs.size(), 1u);
  const Rect waste = engine.placeRect(1, t.layout.bottomRow);
  EXPECT_EQ(view.grabs[0], waste);
  EXPECT_EQ(wasteTopAtGrab, 1);  // the image is taken while the card still lies there
  EXPECT_EQ(t.wasteTop, 0);
  EXPECT_TRUE(t.dragHoldsCards);
  EXPECT_TRUE(t.dragImageVisible);
  EXPECT_EQ(t.dragImageX, waste.left);
  EXPECT_EQ(t.grabDX, from.x - waste.left);

  const Point to = bottomPlace(4);
  engine.mouseMove(true, true, to.x, to.y);
  EXPECT_EQ(t.dragImageX, to.x - t.grabDX);
  EXPECT_EQ(t.dragImageY, to.y - t.grabDY);
  EXPECT_EQ(view.repaintCount, 1);
  leftUp(to);
  EXPECT_EQ(t.foundation[1], card(Ace, 0));
  EXPECT_EQ(t.wasteTop, 0);
  EXPECT_EQ(t.waste[0], card(Five, 2));
  EXPECT_FALSE(t.dragHoldsCards);
  EXPECT_FALSE(t.dragImageVisible);
  EXPECT_EQ(t.dragging, 0);
  EXPECT_EQ(t.selState, Selection::None);
  EXPECT_EQ(view.refusals, 0);
  // The image's last place is repainted.
  EXPECT_TRUE(view.covers({t.dragImageX, t.dragImageY, t.dragImageX + 88, t.dragImageY + 130}));
}

TEST_F(DragTest, MovingRepaintsWhatTheImageUncovers) {
  setColumn(0, {card(Nine, 0), card(Eight, 1), card(Seven, 0)});
  const Point from = at(0, 0);
  leftDown(from);
  ASSERT_TRUE(t.dragHoldsCards);
  EXPECT_EQ(t.dragHeight, 2 * t.layout.rowStep + 130);
  for (auto step : {std::pair{37, 21}, {-50, 9}, {12, -40}, {0, 0}, {-300, 250}}) {
    const Rect old{t.dragImageX, t.dragImageY, t.dragImageX + 88, t.dragImageY + t.dragHeight};
    view.clearRecords();
    engine.mouseMove(true, true, t.pointerX + step.first, t.pointerY + step.second);
    const Rect now{t.dragImageX, t.dragImageY, t.dragImageX + 88, t.dragImageY + t.dragHeight};
    EXPECT_EQ(now.left - old.left, step.first);
    EXPECT_TRUE(view.covers(now));
    for (int y = old.top; y < old.bottom; ++y)
      for (int x = old.left; x < old.right; ++x) {
        const bool underNewImage = x >= now.left && x < now.right && y >= now.top && y < now.bottom;
        ASSERT_TRUE(underNewImage || view.invalidated(x, y)) << x << "," << y;
      }
    EXPECT_EQ(view.repaintCount, 1);
  }
  // Without the left button held the image stays.
  const int x = t.dragImageX;
  engine.mouseMove(false, true, t.pointerX + 30, t.pointerY);
  EXPECT_EQ(t.dragImageX, x);
}

TEST_F(DragTest, RefusedDropPutsTheCardsBackOnce) {
  setColumn(0, {down(card(Two, 2)), card(Nine, 0), card(Eight, 1)});
  setColumn(1, {card(Nine, 3)});
  const auto before = column(0);
  leftDown(at(0, 1));
  EXPECT_EQ(t.tableau[0][1], kEmpty);
  EXPECT_EQ(t.tableau[0][0], down(card(Two, 2)));
  engine.mouseMove(true, true, at(1, 0).x, at(1, 0).y);
  leftUp(at(1, 0));
  EXPECT_EQ(column(0), before);
  EXPECT_EQ(t.tableau[1][1], kEmpty);
  EXPECT_EQ(view.refusals, 1);
  EXPECT_EQ(t.selState, Selection::None);
  EXPECT_FALSE(t.dragHoldsCards);
}

TEST_F(DragTest, DroppingOnItselfChangesNothing) {
  setColumn(3, {card(Ace, 2)});
  setWaste({card(Four, 1)});
  leftDown(at(3, 0));
  engine.mouseMove(true, true, at(3, 0).x + 3, at(3, 0).y + 2);
  leftUp({at(3, 0).x + 3, at(3, 0).y + 2});
  EXPECT_EQ(t.tableau[3][0], card(Ace, 2));
  EXPECT_EQ(t.foundation[0], kEmpty);  // no trip to the foundation in this mode
  leftDown(bottomPlace(1));
  leftUp(bottomPlace(1));
  EXPECT_EQ(t.wasteTop, 0);
  EXPECT_EQ(view.refusals, 0);
}

TEST_F(DragTest, ReleaseOutsideTheWindowSoundsOnceAndRestores) {
  setColumn(2, {card(Queen, 0), card(Jack, 1)});
  const auto before = column(2);
  const Point from = at(2, 0);
  leftDown(from);
  engine.mouseMove(true, true, from.x + 40, from.y + 30);
  const Point lastInside{t.pointerX, t.pointerY};
  const int imageX = t.dragImageX;
  engine.mouseMove(true, false, -50, 900);
  engine.mouseMove(true, false, -80, 950);
  EXPECT_EQ(t.pointerOutside, 1);
  EXPECT_EQ(t.outsideX, lastInside.x);
  EXPECT_EQ(t.outsideY, lastInside.y);
  EXPECT_EQ(t.dragImageX, imageX);  // the image stays at the border
  view.clearRecords();
  leftUp({-80, 950});
  EXPECT_EQ(view.refusals, 1);
  EXPECT_EQ(column(2), before);
  EXPECT_FALSE(t.dragImageVisible);
  EXPECT_TRUE(view.covers(
      {imageX, lastInside.y - t.grabDY, imageX + 88, lastInside.y - t.grabDY + t.dragHeight}));
  EXPECT_EQ(t.selState, Selection::None);
}

TEST_F(DragTest, ComingBackErasesTheImageLeftAtTheBorder) {
  setColumn(0, {card(Six, 3)});
  const Point from = at(0, 0, 10);
  leftDown(from);                       // grab offset (20, 10)
  engine.mouseMove(true, true, 10, 5);  // the image reaches past the window's corner
  engine.mouseMove(true, false, -30, -30);
  view.clearRecords();
  engine.mouseMove(true, true, 300, 300);
  EXPECT_EQ(t.pointerOutside, 0);
  EXPECT_TRUE(view.covers({0, 0, 10 - 20 + 88, 5 - 10 + 130}));
  EXPECT_TRUE(t.dragImageVisible);
  EXPECT_EQ(t.dragImageX, 280);
  EXPECT_GE(view.repaintCount, 1);
  leftUp({300, 300});
  EXPECT_EQ(t.tableau[0][0], card(Six, 3));
}

TEST_F(DragTest, PressBelowTheLastCardStartsNoDrag) {
  setColumn(2, {card(Four, 0)});
  const Rect place = engine.placeRect(2, 0);
  leftDown({place.left + 10, place.top + 128});
  EXPECT_EQ(view.refusals, 1);
  EXPECT_TRUE(view.grabs.empty());
  EXPECT_FALSE(t.dragHoldsCards);
  leftUp({place.left + 10, place.top + 128});
  EXPECT_EQ(t.selState, Selection::None);
  EXPECT_EQ(t.tableau[2][0], card(Four, 0));
  leftDown({place.left + 10, place.top + 127});
  EXPECT_TRUE(t.dragHoldsCards);
  leftUp({place.left + 10, place.top + 127});
  EXPECT_EQ(view.refusals, 1);
}

TEST_F(DragTest, RefusalSoundsAtMostOncePerPress) {
  setColumn(2, {card(Four, 0)});
  const Rect place = engine.placeRect(2, 0);
  leftDown({place.left + 10, place.top + 200});
  press(bottomPlace(2));  // a second refusal in the same press
  EXPECT_EQ(view.refusals, 1);
  leftUp({place.left + 10, place.top + 200});
  leftDown(bottomPlace(2));
  EXPECT_EQ(view.refusals, 2);
}

TEST_F(DragTest, RightButtonDoesNothing) {
  setColumn(0, {card(Six, 3)});
  leftDown(at(0, 0));
  engine.mouseDown(MouseButton::Right, 5000, 5000);
  EXPECT_TRUE(t.dragHoldsCards);
  EXPECT_EQ(view.refusals, 0);
  leftUp(at(0, 0));
  EXPECT_EQ(t.tableau[0][0], card(Six, 3));
}

TEST_F(DragTest, InterruptedDragsLoseNoCard) {
  engine.dealKlondike();
  // A menu command in the middle of a drag.
  leftDown(at(6, 6));
  engine.toggleDragDrop();
  EXPECT_FALSE(t.dragHoldsCards);
  EXPECT_TRUE(everyCardOnce(engine));
  leftUp(at(6, 6));
  EXPECT_TRUE(everyCardOnce(engine));
  engine.toggleDragDrop();
  // A new deal in the middle of a drag; the release then finds nothing to put back.
  leftDown(at(5, 5));
  engine.restart();
  leftUp(at(1, 1));
  EXPECT_TRUE(everyCardOnce(engine));
  // A lost release: the next press first puts the cards back.
  leftDown(at(4, 4));
  leftDown(at(3, 3));
  leftUp(at(3, 3));
  EXPECT_TRUE(everyCardOnce(engine));
  EXPECT_FALSE(t.dragHoldsCards);
}

using ClickTest = GameTest;

TEST_F(ClickTest, FrameAroundARunAndTheRightButton) {
  emptyKlondike(Level::Easy);
  setColumn(4, {card(Nine, 0), card(Eight, 1), card(Seven, 0)});
  leftDown(at(4, 0));
  ASSERT_TRUE(t.markVisible);
  EXPECT_EQ(t.markedCount, 3);
  const Rect top = engine.placeRect(4, 0);
  const int frameBottom = top.top + 2 * t.layout.rowStep + 131;
  EXPECT_TRUE(view.invalidated(top.left - 1, top.top - 1));
  EXPECT_TRUE(view.invalidated(top.left + 89, frameBottom));
  EXPECT_TRUE(view.invalidated(top.left + 40, frameBottom));
  EXPECT_TRUE(view.grabs.empty());

  engine.mouseDown(MouseButton::Right, 1, 1);  // outside the table: sound only
  EXPECT_EQ(view.refusals, 1);
  EXPECT_TRUE(t.markVisible);
  EXPECT_EQ(t.selState, Selection::PickedUp);
  view.clearRecords();
  engine.mouseDown(MouseButton::Right, top.left, top.top + 200);
  EXPECT_EQ(view.refusals, 0);
  EXPECT_FALSE(t.markVisible);
  EXPECT_EQ(t.selState, Selection::None);
  EXPECT_TRUE(view.invalidated(top.left + 40, frameBottom));
  EXPECT_TRUE(view.invalidated(top.left + 89, top.top + 100));
}

TEST_F(ClickTest, NoCardSetRefusesEveryPress) {
  emptyKlondike(Level::Easy);
  setColumn(0, {card(Six, 3)});
  engine.setCardSetPresent(false);
  leftDown(at(0, 0));
  engine.mouseDown(MouseButton::Right, at(0, 0).x, at(0, 0).y);
  EXPECT_EQ(view.refusals, 2);
  EXPECT_EQ(t.selState, Selection::None);
  EXPECT_FALSE(engine.clockRunning());
}

TEST_F(ClickTest, SoundOffSilencesRefusals) {
  emptyKlondike(Level::Easy);
  engine.toggleSound();
  EXPECT_FALSE(engine.menu().soundOn);
  leftDown(at(0, 0));
  leftDown({1, 1});
  EXPECT_EQ(view.refusals, 0);
  engine.toggleSound();
  leftDown({1, 1});
  leftDown({1, 1});
  EXPECT_EQ(view.refusals, 2);  // in click-select mode every refused press sounds
}

}  // namespace
}  // namespace game::testing
