// Score modes, the game clock with its time penalty, and the eligibility for the highscore list.
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

class ScoringTest : public GameTest {
 protected:
  void ticks(int n) {
    for (int i = 0; i < n; ++i) engine.clockTick();
  }
  void pressTable() { leftDown(at(3, 0)), leftUp(at(3, 0)); }
};

TEST_F(ScoringTest, TimePenaltyEveryTenSeconds) {
  setMenu(engine, &MenuState::scoreMode, ScoreMode::Normal);
  engine.dealKlondike();
  ticks(10);
  EXPECT_EQ(view.seconds, 10);
  EXPECT_EQ(t.score, -2);
  EXPECT_EQ(view.score, -2);
  ticks(15);
  EXPECT_EQ(t.seconds, 25);
  EXPECT_EQ(view.seconds, 25);
  EXPECT_EQ(t.score, -4);
  EXPECT_EQ(t.tenTicks, 5);
}

TEST_F(ScoringTest, FirstPressStartsTheClockOnlyWithNormalAndTimed) {
  setMenu(engine, &MenuState::scoreMode, ScoreMode::Vegas);
  engine.dealKlondike();
  EXPECT_EQ(view.score, -52);
  pressTable();
  EXPECT_FALSE(engine.clockRunning());
  setMenu(engine, &MenuState::scoreMode, ScoreMode::Normal);
  setMenu(engine, &MenuState::timed, false);
  pressTable();
  EXPECT_FALSE(engine.clockRunning());
  setMenu(engine, &MenuState::timed, true);
  leftDown({2, 2});  // outside the table area
  EXPECT_FALSE(engine.clockRunning());
  pressTable();
  EXPECT_TRUE(engine.clockRunning());
  pressTable();
  EXPECT_EQ(view.clockChanges, std::vector<bool>{true});  // a running clock is left alone
}

TEST_F(ScoringTest, TimedOffKeepsTheTenthsCount) {
  setMenu(engine, &MenuState::scoreMode, ScoreMode::Normal);
  engine.dealKlondike();
  pressTable();
  ticks(7);
  engine.toggleTimed();
  EXPECT_FALSE(engine.clockRunning());
  EXPECT_FALSE(engine.menu().timed);
  EXPECT_EQ(t.qualifies, 0);
  engine.toggleTimed();
  EXPECT_TRUE(engine.clockRunning());
  ticks(2);
  EXPECT_EQ(t.score, 0);
  ticks(1);
  EXPECT_EQ(t.score, -2);
  EXPECT_EQ(t.qualifies, 0);  // Timed on again never makes the game eligible
}

TEST_F(ScoringTest, MenuHandlers) {
  setMenu(engine, &MenuState::scoreMode, ScoreMode::Normal);
  engine.dealKlondike();
  ASSERT_EQ(t.qualifies, 1);
  t.score = 35;
  t.seconds = 14;
  t.tenTicks = 4;
  engine.chooseNormal();
  EXPECT_EQ(t.qualifies, 1);
  EXPECT_EQ(t.score, 35);
  engine.chooseVegas();
  EXPECT_EQ(engine.menu().scoreMode, ScoreMode::Vegas);
  EXPECT_EQ(t.qualifies, 0);
  EXPECT_EQ(t.score, 35);  // switching keeps the score
  startClock();
  engine.chooseNone();
  EXPECT_EQ(engine.menu().scoreMode, ScoreMode::None);
  EXPECT_EQ(t.score, 0);
  EXPECT_EQ(t.seconds, 0);
  EXPECT_EQ(t.tenTicks, 4);
  EXPECT_EQ(view.score, 0);
  EXPECT_EQ(view.seconds, 0);
  EXPECT_FALSE(engine.clockRunning());
  engine.chooseNormal();
  EXPECT_EQ(t.qualifies, 0);
  // Timed switched on under None starts the clock at once, and the penalty runs.
  engine.chooseNone();
  startClock();
  ticks(6);
  EXPECT_EQ(t.score, -2);
}

TEST_F(ScoringTest, VegasMoveAfterSwitchCountsVegasPoints) {
  emptyKlondike(Level::Hard, ScoreMode::Normal);
  setWaste({card(Ace, 0), card(Two, 1)});
  setColumn(0, {card(Three, 0)});
  pressBottom(1);
  pressTableau(0, 0);
  EXPECT_EQ(t.score, 5);
  engine.chooseVegas();
  pressBottom(1);
  pressBottom(3);
  EXPECT_EQ(t.score, 10);
}

TEST_F(ScoringTest, QuatroLeavesTheClockAlone) {
  setMenu(engine, &MenuState::scoreMode, ScoreMode::Normal);
  engine.dealKlondike();
  pressTable();
  ASSERT_TRUE(engine.clockRunning());
  engine.play(game::RuleSet::Quatro);
  EXPECT_TRUE(engine.clockRunning());
  engine.play(game::RuleSet::Klondike);
  EXPECT_FALSE(engine.clockRunning());
}

TEST_F(ScoringTest, AWonGamesClockStaysStopped) {
  emptyKlondike(Level::Hard, ScoreMode::Normal);
  for (int suit = 0; suit < 4; ++suit)
    for (int rank = King; rank >= Ace; --rank) t.tableau[suit][King - rank] = card(rank, suit);
  pressTable();
  ASSERT_TRUE(engine.clockRunning());
  engine.autoFinish();
  ASSERT_FALSE(engine.clockRunning());
  const int score = t.score;
  pressTable();  // a click on the won table
  EXPECT_FALSE(engine.clockRunning());
  engine.toggleTimed();
  engine.toggleTimed();
  EXPECT_FALSE(engine.clockRunning());
  EXPECT_EQ(t.score, score);
}

}  // namespace
}  // namespace game::testing
