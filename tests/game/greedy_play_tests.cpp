// Whole Klondike games played through the pointer handlers by a simple greedy player that only
// knows where cards lie, not the rules: it tries the moves a player would try first and lets the
// engine accept or refuse them. Every card stays present once, and won games end properly.
#include "game/move_history.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

class GreedyPlayer {
 public:
  GreedyPlayer(GameEngine& engine, RecordingView& view) : e_(engine), view_(view) {}

  // Plays until won or stuck, checking the census after every attempt.
  void play() {
    int idleStockPresses = 0;
    for (int turn = 0; turn < 3000 && !won(); ++turn) {
      if (e_.canAutoFinish()) {
        e_.autoFinish();
        checkCensus();
        break;
      }
      if (anyProgress()) {
        idleStockPresses = 0;
        continue;
      }
      if (++idleStockPresses > 3 * 52) break;  // the stock cycles without anything to play
      const Point stock = pilePoint(0);
      tryMove(stock, stock);
    }
  }

  bool won() const {
    for (std::uint8_t top : e_.table().foundation)
      if (top == kEmpty || Card{top}.rank() != King) return false;
    return true;
  }

 private:
  GameEngine& e_;
  RecordingView& view_;

  Point pilePoint(int column) const { return game::testing::pilePoint(e_, column); }
  Point cardPoint(int column, int row) const { return game::testing::cardPoint(e_, column, row); }
  int lastRow(int column) const { return e_.table().lastRow(column); }

  void checkCensus() { ASSERT_TRUE(everyCardOnce(e_)); }

  // One attempt: press at `from` and release or press again at `to`. True when any pile changed.
  bool tryMove(Point from, Point to) {
    const std::vector<int> before = piles(e_);
    if (e_.menu().dragDrop) {
      e_.mouseDown(MouseButton::Left, from.x, from.y);
      e_.mouseMove(true, true, to.x, to.y);
      e_.mouseUp(MouseButton::Left, to.x, to.y);
    } else {
      e_.mouseDown(MouseButton::Left, from.x, from.y);
      e_.mouseUp(MouseButton::Left, from.x, from.y);
      if (e_.table().selState == Selection::PickedUp && !(from.x == to.x && from.y == to.y)) {
        e_.mouseDown(MouseButton::Left, to.x, to.y);
        e_.mouseUp(MouseButton::Left, to.x, to.y);
      }
      if (e_.table().selState == Selection::PickedUp)
        e_.mouseDown(MouseButton::Right, from.x, from.y);
    }
    checkCensus();
    return piles(e_) != before;
  }

  bool anyProgress() {
    const GameTable& t = e_.table();
    // Face-down last cards are turned.
    for (int c = 0; c < kColumns; ++c)
      if (Card{t.tableau[c][lastRow(c)]}.occupied() && Card{t.tableau[c][lastRow(c)]}.faceDown() &&
          tryMove(cardPoint(c, lastRow(c)), cardPoint(c, lastRow(c))))
        return true;
    // Cards home: the waste top, then the last cards.
    for (int f = 0; f < 4; ++f) {
      if (t.wasteTop >= 0 && tryMove(pilePoint(1), pilePoint(3 + f))) return true;
      for (int c = 0; c < kColumns; ++c)
        if (Card{t.tableau[c][0]}.occupied() && tryMove(cardPoint(c, lastRow(c)), pilePoint(3 + f)))
          return true;
    }
    // The face-up part of a column, when that uncovers a card or moves a King off a pile.
    for (int c = 0; c < kColumns; ++c) {
      int first = lastRow(c);
      if (!Card{t.tableau[c][first]}.occupied()) continue;
      while (first > 0 && !Card{t.tableau[c][first - 1]}.faceDown()) --first;
      if (first == 0) continue;  // nothing to uncover
      for (int target = 0; target < kColumns; ++target)
        if (target != c && tryMove(cardPoint(c, first), cardPoint(target, lastRow(target))))
          return true;
    }
    // The waste top onto a column.
    if (t.wasteTop >= 0)
      for (int target = 0; target < kColumns; ++target)
        if (tryMove(pilePoint(1), cardPoint(target, lastRow(target)))) return true;
    return false;
  }
};

using GreedyPlayTest = GameTest;

TEST_F(GreedyPlayTest, WholeGamesKeepEveryCardAndEndWithTheWinScreens) {
  int wins = 0, vegasWins = 0;
  for (std::uint32_t seed = 1; seed <= 120 && !HasFailure(); ++seed) {
    engine.seedSource = [seed] { return seed * 7919u; };
    setMenu(engine, &MenuState::level, Level::Easy);
    setMenu(engine, &MenuState::scoreMode, seed % 2 ? ScoreMode::Vegas : ScoreMode::Normal);
    setMenu(engine, &MenuState::dragDrop, seed % 4 < 2);
    engine.dealKlondike();
    view.clearRecords();
    GreedyPlayer player(engine, view);
    player.play();
    if (!player.won()) continue;
    ++wins;
    ASSERT_EQ(view.wins.size(), 1u) << seed;
    EXPECT_FALSE(view.wins[0].qualifies);  // Easy never qualifies for the list
    EXPECT_EQ(view.wins[0].score, t.score);
    EXPECT_FALSE(engine.clockRunning());
    if (engine.menu().scoreMode == ScoreMode::Vegas) {
      ++vegasWins;
      EXPECT_EQ(t.score, -52 + 52 * 5) << seed;
    }
    EXPECT_EQ(view.score, t.score);
  }
  EXPECT_GE(wins, 5);
  EXPECT_GE(vegasWins, 1);
  std::printf("%d of 120 games won (%d in Vegas)\n", wins, vegasWins);
}

// Games that end stuck are undone step by step back to the deal, then redone to their end: each
// step goes back to exactly the state it came from.
TEST_F(GreedyPlayTest, LostGamesUndoBackToTheDealAndRedoToTheirEnd) {
  int lost = 0;
  for (std::uint32_t seed = 1; seed <= 12 && !HasFailure(); ++seed) {
    engine.seedSource = [seed] { return seed * 7919u; };
    setMenu(engine, &MenuState::scoreMode, seed % 2 ? ScoreMode::Vegas : ScoreMode::Normal);
    setMenu(engine, &MenuState::dragDrop, seed % 4 < 2);
    engine.dealKlondike();
    const RuleState deal = ruleStateOf(t);
    GreedyPlayer player(engine, view);
    player.play();
    if (player.won()) continue;
    ++lost;
    std::vector<RuleState> states{ruleStateOf(t)};
    while (engine.canUndo()) {
      engine.undo();
      ASSERT_TRUE(everyCardOnce(engine));
      states.push_back(ruleStateOf(t));
    }
    EXPECT_TRUE(states.back() == deal) << seed;
    EXPECT_GT(states.size(), 10u);
    EXPECT_EQ(t.qualifies, 0);
    for (auto s = states.rbegin() + 1; s != states.rend(); ++s) {
      ASSERT_TRUE(engine.canRedo());
      engine.redo();
      ASSERT_TRUE(ruleStateOf(t) == *s) << seed;
    }
    EXPECT_FALSE(engine.canRedo());
  }
  EXPECT_GE(lost, 4);
}

}  // namespace
}  // namespace game::testing
