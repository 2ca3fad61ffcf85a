// The generator, the shuffle, both deals, the rule-set switches, the levels and the layout.
#include <numeric>

#include "game/deck.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

// Each of the 52 card values exactly once.
bool isPermutation(Deck deck) {
  std::sort(deck.begin(), deck.end());
  Deck identity{};
  std::iota(identity.begin(), identity.end(), 0);
  return deck == identity;
}

TEST(RuntimeRandom, SeedOneGivesTheKnownLinearCongruentialSequence) {
  RuntimeRandom random(1);
  const int expected[] = {346, 130, 10982, 1090, 11656, 7117, 17595, 6415, 22948, 31126};
  for (int value : expected) EXPECT_EQ(random.draw(), value);
}

TEST(ShuffleDeck, GivesTheKnownDealsAndPermutations) {
  // Deals worked out from the three phases of the shuffle (first appearance, drawing
  // without replacement, cut) on the runtime's generator.
  const struct {
    std::uint32_t seed;
    Deck deck;
  } deals[] = {
      {0u, {0,  29, 6,  17, 20, 1,  42, 2,  16, 30, 39, 37, 36, 7,  40, 23, 47, 46,
            26, 33, 4,  31, 45, 34, 25, 38, 44, 41, 35, 19, 5,  27, 13, 15, 51, 14,
            21, 18, 43, 49, 28, 3,  22, 11, 12, 32, 9,  8,  10, 48, 50, 24}},
      {1u, {34, 27, 31, 48, 41, 35, 49, 50, 30, 33, 15, 46, 14, 21, 18, 43, 13, 4,
            51, 32, 11, 39, 22, 24, 8,  6,  10, 5,  26, 9,  29, 12, 17, 20, 1,  28,
            2,  16, 19, 25, 37, 36, 7,  40, 23, 47, 3,  44, 45, 0,  38, 42}},
      {12345u, {49, 0,  33, 15, 8,  23, 29, 17, 18, 48, 22, 37, 45, 41, 34, 51, 36, 39,
                27, 47, 9,  3,  35, 30, 21, 10, 11, 2,  16, 31, 4,  6,  40, 38, 44, 20,
                5,  26, 28, 19, 13, 24, 32, 50, 14, 46, 42, 43, 7,  1,  12, 25}},
      {1700000000u, {43, 13, 23, 39, 32, 41, 47, 37, 16, 8,  15, 33, 3,  6,  44, 12, 21, 34,
                     10, 2,  22, 27, 29, 17, 31, 49, 36, 7,  42, 51, 25, 5,  11, 40, 4,  48,
                     50, 18, 9,  20, 14, 19, 38, 26, 28, 45, 46, 1,  0,  35, 24, 30}},
      {4294967295u, {21, 48, 51, 19, 18, 3,  2,  30, 31, 14, 15, 42, 50, 25, 29, 37, 47, 8,
                     11, 45, 36, 41, 22, 26, 23, 43, 44, 10, 13, 12, 38, 20, 34, 6,  1,  35,
                     39, 17, 46, 4,  16, 0,  49, 9,  27, 40, 32, 28, 33, 7,  24, 5}},
  };
  for (const auto& deal : deals) {
    const Deck deck = shuffleDeck(deal.seed);
    EXPECT_EQ(deck, deal.deck) << "seed " << deal.seed;
    EXPECT_TRUE(isPermutation(deck)) << "seed " << deal.seed;
  }
  EXPECT_NE(shuffleDeck(1), shuffleDeck(2));
}

TEST(ShuffleDeck, EveryFourThousandthSeedGivesAPermutation) {
  for (std::uint64_t seed = 0; seed <= 0xFFFFFFFFull; seed += 4000037) {
    ASSERT_TRUE(isPermutation(shuffleDeck(static_cast<std::uint32_t>(seed)))) << "seed " << seed;
  }
}

using DealTest = GameTest;

TEST_F(DealTest, KlondikeLaysOutTheDeckInOrder) {
  engine.dealKlondike();
  const Deck deck = shuffleDeck(12345);
  int p = 0;
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < c; ++r) EXPECT_EQ(t.tableau[c][r], deck[p++] + 64) << c << "," << r;
    EXPECT_EQ(t.tableau[c][c], deck[p++]);
    for (int r = c + 1; r < kRows; ++r) EXPECT_EQ(t.tableau[c][r], kEmpty);
  }
  ASSERT_EQ(t.stockCount, 24);
  for (int k = 0; k < 24; ++k) EXPECT_EQ(t.stock[k], deck[28 + k]);
  EXPECT_EQ(t.wasteTop, -1);
  for (auto f : t.foundation) EXPECT_EQ(f, kEmpty);
  EXPECT_TRUE(everyCardOnce(engine));
  EXPECT_GE(view.invalidateAllCount, 1);

  setMenu(engine, &MenuState::level, Level::Medium);
  pressBottom(0);
  EXPECT_EQ(t.waste[0], deck[51]);  // the first card turned is the last card of the deck
}

// The first deal of a fresh engine: what `klondike-deal` prints for the seed.
std::vector<int> firstDeal(RuleSet ruleSet, std::uint32_t seed) {
  RecordingView view;
  GameEngine engine(view);
  engine.seedSource = [seed] { return seed; };
  engine.setScreenClass(3);
  setMenu(engine, &MenuState::ruleSet, ruleSet);
  engine.startUp();
  return piles(engine);
}

TEST_F(DealTest, SameSeedSameDeal) {
  engine.dealKlondike();
  EXPECT_EQ(piles(engine), firstDeal(RuleSet::Klondike, 12345));
  EXPECT_NE(piles(engine), firstDeal(RuleSet::Klondike, 12346));
}

TEST_F(DealTest, ANewDealInTheSameSecondTakesTheNextSeed) {
  std::uint32_t now = 100;
  engine.seedSource = [&now] { return now; };
  // Clock reading at each deal and the seed dealt: a repeat of the last seed moves on by one.
  const std::pair<std::uint32_t, std::uint32_t> deals[] = {{100, 100}, {100, 101}, {100, 100},
                                                           {101, 101}, {102, 102}, {102, 103}};
  for (const RuleSet ruleSet : {RuleSet::Klondike, RuleSet::Quatro}) {
    setMenu(engine, &MenuState::ruleSet, ruleSet);
    for (const auto& [clock, seed] : deals) {
      now = clock;
      engine.restart();
      EXPECT_EQ(piles(engine), firstDeal(ruleSet, seed)) << clock << " -> " << seed;
    }
  }
  now = 0xFFFFFFFF;
  engine.restart();
  engine.restart();
  EXPECT_EQ(piles(engine), firstDeal(RuleSet::Quatro, 0));
}

TEST_F(DealTest, QuatroStartsWithTheLastCardOfTheDeck) {
  ASSERT_TRUE(engine.play(game::RuleSet::Quatro));
  const Deck deck = shuffleDeck(12345);
  EXPECT_EQ(t.current, deck[51]);
  EXPECT_EQ(t.deckTop, 50);
  EXPECT_TRUE(std::equal(deck.begin(), deck.end(), t.deck));
  for (int g = 0; g < 4; ++g)
    for (int r = 0; r < 4; ++r) EXPECT_EQ(t.grid[g][r], kEmpty);
  EXPECT_EQ(t.gridCount, 0);
  EXPECT_EQ(t.pairMode, 0);
  EXPECT_TRUE(everyCardOnce(engine));
}

TEST_F(DealTest, DealResetsScoreStateByMode) {
  setMenu(engine, &MenuState::scoreMode, ScoreMode::Vegas);
  t.score = 77;
  t.seconds = 12;
  t.vegasRedeals = 2;
  t.tenTicks = 4;
  engine.dealKlondike();
  EXPECT_EQ(t.score, -52);
  EXPECT_EQ(view.score, -52);
  EXPECT_EQ(view.seconds, 0);
  EXPECT_EQ(t.seconds, 0);
  EXPECT_EQ(t.vegasRedeals, 0);
  EXPECT_EQ(t.tenTicks, 0);
  EXPECT_EQ(t.qualifies, 0);

  setMenu(engine, &MenuState::scoreMode, ScoreMode::Normal);
  engine.dealKlondike();
  EXPECT_EQ(t.score, 0);
  EXPECT_EQ(t.qualifies, 1);  // Normal, Timed, Hard
  setMenu(engine, &MenuState::timed, false);
  engine.dealKlondike();
  EXPECT_EQ(t.qualifies, 0);
  setMenu(engine, &MenuState::timed, true);
  setMenu(engine, &MenuState::level, Level::Medium);
  engine.dealKlondike();
  EXPECT_EQ(t.qualifies, 0);
}

TEST_F(DealTest, DealStopsARunningClock) {
  startClock();
  engine.dealKlondike();
  EXPECT_FALSE(engine.clockRunning());
  EXPECT_EQ(view.clockChanges.back(), false);
}

TEST_F(DealTest, DealDropsAPendingPickUp) {
  emptyKlondike();
  engine.dealKlondike();
  pressTableau(6, 6);  // pick up the face-up card of column 6
  ASSERT_EQ(t.selState, Selection::PickedUp);
  ASSERT_TRUE(t.markVisible);
  engine.restart();
  const auto before = column(6);
  EXPECT_EQ(t.selState, Selection::None);
  EXPECT_EQ(t.selPending, false);
  EXPECT_FALSE(t.markVisible);
  // The next press is a fresh pick-up, not a move of the old card.
  pressTableau(0, 0);
  EXPECT_TRUE(everyCardOnce(engine));
  EXPECT_EQ(column(6), before);
}

TEST_F(DealTest, RuleSetSwitchesSetLayoutAndDragMode) {
  setMenu(engine, &MenuState::dragDrop, false);
  engine.setScreenClass(2);
  engine.play(game::RuleSet::Klondike);
  EXPECT_TRUE(engine.menu().dragDrop);
  EXPECT_EQ(engine.menu().ruleSet, RuleSet::Klondike);
  EXPECT_EQ(t.layout, (TableLayout{85, 5, 14, 27}));

  t.quatroOver = 1;
  EXPECT_TRUE(engine.play(game::RuleSet::Quatro));
  EXPECT_FALSE(engine.menu().dragDrop);
  EXPECT_EQ(engine.menu().ruleSet, RuleSet::Quatro);
  EXPECT_EQ(t.quatroOver, 0);
  EXPECT_EQ((std::array{t.layout.originX, t.layout.originY, t.layout.rowStep}),
            (std::array{55, 5, 131}));

  engine.setScreenClass(3);
  EXPECT_EQ(t.layout.originX, 5);
  engine.play(game::RuleSet::Klondike);
  EXPECT_EQ(t.layout, (TableLayout{5, 5, 15, 26}));
}

TEST_F(DealTest, QuatroIsRefusedOnTheSmallestScreen) {
  engine.setScreenClass(1);
  EXPECT_EQ(t.layout, (TableLayout{6, 2, 8, 35}));
  engine.dealKlondike();
  const GameTable before = t;
  EXPECT_FALSE(engine.play(game::RuleSet::Quatro));
  EXPECT_EQ(engine.menu().ruleSet, RuleSet::Klondike);
  EXPECT_TRUE(engine.menu().dragDrop);
  EXPECT_EQ(t.layout.rowStep, 8);
  EXPECT_TRUE(std::equal(before.stock, before.stock + 52, t.stock));

  // Stored settings that ask for Quatro give Klondike.
  MenuState quatro = engine.menu();
  quatro.ruleSet = RuleSet::Quatro;
  EXPECT_FALSE(engine.applyMenuState(quatro));
  EXPECT_EQ(engine.menu().ruleSet, RuleSet::Klondike);
  EXPECT_TRUE(engine.startUp());
  EXPECT_EQ(t.stockCount, 24);

  // So does the deal at start-up when the screen class changed after the settings.
  engine.setScreenClass(3);
  EXPECT_TRUE(engine.applyMenuState(quatro));
  engine.setScreenClass(1);
  EXPECT_FALSE(engine.startUp());
  EXPECT_EQ(engine.menu().ruleSet, RuleSet::Klondike);
  EXPECT_EQ(t.stockCount, 24);
}

TEST_F(DealTest, StartUpDealsTheStoredRuleSet) {
  setMenu(engine, &MenuState::ruleSet, RuleSet::Quatro);
  setMenu(engine, &MenuState::dragDrop, true);
  EXPECT_TRUE(engine.startUp());
  EXPECT_EQ(t.layout.rowStep, 131);
  EXPECT_FALSE(engine.menu().dragDrop);
  EXPECT_EQ(t.deckTop, 50);

  setMenu(engine, &MenuState::ruleSet, RuleSet::Klondike);
  setMenu(engine, &MenuState::dragDrop, false);  // a stored click-select mode is kept
  EXPECT_TRUE(engine.startUp());
  EXPECT_EQ(t.layout.rowStep, 15);
  EXPECT_FALSE(engine.menu().dragDrop);
  EXPECT_EQ(t.stockCount, 24);
}

TEST_F(DealTest, RestartKeepsTheRuleSetAndClearsAQuatroWin) {
  engine.play(game::RuleSet::Quatro);
  t.quatroOver = 1;
  engine.restart();
  EXPECT_EQ(t.quatroOver, 0);
  EXPECT_EQ(t.deckTop, 50);
  engine.play(game::RuleSet::Klondike);
  engine.restart();
  EXPECT_EQ(t.stockCount, 24);
}

TEST_F(DealTest, LevelsClearEligibilityExceptHard) {
  setMenu(engine, &MenuState::scoreMode, ScoreMode::Normal);
  engine.dealKlondike();
  ASSERT_EQ(t.qualifies, 1);
  engine.chooseLevel(Level::Hard);
  EXPECT_EQ(t.qualifies, 1);
  engine.chooseLevel(Level::Medium);
  EXPECT_EQ(engine.menu().level, Level::Medium);
  EXPECT_EQ(t.qualifies, 0);
  engine.chooseLevel(Level::Hard);
  EXPECT_EQ(t.qualifies, 0);  // switching back never makes the game eligible
  engine.chooseLevel(Level::Easy);
  EXPECT_EQ(engine.menu().level, Level::Easy);
}

using LayoutTest = GameTest;

TEST_F(LayoutTest, HitTestingOfPlaces) {
  engine.dealKlondike();
  // The two pixels right of a card belong to its column.
  EXPECT_EQ(t.layout.hitPlace(t.layout.originX + 90 * 2 + 88, 40).column, 2);
  EXPECT_EQ(t.layout.hitPlace(t.layout.originX + 90 * 2 + 89, 40).column, 2);
  EXPECT_EQ(t.layout.hitPlace(t.layout.originX + 90 * 2 + 90, 40).column, 3);
  EXPECT_EQ(t.layout.hitPlace(t.layout.originX, t.layout.originY + 15 * 26).row, 26);
  // Below the last card of a column the press hits that card; an empty column hits row 0.
  const Rect last = engine.placeRect(3, 3);
  const Place below = t.layout.hitPlace(last.left + 5, last.top + 5 + 4 * t.layout.rowStep);
  EXPECT_EQ(t.cardRowAtOrAbove(below.column, below.row), 3);
  emptyKlondike();
  EXPECT_EQ(t.cardRowAtOrAbove(4, 12), 0);
  EXPECT_EQ(t.cardRowAtOrAbove(4, 40), 0);
  EXPECT_EQ(engine.placeRect(6, 2), (Rect{5 + 540, 5 + 30, 5 + 540 + 88, 5 + 30 + 130}));
}

TEST_F(LayoutTest, TableAreaIncludesBothEnds) {
  EXPECT_TRUE(t.layout.insideKlondikeArea(t.layout.originX, t.layout.originY));
  EXPECT_TRUE(
      t.layout.insideKlondikeArea(t.layout.originX + 630, t.layout.originY + 15 * 26 + 130));
  EXPECT_FALSE(t.layout.insideKlondikeArea(t.layout.originX - 1, 50));
  EXPECT_FALSE(t.layout.insideKlondikeArea(t.layout.originX + 631, 50));
  EXPECT_FALSE(t.layout.insideKlondikeArea(50, t.layout.originY + 15 * 26 + 131));
}

}  // namespace
}  // namespace game::testing
