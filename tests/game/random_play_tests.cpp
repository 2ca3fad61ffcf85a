// Thousands of random presses, drags, menu commands, undos and redos over many deals: after every
// step each of the 52 cards is present exactly once, and a press answered by the refusal sound
// changed no pile.
#include <cstdio>
#include <random>
#include <vector>

#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

// What a run got up to, so that a run that never reaches the interesting states fails.
struct PlayStats {
  int drags = 0, refusedPresses = 0, cardsHome = 0, quatroRemovals = 0, wins = 0;
};

class RandomPlay {
 public:
  explicit RandomPlay(unsigned seed) : random_(seed) {
    engine_.setCardSetPresent(true);
    engine_.seedSource = [this] { return static_cast<std::uint32_t>(random_()); };
    engine_.setScreenClass(3);
    engine_.dealKlondike();
  }

  PlayStats run(int steps) {
    for (int step = 0; step < steps && !::testing::Test::HasFailure(); ++step) {
      view_.invalidations.clear();
      const int action = pick(100);
      if (action < 35)
        pressOnce(randomPoint(), randomPoint());
      else if (action < 90)
        guidedMove();
      else if (action < 93)
        rightPress();
      else
        menuCommand();
      check("after step");
      ++steps_;
    }
    stats_.wins = static_cast<int>(view_.wins.size());
    return stats_;
  }

 private:
  std::mt19937 random_;
  RecordingView view_;
  GameEngine engine_{view_};
  const GameTable& t = engine_.table();
  long steps_ = 0;
  PlayStats stats_;
  int dealsSeen_ = -1;
  std::array<bool, 52> removed_{};

  int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

  std::string describe() const {
    std::string text = engine_.menu().ruleSet == RuleSet::Quatro ? "Quatro" : "Klondike";
    text += std::string(" level ") + char('A' + int(engine_.menu().level)) +
            (engine_.menu().dragDrop ? " drag" : " click");
    const auto count = cardCensus(engine_);
    for (int v = 0; v < 52; ++v)
      if (count[v] != 1) text += " card " + std::to_string(v) + " x" + std::to_string(count[v]);
    text += " stock " + std::to_string(t.stockCount) + " waste " + std::to_string(t.wasteTop);
    for (auto f : t.foundation) text += " f" + std::to_string(f);
    for (int c = 0; c < kColumns; ++c) {
      text += "\ncol" + std::to_string(c) + ":";
      for (int r = 0; r < kRows; ++r) text += " " + std::to_string(t.tableau[c][r]);
    }
    return text;
  }

  // Klondike: every card exactly once. Quatro: no card twice, and a card that has been removed
  // stays away until the next deal (every deal repaints the whole window).
  void check(const char* when) {
    if (engine_.menu().ruleSet == RuleSet::Klondike) {
      ASSERT_TRUE(everyCardOnce(engine_)) << when << " at step " << steps_ << " " << describe();
    } else {
      ASSERT_TRUE(noCardTwice(engine_)) << when << " at step " << steps_ << " " << describe();
      const auto count = cardCensus(engine_);
      if (view_.invalidateAllCount != dealsSeen_) {
        dealsSeen_ = view_.invalidateAllCount;
        removed_.fill(false);
      }
      for (int v = 0; v < 52; ++v) {
        ASSERT_FALSE(removed_[v] && count[v] == 1)
            << "card " << v << " came back at step " << steps_;
        removed_[v] = count[v] == 0;
      }
    }
    ASSERT_NE(t.selState, Selection::SeekingFoundation) << when;
  }

  // Mostly a point on a card that can be played or on a pile; now and then anywhere in or around
  // the window.
  Point randomPoint() {
    if (pick(10) == 0) return {pick(760) - 40, pick(700) - 40};
    if (engine_.menu().ruleSet == RuleSet::Quatro) {
      const Rect place = engine_.placeRect(2 + pick(4), pick(4));
      return {place.left + pick(90), place.top + pick(131)};
    }
    const int choice = pick(10);
    if (choice < 3) {
      const Rect place = engine_.placeRect(pick(8), t.layout.bottomRow);
      return {place.left + pick(90), place.top + pick(131)};
    }
    const int column = pick(7);
    const int last = engine_.table().lastRow(column);
    int row = last;
    if (choice < 6) {  // any face-up card of the column
      while (row > 0 && !Card{t.tableau[column][row - 1]}.faceDown() && pick(2)) --row;
    }
    const Rect place = engine_.placeRect(column, row);
    return {place.left + pick(90), place.top + pick(row == last ? 131 : t.layout.rowStep)};
  }

  // A move that the player would try: a playable card to a place where it fits (judged roughly
  // here, the engine decides), or the stock.
  void guidedMove() {
    if (engine_.menu().ruleSet == RuleSet::Klondike && engine_.canAutoFinish() && pick(2)) {
      engine_.autoFinish();
      return;
    }
    if (engine_.menu().ruleSet == RuleSet::Quatro || pick(5) == 0) {
      const Point p = randomPoint();
      pressOnce(p, p);
      return;
    }
    const bool fromWaste = pick(3) == 0 && t.wasteTop >= 0;
    const int column = pick(7);
    int row = engine_.table().lastRow(column);
    if (pick(2))
      while (row > 0 && !Card{t.tableau[column][row - 1]}.faceDown()) --row;
    const std::uint8_t moving = fromWaste ? t.waste[t.wasteTop] : t.tableau[column][row];
    const Point source = fromWaste ? pilePoint(1) : cardPoint(column, row);
    const Point target = targetFor(moving);
    pressOnce(source, target);
    if (!engine_.menu().dragDrop && engine_.menu().ruleSet == RuleSet::Klondike)
      pressOnce(target, target);
  }

  Point pilePoint(int column) const { return game::testing::pilePoint(engine_, column); }
  Point cardPoint(int column, int row) const {
    return game::testing::cardPoint(engine_, column, row);
  }

  Point targetFor(std::uint8_t moving) {
    for (int f = 0; f < 4; ++f) {
      const std::uint8_t top = t.foundation[f];
      if (top == kEmpty ? moving < 4 : top + 4 == moving) return pilePoint(3 + f);
    }
    const int start = pick(7);
    for (int i = 0; i < 7; ++i) {
      const int column = (start + i) % 7;
      const int last = engine_.table().lastRow(column);
      const std::uint8_t target = t.tableau[column][last];
      const bool otherColour = Card{target}.suit() != Card{moving}.suit() &&
                               Card{target}.suit() + Card{moving}.suit() != 3;
      const bool fits = target == kEmpty
                            ? Card{moving}.rank() == 12
                            : Card{target}.rank() == Card{moving}.rank() + 1 && otherColour;
      if (fits) return cardPoint(column, last);
    }
    return pick(2) ? pilePoint(0) : randomPoint();
  }

  void pressOnce(Point down, Point up) {
    const std::vector<int> before = piles(engine_);
    const int refusals = view_.refusals;
    const int foundationBefore = foundationCards();
    const int gridBefore = t.gridCount;
    engine_.mouseDown(MouseButton::Left, down.x, down.y);
    check("after press");
    if (engine_.table().dragHoldsCards) {
      ++stats_.drags;
      for (int moves = pick(4); moves > 0; --moves) {
        const Point p = randomPoint();
        engine_.mouseMove(pick(8) != 0, pick(6) != 0, p.x, p.y);
        check("after move");
      }
    }
    if (!t.dragHoldsCards) up = down;
    engine_.mouseUp(MouseButton::Left, up.x, up.y);
    check("after release");
    EXPECT_FALSE(t.dragHoldsCards);
    if (engine_.menu().ruleSet == RuleSet::Klondike)
      stats_.cardsHome += foundationCards() > foundationBefore;
    else
      stats_.quatroRemovals += t.gridCount < gridBefore;
    if (view_.refusals != refusals) {
      ++stats_.refusedPresses;
      EXPECT_EQ(piles(engine_), before) << "a refused press changed the piles at step " << steps_;
      EXPECT_EQ(view_.refusals, refusals + 1) << "more than one refusal cue in one press";
    }
  }

  int foundationCards() const {
    int cards = 0;
    for (std::uint8_t top : t.foundation) cards += top == kEmpty ? 0 : Card{top}.rank() + 1;
    return cards;
  }

  void rightPress() {
    const Point p = randomPoint();
    engine_.mouseDown(MouseButton::Right, p.x, p.y);
    engine_.mouseUp(MouseButton::Right, p.x, p.y);
  }

  void menuCommand() {
    // New deals are rare, so that games get far.
    switch (pick(20) == 0 ? pick(2) : 2 + pick(12)) {
      case 0: engine_.restart(); break;
      case 1:
        if (pick(2))
          engine_.play(game::RuleSet::Quatro);
        else
          engine_.play(game::RuleSet::Klondike);
        break;
      case 2: engine_.chooseLevel(static_cast<Level>(pick(3))); break;
      case 3: engine_.chooseNormal(); break;
      case 4: engine_.chooseVegas(); break;
      case 5: engine_.chooseNone(); break;
      case 6: engine_.toggleTimed(); break;
      case 7: engine_.toggleDragDrop(); break;
      case 8: engine_.autoFinish(); break;
      case 9: engine_.cancelSelection(); break;
      case 10: engine_.clockTick(); break;
      case 11: engine_.undo(); break;
      case 12: engine_.redo(); break;
      default: {
        // A press whose release never arrives, followed by a command.
        const Point p = randomPoint();
        engine_.mouseDown(MouseButton::Left, p.x, p.y);
        check("after unreleased press");
        if (pick(2))
          engine_.autoFinish();
        else
          engine_.toggleDragDrop();
        break;
      }
    }
  }
};

TEST(RandomPlayTest, NoCardIsEverLostOrDuplicated) {
  PlayStats total;
  for (unsigned seed = 1; seed <= 8 && !::testing::Test::HasFailure(); ++seed) {
    const PlayStats stats = RandomPlay(seed).run(10000);
    total.drags += stats.drags;
    total.refusedPresses += stats.refusedPresses;
    total.cardsHome += stats.cardsHome;
    total.quatroRemovals += stats.quatroRemovals;
    total.wins += stats.wins;
  }
  EXPECT_GT(total.drags, 1000);
  EXPECT_GT(total.refusedPresses, 1000);
  EXPECT_GT(total.cardsHome, 200);
  EXPECT_GT(total.quatroRemovals, 50);
  std::printf(
      "drags %d, refused presses %d, cards to foundations %d, Quatro removals %d, wins %d\n",
      total.drags, total.refusedPresses, total.cardsHome, total.quatroRemovals, total.wins);
}

}  // namespace
}  // namespace game::testing
