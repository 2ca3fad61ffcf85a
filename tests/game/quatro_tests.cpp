// Quatro: placing cards, the places of face cards, pairs and Tens, pair mode, the win.
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

class QuatroTest : public GameTest {
 protected:
  QuatroTest() {
    engine.play(game::RuleSet::Quatro);
    view.clearRecords();
  }
  // Grid given by rows of four codes (screen columns 2..5); `current` is the card to place and
  // `undealt` the stock that follows it (the last one comes next).
  void setGrid(const std::array<std::array<std::uint8_t, 4>, 4>& rows, std::uint8_t current,
               std::initializer_list<std::uint8_t> undealt = {}) {
    t.gridCount = 0;
    for (int r = 0; r < 4; ++r)
      for (int g = 0; g < 4; ++g) {
        t.grid[g][r] = rows[r][g];
        if (rows[r][g] != kEmpty) ++t.gridCount;
      }
    t.current = current;
    std::copy(undealt.begin(), undealt.end(), t.deck);
    t.deckTop = static_cast<std::int8_t>(undealt.size()) - 1;
    t.pairMode = t.gridCount == 16 ? 1 : 0;
  }
  void click(int column, int row) {
    const Point p = at(column, row, 40);
    engine.mouseDown(MouseButton::Left, p.x, p.y);
    engine.mouseUp(MouseButton::Left, p.x, p.y);
  }
  std::uint8_t grid(int column, int row) const { return t.grid[column - 2][row]; }
};

constexpr std::uint8_t E = kEmpty;
constexpr std::array<std::array<std::uint8_t, 4>, 4> kEmptyGrid{
    {{E, E, E, E}, {E, E, E, E}, {E, E, E, E}, {E, E, E, E}}};

// A full grid (pair mode) of one rank in the four suits.
std::array<std::array<std::uint8_t, 4>, 4> fullGridOf(int rank) {
  std::array<std::array<std::uint8_t, 4>, 4> rows{};
  for (int r = 0; r < 4; ++r)
    for (int g = 0; g < 4; ++g) rows[r][g] = card(rank, (r + g) % 4);
  return rows;
}

TEST_F(QuatroTest, FaceCardsOnlyOnTheirPlaces) {
  setGrid(kEmptyGrid, card(Queen, 0), {card(King, 1), card(Three, 2)});
  click(2, 0);  // a Queen in a corner
  EXPECT_EQ(view.refusals, 1);
  EXPECT_EQ(grid(2, 0), E);
  click(3, 1);  // an inner place
  EXPECT_EQ(view.refusals, 2);
  click(4, 3);
  EXPECT_EQ(grid(4, 3), card(Queen, 0));
  EXPECT_EQ(t.current, card(Three, 2));  // the next undealt card
  click(2, 0);                           // a number card may go into a corner
  EXPECT_EQ(grid(2, 0), card(Three, 2));
  EXPECT_EQ(t.current, card(King, 1));
  click(5, 1);
  EXPECT_EQ(view.refusals, 3);
  click(5, 3);
  EXPECT_EQ(grid(5, 3), card(King, 1));
  EXPECT_EQ(t.gridCount, 3);
  EXPECT_EQ(t.current, kEmpty);  // that was the last card
  click(3, 2);
  EXPECT_EQ(view.refusals, 4);
  EXPECT_EQ(t.gridCount, 3);
}

TEST_F(QuatroTest, PressesOutsideTheGridAreRefused) {
  click(0, 1);
  click(6, 0);
  click(3, 4);
  EXPECT_EQ(view.refusals, 3);
  EXPECT_EQ(t.gridCount, 0);
  EXPECT_EQ(t.deckTop, 50);
}

TEST_F(QuatroTest, TargetsOfTheCurrentFaceCard) {
  setGrid({{{card(Two, 0), E, E, E}, {E, E, E, E}, {E, E, E, E}, {E, E, E, card(King, 2)}}},
          card(King, 0));
  Targets places;
  ASSERT_EQ(engine.targets(places), 2);
  EXPECT_EQ(places[0], (Place{2, 3}));
  EXPECT_EQ(places[1], (Place{5, 0}));
  t.current = card(Jack, 3);
  EXPECT_EQ(engine.targets(places), 4);
  t.current = card(Nine, 3);
  EXPECT_EQ(engine.targets(places), 0);
  // Placing the King repaints the places that were highlighted.
  t.current = card(King, 0);
  click(5, 0);
  EXPECT_TRUE(view.invalidated(at(2, 3, 40).x, at(2, 3, 40).y));
}

TEST_F(QuatroTest, PairsOnlyOnceTheGridIsFull) {
  const std::uint8_t two = card(Two, 0), eight = card(Eight, 1), ten = card(Ten, 2),
                     five = card(Five, 1), five2 = card(Five, 3), three = card(Three, 0),
                     four = card(Four, 2);
  setGrid({{{two, eight, ten, five},
            {five2, three, four, card(Six, 0)},
            {card(Seven, 1), card(Nine, 3), card(Ace, 0), card(Ace, 1)},
            {card(Ace, 2), card(Ace, 3), card(Six, 3), E}}},
          card(Seven, 2), {card(Nine, 0)});
  ASSERT_EQ(t.gridCount, 15);
  click(2, 0);  // occupied, not yet pairing
  EXPECT_EQ(view.refusals, 1);
  click(5, 3);  // the sixteenth card
  EXPECT_EQ(t.gridCount, 16);
  EXPECT_EQ(t.pairMode, 1);
  click(2, 0);
  EXPECT_EQ(t.selPending, true);
  EXPECT_TRUE(t.markVisible);
  click(3, 0);  // Two and Eight
  EXPECT_EQ(grid(2, 0), E);
  EXPECT_EQ(grid(3, 0), E);
  EXPECT_FALSE(t.markVisible);
  click(4, 0);  // a Ten alone
  EXPECT_EQ(grid(4, 0), E);
  click(5, 0);
  click(2, 1);  // Five and Five
  EXPECT_EQ(grid(5, 0), E);
  EXPECT_EQ(grid(2, 1), E);
  EXPECT_EQ(t.gridCount, 11);
  EXPECT_EQ(t.pairMode, 1);
  click(3, 1);
  click(4, 1);  // Three and Four make seven
  EXPECT_EQ(view.refusals, 2);
  EXPECT_EQ(grid(3, 1), three);
  EXPECT_EQ(t.selPending, false);
  EXPECT_FALSE(t.markVisible);
  // An empty place ends pair mode and takes the current card.
  click(2, 0);
  EXPECT_EQ(t.pairMode, 0);
  EXPECT_EQ(grid(2, 0), card(Nine, 0));
  click(3, 1);
  EXPECT_EQ(view.refusals, 3);
}

TEST_F(QuatroTest, ChoosingTheSameCardTwiceDropsIt) {
  setGrid(fullGridOf(Two), card(Three, 0));
  click(3, 2);
  ASSERT_TRUE(t.markVisible);
  EXPECT_EQ(t.markedCount, 1);
  view.clearRecords();
  click(3, 2);
  EXPECT_EQ(view.refusals, 1);
  EXPECT_EQ(t.selPending, false);
  EXPECT_FALSE(t.markVisible);
  EXPECT_EQ(t.gridCount, 16);
  // The one-card frame is repainted away: its bottom edge lies at the card's bottom.
  const Rect place = engine.placeRect(3, 2);
  EXPECT_TRUE(view.invalidated(place.left + 40, place.bottom + 1));
  EXPECT_TRUE(view.invalidated(place.left - 1, place.top + 60));
}

TEST_F(QuatroTest, RightButtonDropsTheChoice) {
  setGrid(fullGridOf(Three), card(Three, 0));
  click(2, 2);
  const Point p = at(2, 2, 40);
  engine.mouseDown(MouseButton::Right, p.x, p.y);
  EXPECT_EQ(t.selPending, false);
  EXPECT_FALSE(t.markVisible);
  EXPECT_EQ(view.refusals, 0);
}

TEST_F(QuatroTest, WinWithTheLastFaceCardThenPressesAreIgnored) {
  const std::uint8_t K = card(King, 0), Q = card(Queen, 0), J = card(Jack, 0);
  setGrid({{{K, Q, card(Queen, 1), card(King, 1)},
            {J, E, E, card(Jack, 1)},
            {card(Jack, 2), card(Four, 0), E, card(Jack, 3)},
            {card(King, 2), card(Queen, 2), card(Queen, 3), E}}},
          card(King, 3), {card(Two, 1), card(Six, 1)});
  click(3, 1);  // a King on an inner place: refused, no win yet
  EXPECT_EQ(view.wins.size(), 0u);
  click(5, 3);
  EXPECT_EQ(view.wins.size(), 1u);
  EXPECT_EQ(t.quatroOver, 1);
  const int refusals = view.refusals;
  click(3, 1);
  click(0, 0);
  EXPECT_EQ(view.refusals, refusals);
  EXPECT_EQ(grid(3, 1), E);
  EXPECT_EQ(view.wins.size(), 1u);
  engine.restart();
  EXPECT_EQ(t.quatroOver, 0);
}

TEST_F(QuatroTest, WholeGamesOfPlacingAndPairingNeverCopyACard) {
  // Press the places in turn: cards are placed, and once the grid is full pairs and Tens go.
  int removedInAllGames = 0;
  for (std::uint32_t seed = 1; seed <= 30; ++seed) {
    engine.seedSource = [seed] { return seed; };
    engine.restart();
    int removed = 0;
    for (int step = 0; step < 300 && t.quatroOver == 0; ++step) {
      const int before = t.gridCount;
      click(2 + step % 4, (step / 4) % 4);
      if (t.gridCount < before) removed += before - t.gridCount;
      ASSERT_TRUE(noCardTwice(engine)) << step;
      const auto count = cardCensus(engine);
      ASSERT_EQ(std::count(count.begin(), count.end(), 0), removed) << step;
    }
    removedInAllGames += removed;
  }
  EXPECT_GT(removedInAllGames, 0);
}

}  // namespace
}  // namespace game::testing
