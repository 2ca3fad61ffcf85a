// Klondike moves in click-select mode: stock, refill, waste, foundations, lay-downs, the levels
// and the points of every move in every score mode.
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

using StockTest = GameTest;

TEST_F(StockTest, TurnsThreeAtMediumAndOneAtEasy) {
  emptyKlondike(Level::Medium);
  setStock({card(Two, 0), card(Three, 0), card(Four, 0), card(Five, 0), card(Six, 0)});
  pressBottom(0);
  EXPECT_EQ(t.turnCount, 3);
  EXPECT_EQ(t.stockCount, 2);
  ASSERT_EQ(t.wasteTop, 2);
  EXPECT_EQ(t.waste[0], card(Six, 0));
  EXPECT_EQ(t.waste[2], card(Four, 0));
  EXPECT_FALSE(
      view.invalidated(bottomPlace(0).x, bottomPlace(0).y));  // the stock still shows a back
  EXPECT_TRUE(view.invalidated(bottomPlace(1).x, bottomPlace(1).y));

  // Two cards left: both are turned and the count ends below zero.
  view.clearRecords();
  pressBottom(0);
  EXPECT_EQ(t.stockCount, -1);
  EXPECT_EQ(t.wasteTop, 4);
  EXPECT_EQ(t.waste[4], card(Two, 0));
  EXPECT_TRUE(view.invalidated(bottomPlace(0).x, bottomPlace(0).y));
  EXPECT_EQ(view.refusals, 0);

  engine.chooseLevel(Level::Easy);
  setStock({card(Two, 1), card(Three, 1)});
  pressBottom(0);
  EXPECT_EQ(t.turnCount, 1);
  EXPECT_EQ(t.stockCount, 1);
  EXPECT_EQ(t.waste[t.wasteTop], card(Three, 1));
}

TEST_F(StockTest, PressWithAPickUpIsRefusedAndDropsIt) {
  emptyKlondike();
  setStock({card(Two, 0)});
  setWaste({card(Five, 1)});
  pressBottom(1);
  ASSERT_EQ(t.selState, Selection::PickedUp);
  ASSERT_TRUE(t.markVisible);
  pressBottom(0);
  EXPECT_EQ(view.refusals, 1);
  EXPECT_EQ(t.selState, Selection::None);
  EXPECT_FALSE(t.markVisible);
  EXPECT_EQ(t.stockCount, 1);
  EXPECT_EQ(t.wasteTop, 0);
}

struct RefillCase {
  Level level;
  ScoreMode mode;
  int cost;
};

class RefillTest : public GameTest, public ::testing::WithParamInterface<RefillCase> {};

TEST_P(RefillTest, KeepsTheOrderAndCosts) {
  const RefillCase c = GetParam();
  emptyKlondike(c.level, c.mode);
  setStock({card(Two, 0), card(Three, 0), card(Four, 0), card(Five, 0), card(Six, 0),
            card(Seven, 0), card(Eight, 0)});
  std::vector<std::uint8_t> firstPass, secondPass;
  while (t.stockCount >= 1) pressBottom(0);
  firstPass.assign(t.waste, t.waste + t.wasteTop + 1);
  t.score = 7;
  pressBottom(0);  // refill
  EXPECT_EQ(t.score, 7 - c.cost);
  EXPECT_EQ(view.score, t.score);
  EXPECT_EQ(t.wasteTop, -1);
  EXPECT_EQ(t.stockCount, 7);
  while (t.stockCount >= 1) pressBottom(0);
  secondPass.assign(t.waste, t.waste + t.wasteTop + 1);
  EXPECT_EQ(firstPass, secondPass);
  EXPECT_EQ(view.refusals, 0);
}

INSTANTIATE_TEST_SUITE_P(LevelsAndModes, RefillTest,
                         ::testing::Values(RefillCase{Level::Easy, ScoreMode::Normal, 100},
                                           RefillCase{Level::Medium, ScoreMode::Normal, 20},
                                           RefillCase{Level::Hard, ScoreMode::Normal, 20},
                                           RefillCase{Level::Easy, ScoreMode::Vegas, 0},
                                           RefillCase{Level::Hard, ScoreMode::None, 0}));

TEST_F(StockTest, EmptyStockWithOneWasteCardIsRefused) {
  emptyKlondike(Level::Easy);
  setWaste({card(Nine, 2)});
  pressBottom(0);
  EXPECT_EQ(view.refusals, 1);
  EXPECT_EQ(t.wasteTop, 0);
  EXPECT_EQ(t.score, 0);
  setWaste({card(Nine, 2), card(Ten, 2)});
  pressBottom(0);
  EXPECT_EQ(view.refusals, 1);
  EXPECT_EQ(t.stockCount, 2);
  EXPECT_EQ(t.score, -100);
}

TEST_F(StockTest, VegasRefillsTwiceThenOnlyCounts) {
  emptyKlondike(Level::Medium, ScoreMode::Vegas);
  setWaste({card(Two, 0), card(Three, 0)});
  for (int refill = 1; refill <= 2; ++refill) {
    pressBottom(0);
    EXPECT_EQ(t.stockCount, 2) << refill;
    pressBottom(0);
  }
  pressBottom(0);
  EXPECT_EQ(t.vegasRedeals, 3);
  EXPECT_EQ(t.stockCount, -1);
  EXPECT_EQ(t.wasteTop, 1);
  pressBottom(0);
  EXPECT_EQ(t.vegasRedeals, 4);
  EXPECT_EQ(t.wasteTop, 1);
  EXPECT_EQ(view.refusals, 0);  // the refused refill is silent
  // The limit counts in every mode once Vegas has used it up.
  engine.chooseNormal();
  pressBottom(0);
  EXPECT_EQ(t.wasteTop, 1);
  EXPECT_EQ(t.score, -20);
}

class FoundationPoints : public GameTest, public ::testing::WithParamInterface<ScoreMode> {
 protected:
  int foundationPoints() const {
    return GetParam() == ScoreMode::Normal ? 10 : GetParam() == ScoreMode::Vegas ? 5 : 0;
  }
};

TEST_P(FoundationPoints, WasteCardByFoundationPressAndBySecondPress) {
  emptyKlondike(Level::Medium, GetParam());
  setWaste({card(Two, 3), card(Ace, 3), card(Ace, 1)});
  pressBottom(1);
  pressBottom(5);  // foundation 2 takes the Ace
  EXPECT_EQ(t.foundation[2], card(Ace, 1));
  EXPECT_EQ(t.wasteTop, 1);
  EXPECT_EQ(t.score, foundationPoints());
  pressBottom(1);
  pressBottom(1);  // the second press sends the Ace to the first empty foundation
  EXPECT_EQ(t.foundation[0], card(Ace, 3));
  pressBottom(1);
  pressBottom(1);  // and the Two onto its Ace
  EXPECT_EQ(t.foundation[0], card(Two, 3));
  EXPECT_EQ(t.wasteTop, -1);
  EXPECT_EQ(t.score, 3 * foundationPoints());
  EXPECT_EQ(view.score, t.score);
  EXPECT_EQ(view.refusals, 0);
  EXPECT_EQ(t.selState, Selection::None);
  EXPECT_FALSE(t.markVisible);
}

TEST_P(FoundationPoints, TableauCardTurnsTheCardAboveForNothingMore) {
  emptyKlondike(Level::Hard, GetParam());
  setColumn(2, {down(card(Nine, 0)), card(Ace, 2)});
  pressTableau(2, 1);
  pressBottom(3);
  EXPECT_EQ(t.foundation[0], card(Ace, 2));
  EXPECT_EQ(t.tableau[2][0], card(Nine, 0));
  EXPECT_EQ(t.tableau[2][1], kEmpty);
  EXPECT_EQ(t.score, foundationPoints());
  EXPECT_TRUE(view.invalidated(at(2, 1, 100).x, at(2, 1, 100).y));  // the card's old place
}

TEST_P(FoundationPoints, AutoFinishScoresEveryCard) {
  emptyKlondike(Level::Hard, GetParam());
  for (int suit = 0; suit < 4; ++suit) {
    std::vector<std::uint8_t> run;
    for (int rank = King; rank >= Ace; --rank) run.push_back(card(rank, suit));
    std::copy(run.begin(), run.end(), t.tableau[suit]);
  }
  t.score = GetParam() == ScoreMode::Vegas ? -52 : 0;
  t.qualifies = 0;
  engine.autoFinish();
  for (auto top : t.foundation) EXPECT_GE(top, 48);
  EXPECT_EQ(t.score, (GetParam() == ScoreMode::Vegas ? -52 : 0) + 52 * foundationPoints());
  EXPECT_EQ(view.repaintCount, 52);
  EXPECT_EQ(view.wins.size(), 1u);
  EXPECT_TRUE(everyCardOnce(engine));
}

INSTANTIATE_TEST_SUITE_P(ScoreModes, FoundationPoints,
                         ::testing::Values(ScoreMode::Normal, ScoreMode::Vegas, ScoreMode::None));

using FoundationTest = GameTest;

TEST_F(FoundationTest, RefusalsLeaveThePilesAlone) {
  emptyKlondike(Level::Easy);
  setColumn(0, {card(Five, 0), card(Four, 1)});
  setColumn(1, {card(Three, 2)});
  t.foundation[1] = card(Two, 2);
  pressBottom(4);  // nothing picked up
  EXPECT_EQ(view.refusals, 1);
  pressTableau(0, 0);  // a run
  pressBottom(4);
  EXPECT_EQ(view.refusals, 2);
  EXPECT_EQ(t.tableau[0][0], card(Five, 0));
  pressTableau(1, 0);
  pressBottom(3);  // wrong foundation
  EXPECT_EQ(view.refusals, 3);
  EXPECT_EQ(t.tableau[1][0], card(Three, 2));
  pressTableau(1, 0);
  pressBottom(2);  // the gap
  EXPECT_EQ(view.refusals, 4);
  EXPECT_EQ(t.selState, Selection::None);
  EXPECT_FALSE(t.markVisible);
  pressTableau(1, 0);
  pressBottom(4);
  EXPECT_EQ(t.foundation[1], card(Three, 2));
  EXPECT_EQ(t.tableau[1][0], kEmpty);
}

TEST_F(FoundationTest, ARunPressedTwiceIsRefusedASingleCardGoesHome) {
  emptyKlondike(Level::Medium);
  setColumn(0, {card(Two, 0), card(Ace, 1)});
  t.foundation[3] = card(Ace, 0);
  pressTableau(0, 0);
  pressTableau(0, 0);
  EXPECT_EQ(view.refusals, 1);
  EXPECT_EQ(t.selState, Selection::None);
  pressTableau(0, 1);
  pressTableau(0, 1);
  EXPECT_EQ(t.foundation[0], card(Ace, 1));
  pressTableau(0, 0);
  pressTableau(0, 0);
  EXPECT_EQ(t.foundation[3], card(Two, 0));
  EXPECT_EQ(view.refusals, 1);
  pressTableau(0, 0);  // an empty column
  EXPECT_EQ(view.refusals, 2);
}

TEST_F(FoundationTest, OneCompleteSuitIsNoWin) {
  emptyKlondike(Level::Hard);
  t.foundation[0] = card(Queen, 1);
  setColumn(0, {card(King, 1)});
  pressTableau(0, 0);
  pressBottom(3);
  EXPECT_EQ(t.foundation[0], card(King, 1));
  EXPECT_TRUE(view.wins.empty());
}

TEST_F(FoundationTest, TheLastKingWinsWithHighscoreOnlyWhenQualified) {
  for (int qualifies : {1, 0}) {
    emptyKlondike(Level::Hard);
    t.foundation[0] = card(King, 0);
    t.foundation[1] = card(King, 1);
    t.foundation[2] = card(King, 2);
    t.foundation[3] = card(Queen, 3);
    setWaste({card(King, 3)});
    t.score = 1234;
    t.seconds = 321;
    startClock();
    t.qualifies = qualifies;
    pressBottom(1);
    pressBottom(6);
    EXPECT_FALSE(engine.clockRunning());
    ASSERT_EQ(view.wins.size(), 1u);
    EXPECT_EQ(view.wins[0], (GameResult{1244, 321, qualifies == 1}));
    view.wins.clear();
    EXPECT_EQ(t.selState, Selection::None);
  }
}

// Lay-downs onto tableau columns: the colour, rank and suit rules.
using LayDownTest = GameTest;

TEST_F(LayDownTest, OnlyOneRankLowerOfTheOtherColour) {
  struct Case {
    std::uint8_t moving, target;
    bool accepted;
  } cases[] = {
      {card(Queen, 1), card(King, 0), true},  {card(Queen, 2), card(King, 3), true},
      {card(Queen, 3), card(King, 0), false}, {card(Queen, 0), card(King, 0), false},
      {card(Jack, 1), card(King, 0), false},  {card(Ace, 1), card(Two, 0), false},
      {card(Two, 1), card(Three, 3), true},   {card(King, 1), card(Queen, 0), false},
  };
  for (const Case& c : cases) {
    emptyKlondike(Level::Easy);
    setColumn(0, {c.target});
    setWaste({c.moving});
    pressBottom(1);
    pressTableau(0, 0);
    EXPECT_EQ(t.tableau[0][1] == c.moving, c.accepted) << int(c.moving) << " on " << int(c.target);
    EXPECT_EQ(view.refusals, c.accepted ? 0 : 1);
    EXPECT_EQ(t.wasteTop, c.accepted ? -1 : 0);
    EXPECT_EQ(t.selState, Selection::None);
  }
}

TEST_F(LayDownTest, EmptyColumnsTakeOnlyKingsAndOnlyTheLastCardIsATarget) {
  emptyKlondike(Level::Easy);
  setWaste({card(King, 2), card(Queen, 2)});
  setColumn(3, {card(King, 0), card(Queen, 1)});
  pressBottom(1);
  pressTableau(1, 0);  // empty column
  EXPECT_EQ(view.refusals, 1);
  pressBottom(1);
  pressTableau(3, 0);  // the King has a card below it
  EXPECT_EQ(view.refusals, 2);
  EXPECT_EQ(t.wasteTop, 1);
  t.wasteTop = 0;
  pressBottom(1);
  pressTableau(1, 0);
  EXPECT_EQ(t.tableau[1][0], card(King, 2));
  EXPECT_EQ(view.refusals, 2);
}

struct LayDownPoints {
  const char* name;
  int normalPoints;
  bool faceDownAbove;
  bool run;
  bool ontoEmpty;
};

class LayDownScoring : public GameTest,
                       public ::testing::WithParamInterface<std::tuple<LayDownPoints, ScoreMode>> {
};

// Column 0 holds the moving card (King of suit 1 onto an empty column, else Queen of suit 1 onto
// the King of suit 0 in column 4), above it a face-down card or nothing; a run adds a Jack of suit
// 0.
TEST_P(LayDownScoring, PointsOfTableauMoves) {
  const auto [c, mode] = GetParam();
  emptyKlondike(Level::Hard, mode);
  const std::uint8_t moving = c.ontoEmpty ? card(King, 1) : card(Queen, 1);
  std::vector<std::uint8_t> source;
  if (c.faceDownAbove) source.push_back(down(card(Five, 2)));
  source.push_back(moving);
  if (c.run) source.push_back(c.ontoEmpty ? card(Queen, 0) : card(Jack, 0));
  std::copy(source.begin(), source.end(), t.tableau[0]);
  if (!c.ontoEmpty) setColumn(4, {card(King, 0)});
  const int row = c.faceDownAbove ? 1 : 0;
  pressTableau(0, row);
  pressTableau(4, 0);
  ASSERT_EQ(view.refusals, 0) << c.name;
  const int targetRow = c.ontoEmpty ? 0 : 1;
  EXPECT_EQ(t.tableau[4][targetRow], moving) << c.name;
  EXPECT_EQ(t.tableau[4][targetRow + 1], c.run ? source.back() : kEmpty) << c.name;
  EXPECT_EQ(t.tableau[0][row], kEmpty) << c.name;
  EXPECT_EQ(t.tableau[0][row + 1], kEmpty) << c.name;
  if (c.faceDownAbove) {
    EXPECT_EQ(t.tableau[0][0], card(Five, 2)) << c.name;  // turned face up
  }
  EXPECT_EQ(t.score, mode == ScoreMode::Normal ? c.normalPoints : 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Moves, LayDownScoring,
    ::testing::Combine(
        ::testing::Values(LayDownPoints{"single turning onto a card", 10, true, false, false},
                          LayDownPoints{"single King turning onto empty", 5, true, false, true},
                          LayDownPoints{"run turning onto a card", 10, true, true, false},
                          LayDownPoints{"run turning onto empty", 10, true, true, true},
                          LayDownPoints{"single from row 0 onto a card", 5, false, false, false},
                          LayDownPoints{"run from row 0 onto a card", 5, false, true, false},
                          LayDownPoints{"King from row 0 to empty", 0, false, false, true},
                          LayDownPoints{"King run from row 0 to empty", 0, false, true, true}),
        ::testing::Values(ScoreMode::Normal, ScoreMode::Vegas, ScoreMode::None)));

TEST_F(LayDownTest, WasteCardPointsOnlyInNormal) {
  for (ScoreMode mode : {ScoreMode::Normal, ScoreMode::Vegas, ScoreMode::None}) {
    emptyKlondike(Level::Hard, mode);
    setWaste({card(King, 0), card(Jack, 2)});
    setColumn(5, {card(Queen, 0)});
    pressBottom(1);
    pressTableau(5, 0);
    pressBottom(1);
    pressTableau(2, 0);
    EXPECT_EQ(t.tableau[5][1], card(Jack, 2));
    EXPECT_EQ(t.tableau[2][0], card(King, 0));
    EXPECT_EQ(t.score, mode == ScoreMode::Normal ? 10 : 0);
  }
}

TEST_F(LayDownTest, CardWithFaceUpCardAboveScoresNothing) {
  emptyKlondike(Level::Easy);
  setColumn(0, {card(Nine, 0), card(Eight, 1)});
  setColumn(1, {card(Nine, 3)});
  pressTableau(0, 1);
  pressTableau(1, 0);
  EXPECT_EQ(t.tableau[1][1], card(Eight, 1));
  EXPECT_EQ(t.score, 0);
}

// The longest column: six face-down cards and King to Ace; its whole face-up part moves to an
// empty column and exactly those thirteen cards arrive.
TEST_F(LayDownTest, TheLongestRunMovesCompletely) {
  emptyKlondike(Level::Hard);
  for (int r = 0; r < 6; ++r) t.tableau[0][r] = down(card(r, 2));
  for (int rank = King; rank >= Ace; --rank)
    t.tableau[0][6 + King - rank] = card(rank, rank % 2 ? 0 : 1);
  ASSERT_EQ(t.runLength(0, 0), kRows);
  const auto before = column(0);
  pressTableau(0, 6);
  pressTableau(1, 0);
  ASSERT_EQ(view.refusals, 0);
  for (int i = 0; i < 13; ++i) EXPECT_EQ(t.tableau[1][i], before[6 + i]);
  for (int i = 13; i < kRows; ++i) EXPECT_EQ(t.tableau[1][i], kEmpty);
  EXPECT_EQ(t.runLength(0, 0), 6);
  EXPECT_EQ(t.tableau[0][5], card(5, 2));
  EXPECT_EQ(t.tableau[2][0], kEmpty);
  EXPECT_EQ(t.score, 10);
  // The strip of the source column reaches the bottom of the last row.
  const Rect lastRow = engine.placeRect(0, kRows - 1);
  EXPECT_TRUE(view.invalidated(lastRow.left + 1, lastRow.bottom - 1));
}

using HardLevelTest = GameTest;

TEST_F(HardLevelTest, RunsOnlyAsTheWholeFaceUpPart) {
  for (Level level : {Level::Easy, Level::Medium, Level::Hard}) {
    emptyKlondike(level);
    setColumn(0, {down(card(Two, 2)), card(Nine, 0), card(Eight, 1), card(Seven, 0)});
    setColumn(1, {card(Nine, 3)});
    setColumn(2, {card(Ten, 2)});
    pressTableau(0, 2);  // the Eight, with a face-up card above it
    pressTableau(1, 0);
    const bool moved = t.tableau[1][1] == card(Eight, 1);
    EXPECT_EQ(moved, level != Level::Hard) << int(level);
    EXPECT_EQ(view.refusals, level == Level::Hard ? 1 : 0) << int(level);
    view.clearRecords();
    engine.cancelSelection();  // the second press of a refused pair picked column 1 up
    if (!moved) {
      pressTableau(0, 1);  // the first face-up card takes the rest along
      pressTableau(2, 0);
      EXPECT_EQ(t.tableau[2][3], card(Seven, 0)) << int(level);
      EXPECT_EQ(t.tableau[0][0], card(Two, 2)) << int(level);
    }
  }
}

TEST_F(HardLevelTest, SingleCardBelowAFaceUpCardGoesHomeButNotAcross) {
  for (Level level : {Level::Easy, Level::Hard}) {
    emptyKlondike(level);
    setColumn(0, {card(Three, 0), card(Two, 1)});
    setColumn(1, {card(Three, 3)});
    t.foundation[2] = card(Ace, 1);
    pressTableau(0, 1);
    EXPECT_EQ(t.selPending, false);
    pressTableau(1, 0);
    EXPECT_EQ(t.tableau[1][1] == card(Two, 1), level == Level::Easy) << int(level);
    if (level == Level::Hard) {
      EXPECT_EQ(view.refusals, 1);
      pressTableau(0, 1);
      pressBottom(5);
      EXPECT_EQ(t.foundation[2], card(Two, 1));
    }
  }
}

using TableauPressTest = GameTest;

TEST_F(TableauPressTest, FaceDownCards) {
  emptyKlondike(Level::Easy);
  setColumn(3, {down(card(Four, 0)), down(card(Six, 2))});
  pressTableau(3, 0);  // a face-down card with a card below it
  EXPECT_EQ(view.refusals, 1);
  pressTableau(3, 1);
  EXPECT_EQ(t.tableau[3][1], card(Six, 2));
  EXPECT_EQ(t.selState, Selection::None);
  EXPECT_EQ(t.score, 0);
  EXPECT_EQ(view.refusals, 1);
}

TEST_F(TableauPressTest, PressBelowTheLastCardPicksItUp) {
  emptyKlondike(Level::Easy);
  setColumn(2, {card(Four, 0), card(Three, 1)});
  press(at(2, 9));
  EXPECT_EQ(t.selState, Selection::PickedUp);
  EXPECT_EQ(t.selRow, 1);
  EXPECT_EQ(t.selCard, card(Three, 1));
  // The pixel line at the right end of the area is no column.
  press({t.layout.originX + 630, t.layout.originY + 5});
  EXPECT_EQ(view.refusals, 1);
  EXPECT_EQ(t.selState, Selection::None);
}

TEST_F(TableauPressTest, WastePickUpOntoTheWasteFromTheTableauIsRefused) {
  emptyKlondike(Level::Easy);
  setColumn(0, {card(Six, 0)});
  setWaste({card(Seven, 1)});
  pressTableau(0, 0);
  pressBottom(1);
  EXPECT_EQ(view.refusals, 1);
  EXPECT_EQ(t.tableau[0][0], card(Six, 0));
  EXPECT_EQ(t.wasteTop, 0);
}

TEST_F(TableauPressTest, AutoFinishNeedsEverythingUncovered) {
  emptyKlondike(Level::Hard);
  setColumn(0, {down(card(Two, 0)), card(Ace, 0)});
  engine.autoFinish();
  EXPECT_EQ(t.foundation[0], kEmpty);
  pressTableau(0, 1);
  pressBottom(3);
  setWaste({card(Ace, 1)});
  engine.autoFinish();
  EXPECT_EQ(t.tableau[0][0], card(Two, 0));
  t.wasteTop = -1;
  setStock({card(Ace, 1)});
  engine.autoFinish();
  EXPECT_EQ(t.tableau[0][0], card(Two, 0));
  t.stockCount = 0;
  engine.autoFinish();
  EXPECT_EQ(t.tableau[0][0], kEmpty);
  EXPECT_EQ(t.foundation[0], card(Two, 0));
  EXPECT_EQ(view.refusals, 0);
}

TEST_F(TableauPressTest, AutoFinishDropsAPendingPickUp) {
  emptyKlondike(Level::Easy);
  setColumn(0, {card(King, 0)});
  setColumn(1, {card(Ace, 0)});
  pressTableau(0, 0);
  engine.autoFinish();
  EXPECT_EQ(t.selState, Selection::None);
  pressTableau(2, 0);  // would lay the King a second time if the pick-up had survived
  EXPECT_EQ(t.tableau[2][0], kEmpty);
}

// Step by step, one card per step: the last step wins and reports that none remain; a new deal
// or a pick-up between the steps leaves nothing half done.
TEST_F(TableauPressTest, AutoFinishStepsOneCardAtATime) {
  emptyKlondike(Level::Easy);
  setColumn(0, {card(Two, 0), card(Ace, 0)});
  setColumn(1, {card(Ace, 1)});
  EXPECT_FALSE(engine.autoFinishStep());  // not started
  ASSERT_TRUE(engine.startAutoFinish());
  EXPECT_TRUE(engine.autoFinishStep());
  EXPECT_EQ(t.foundation[0], card(Ace, 0));
  EXPECT_EQ(view.repaintCount, 1);
  pressTableau(1, 0);  // the player picks up the other Ace meanwhile
  EXPECT_TRUE(engine.autoFinishStep());
  EXPECT_EQ(t.foundation[1], card(Ace, 1));
  EXPECT_TRUE(view.wins.empty());
  EXPECT_FALSE(engine.autoFinishStep());
  EXPECT_EQ(t.foundation[0], card(Two, 0));
  EXPECT_EQ(t.selState, Selection::None);
  EXPECT_EQ(view.repaintCount, 3);

  emptyKlondike(Level::Easy);
  setColumn(0, {card(Ace, 0)});
  setColumn(1, {card(Ace, 1)});
  ASSERT_TRUE(engine.startAutoFinish());
  EXPECT_TRUE(engine.autoFinishStep());
  engine.restart();
  for (auto& column : t.tableau) std::fill(std::begin(column), std::end(column), kEmpty);
  setColumn(0, {card(Ace, 2)});  // a position the finish could go on with
  t.stockCount = 0;
  std::fill(std::begin(t.foundation), std::end(t.foundation), kEmpty);
  EXPECT_FALSE(engine.autoFinishStep());
  EXPECT_EQ(t.tableau[0][0], card(Ace, 2));
}

}  // namespace
}  // namespace game::testing
