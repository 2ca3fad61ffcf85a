// Undo and redo: each move family is one step that undo takes back to the exact rule state and
// redo replays; what is no move leaves no step; the clock, the highscore list, won games and new
// deals; the double click that sends a card home; deals by number.
#include "game/move_history.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

class UndoTest : public GameTest {
 protected:
  void click(Point p) {
    leftDown(p);
    leftUp(p);
  }
  // `move` makes exactly one step: undo restores the state before it, redo the state after it.
  void expectOneStep(const std::function<void()>& move) {
    const RuleState before = ruleStateOf(t);
    move();
    const RuleState after = ruleStateOf(t);
    ASSERT_FALSE(before == after);
    ASSERT_TRUE(engine.canUndo());
    engine.undo();
    EXPECT_TRUE(ruleStateOf(t) == before);
    ASSERT_TRUE(engine.canRedo());
    engine.redo();
    EXPECT_TRUE(ruleStateOf(t) == after);
    EXPECT_FALSE(engine.canRedo());
  }
};

TEST_F(UndoTest, EveryKlondikeMoveIsOneStep) {
  const Point stock = bottomPlace(0), waste = bottomPlace(1), home = bottomPlace(4);
  emptyKlondike();
  setStock({card(Two, 0), card(Three, 0), card(Four, 0), card(Five, 0)});
  expectOneStep([&] { click(stock); });  // a turn of three
  emptyKlondike(Level::Hard, ScoreMode::Vegas);
  setWaste({card(Two, 0), card(Three, 0)});
  expectOneStep([&] { click(stock); });  // a refill, with the Vegas count
  emptyKlondike();
  setColumn(0, {card(Eight, 0)});
  setWaste({card(Seven, 1)});
  expectOneStep([&] { click(waste), click(at(0, 0)); });
  setColumn(0, {down(card(Six, 3)), card(Nine, 1), card(Eight, 0)});
  setColumn(1, {card(Ten, 0)});
  expectOneStep([&] { click(at(0, 1)), click(at(1, 0)); });  // a run, and the card above turns
  setColumn(2, {down(card(Ace, 2))});
  expectOneStep([&] { click(at(2, 0)); });  // a face-down card turned
  setColumn(3, {card(Ace, 3)});
  expectOneStep([&] { click(at(3, 0)), click(at(3, 0)); });  // home by the second click
  setMenu(engine, &MenuState::dragDrop, true);
  setWaste({card(Ace, 1)});
  expectOneStep([&] { dragTo(waste, home); });
}

// Autodrop after a move sends the safe cards home (the two of the waste, then the two of a
// column) but keeps a three that a black two could still need, with the usual points, and undo
// takes the move and the cards sent home back as one step. Without autodrop they stay.
TEST_F(UndoTest, AutodropSendsOnlySafeCardsAsOneStepWithTheMove) {
  for (const bool autodrop : {true, false}) {
    engine.setAutodrop(autodrop);
    emptyKlondike();
    t.foundation[0] = card(Ace, 0);
    t.foundation[1] = card(Ace, 1);
    t.foundation[2] = card(Ace, 2);
    setWaste({card(Two, 1)});
    setColumn(0, {card(Two, 0)});
    setColumn(1, {card(Three, 1)});
    setColumn(2, {card(Nine, 1)});
    setColumn(3, {card(Ten, 0)});
    expectOneStep([&] { click(at(2, 0)), click(at(3, 0)); });
    EXPECT_EQ(t.tableau[3][1], card(Nine, 1));
    EXPECT_EQ(t.foundation[0], autodrop ? card(Two, 0) : card(Ace, 0));
    EXPECT_EQ(t.foundation[1], autodrop ? card(Two, 1) : card(Ace, 1));
    EXPECT_EQ(t.tableau[1][0], card(Three, 1));
    EXPECT_EQ(t.wasteTop, autodrop ? -1 : 0);
    EXPECT_EQ(t.score, autodrop ? 25 : 5);  // 5 for the move, 10 for each card sent home
  }
}

TEST_F(UndoTest, QuatroPlacementAndRemovalAreOneStepEach) {
  engine.play(game::RuleSet::Quatro);
  Targets places;
  const bool faceCard = engine.targets(places) > 0;
  const Point place = faceCard ? at(places[0].column, places[0].row, 40) : at(3, 1, 40);
  expectOneStep([&] { click(place); });
  const std::uint8_t ranks[] = {Ace, Two, Three, Seven};
  for (int g = 0; g < 4; ++g)
    for (int r = 0; r < 4; ++r) t.grid[g][r] = card(ranks[r], g);
  t.gridCount = 16;
  t.pairMode = 1;
  expectOneStep([&] { click(at(2, 2, 40)), click(at(3, 3, 40)); });  // Three and Seven
}

TEST_F(UndoTest, NoStepWithoutAMoveAndNoneAcrossDeals) {
  engine.dealKlondike();
  click(cardPoint(engine, 6, 6));  // a pick-up only
  setMenu(engine, &MenuState::dragDrop, true);
  dragTo(cardPoint(engine, 6, 6), cardPoint(engine, 6, 6));
  EXPECT_FALSE(engine.canUndo());
  click(pilePoint(engine, 0));
  EXPECT_TRUE(engine.canUndo());
  engine.restart();
  EXPECT_FALSE(engine.canUndo());
}

TEST_F(UndoTest, UndoKeepsTheClockPenaltyDropsAPickUpAndLeavesTheHighscoreList) {
  setMenu(engine, &MenuState::scoreMode, ScoreMode::Normal);
  setMenu(engine, &MenuState::dragDrop, true);
  engine.dealKlondike();
  ASSERT_EQ(t.qualifies, 1);
  click(pilePoint(engine, 0));
  for (int i = 0; i < 10; ++i) engine.clockTick();
  ASSERT_EQ(t.score, -2);
  leftDown(pilePoint(engine, 1));  // the waste card is being dragged
  ASSERT_TRUE(t.dragHoldsCards);
  engine.undo();
  EXPECT_FALSE(t.dragHoldsCards);
  EXPECT_TRUE(everyCardOnce(engine));
  EXPECT_EQ(t.wasteTop, -1);
  EXPECT_EQ(t.score, -2);
  EXPECT_EQ(t.qualifies, 0);
  EXPECT_TRUE(engine.clockRunning());
}

TEST_F(UndoTest, AutoFinishIsOneStepUntilItWins) {
  emptyKlondike();
  for (int s = 0; s < 4; ++s)
    setColumn(s, {card(King, s), card(Queen, s)}), t.foundation[s] = card(Jack, s);
  const RuleState before = ruleStateOf(t);
  ASSERT_TRUE(engine.startAutoFinish());
  engine.autoFinishStep();
  engine.autoFinishStep();
  engine.undo();  // in the middle of the finish
  EXPECT_TRUE(ruleStateOf(t) == before);
  engine.autoFinish();
  EXPECT_EQ(view.wins.size(), 1u);
  EXPECT_FALSE(engine.canUndo());  // a won game stays won
}

TEST_F(UndoTest, DoubleClickSendsTheCardHomeOnlyInDragMode) {
  emptyKlondike();
  setWaste({card(Ace, 1)});
  setColumn(0, {card(Five, 2)});
  const Point waste = bottomPlace(1), column = at(0, 0), stock = bottomPlace(0);
  EXPECT_FALSE(engine.doubleClick(MouseButton::Left, waste.x, waste.y));  // click-select mode
  setMenu(engine, &MenuState::dragDrop, true);
  EXPECT_FALSE(engine.doubleClick(MouseButton::Left, stock.x, stock.y));
  EXPECT_TRUE(engine.doubleClick(MouseButton::Left, column.x, column.y));  // does not fit
  EXPECT_EQ(view.refusals, 0);
  expectOneStep([&] { EXPECT_TRUE(engine.doubleClick(MouseButton::Left, waste.x, waste.y)); });
  EXPECT_EQ(t.foundation[0], card(Ace, 1));
  EXPECT_EQ(t.score, 10);
}

TEST_F(UndoTest, ADealNumberDealsItsGameAgain) {
  for (RuleSet ruleSet : {RuleSet::Klondike, RuleSet::Quatro}) {
    setMenu(engine, &MenuState::ruleSet, ruleSet);
    const std::uint32_t number = 4000000000u + static_cast<std::uint32_t>(ruleSet);
    engine.seedSource = [number] { return number; };
    engine.restart();
    const std::vector<int> deal = piles(engine);
    EXPECT_EQ(engine.dealNumber(), number);
    engine.seedSource = [] { return 7u; };
    engine.restart();
    engine.playDeal(number);
    EXPECT_EQ(piles(engine), deal);
    engine.playDeal(number);  // also twice in a row, unlike a deal in the same second
    EXPECT_EQ(piles(engine), deal);
  }
}

}  // namespace
}  // namespace game::testing
