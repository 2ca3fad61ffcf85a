// The focus frame's steps over the places of both rule sets, and the keyboard's press: a click
// also in drag 'n drop mode.
#include "game/keyboard_focus.h"

#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

class KeyboardFocusTest : public GameTest {
 protected:
  // Column 0: two face-down cards under two face-up ones; column 1 empty; column 2 one face-down.
  void setUpTable() {
    emptyKlondike();
    setColumn(0, {down(card(King, 0)), down(card(Queen, 1)), card(Nine, 0), card(Eight, 1)});
    setColumn(2, {down(card(Five, 2))});
  }
  Place step(Place from, FocusMove move) { return moveFocus(t, RuleSet::Klondike, from, move); }
};

TEST_F(KeyboardFocusTest, KlondikeStepsSkipFaceDownCardsAndTheGap) {
  setUpTable();
  const int bottom = t.layout.bottomRow;
  const struct {
    Place from;
    FocusMove move;
    Place to;
  } cases[] = {
      {{0, 3}, FocusMove::Up, {0, 2}},  // up within the face-up cards
      {{0, 2}, FocusMove::Up, {0, 2}},  // not onto a face-down card
      {{0, 2}, FocusMove::Down, {0, 3}},
      {{0, 3}, FocusMove::Down, {0, bottom}},             // from the last card to the stock
      {{0, bottom}, FocusMove::Up, {0, 3}},               // back onto the deepest card
      {{0, 2}, FocusMove::Right, {1, 0}},                 // an empty column
      {{1, 0}, FocusMove::Right, {2, 0}},                 // a column of one face-down card
      {{2, 0}, FocusMove::Down, {kWasteColumn, bottom}},  // the gap belongs to the waste
      {{kWasteColumn, bottom}, FocusMove::Right, {kFirstFoundationColumn, bottom}},
      {{6, bottom}, FocusMove::Right, {6, bottom}},  // the edges stay
      {{0, bottom}, FocusMove::Left, {0, bottom}},
      {{0, 1}, FocusMove::Left, {0, 3}},  // a face-down place is made valid first
  };
  for (const auto& c : cases)
    EXPECT_EQ(step(c.from, c.move), c.to) << c.from.column << "," << c.from.row;
}

TEST_F(KeyboardFocusTest, QuatroStepsBetweenTheCurrentCardAndTheGrid) {
  const RuleSet q = RuleSet::Quatro;
  EXPECT_EQ(moveFocus(t, q, kQuatroCurrentCard, FocusMove::Right), quatroGridPlace(0, 1));
  EXPECT_EQ(moveFocus(t, q, quatroGridPlace(0, 3), FocusMove::Left), kQuatroCurrentCard);
  EXPECT_EQ(moveFocus(t, q, quatroGridPlace(3, 3), FocusMove::Down), quatroGridPlace(3, 3));
  EXPECT_EQ(moveFocus(t, q, quatroGridPlace(3, 0), FocusMove::Right), quatroGridPlace(3, 0));
  EXPECT_EQ(validFocus(t, q, {0, t.layout.bottomRow}), kQuatroCurrentCard);
}

TEST_F(KeyboardFocusTest, PressPicksUpACoveredCardAsAClickEvenInDragMode) {
  setUpTable();
  setMenu(engine, &MenuState::dragDrop, true);
  engine.keyPress({0, 2});
  EXPECT_EQ(t.selState, Selection::PickedUp);
  EXPECT_EQ(t.selRow, 2);
  EXPECT_TRUE(t.markVisible);
  EXPECT_FALSE(t.dragHoldsCards);
  engine.cancelSelection();
  EXPECT_EQ(t.selState, Selection::None);
  EXPECT_FALSE(t.markVisible);
}

}  // namespace
}  // namespace game::testing
