#pragma once
// Shared set-up of the engine tests: an engine on a recording view with a fixed seed, builders of
// hand-made tables, press helpers by place and the census of the 52 cards.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <type_traits>
#include <vector>

#include "game/game_engine.h"
#include "tests/game/recording_view.h"

namespace game::testing {

// Ranks 0 (Ace) .. 12 (King); suits 0 and 3 one colour, 1 and 2 the other.
enum Rank { Ace, Two, Three, Four, Five, Six, Seven, Eight, Nine, Ten, Jack, Queen, King };
constexpr std::uint8_t card(int rank, int suit) {
  return static_cast<std::uint8_t>(rank * 4 + suit);
}
constexpr std::uint8_t down(std::uint8_t value) { return static_cast<std::uint8_t>(value + 64); }

struct Point {
  int x, y;
};

// Sets one menu choice the way stored preferences are applied (no menu command runs).
template <class T>
void setMenu(GameEngine& engine, T MenuState::*field, std::type_identity_t<T> value) {
  MenuState menu = engine.menu();
  menu.*field = value;
  engine.applyMenuState(menu);
}

class GameTest : public ::testing::Test {
 protected:
  RecordingView view;
  GameEngine engine{view};
  GameTable& t = engine.tableForSetup();

  GameTest() {
    engine.seedSource = [] { return 12345u; };
    engine.setCardSetPresent(true);
    setMenu(engine, &MenuState::soundOn, true);
    engine.setScreenClass(3);
  }

  // An empty Klondike table in click-select mode (the game's other settings as given).
  void emptyKlondike(Level level = Level::Hard, ScoreMode mode = ScoreMode::Normal) {
    setMenu(engine, &MenuState::level, level);
    setMenu(engine, &MenuState::scoreMode, mode);
    setMenu(engine, &MenuState::dragDrop, false);
    engine.dealKlondike();
    for (auto& column : t.tableau) std::fill(std::begin(column), std::end(column), kEmpty);
    t.stockCount = 0;
    t.wasteTop = -1;
    std::fill(std::begin(t.foundation), std::end(t.foundation), kEmpty);
    t.score = 0;
    view.clearRecords();
  }
  void setColumn(int column, std::initializer_list<std::uint8_t> codes) {
    std::fill(std::begin(t.tableau[column]), std::end(t.tableau[column]), kEmpty);
    std::copy(codes.begin(), codes.end(), t.tableau[column]);
  }
  // Stock from bottom to top (the last one is turned first).
  void setStock(std::initializer_list<std::uint8_t> codes) {
    std::copy(codes.begin(), codes.end(), t.stock);
    t.stockCount = static_cast<std::int8_t>(codes.size());
  }
  // Waste from bottom to top.
  void setWaste(std::initializer_list<std::uint8_t> codes) {
    std::copy(codes.begin(), codes.end(), t.waste);
    t.wasteTop = static_cast<std::int8_t>(codes.size() - 1);
  }

  // A point on the visible strip of a place (the whole card for the last card of a column).
  Point at(int column, int row, int dy = 3) const {
    const Rect r = engine.placeRect(column, row);
    return {r.left + 20, r.top + dy};
  }
  Point bottomPlace(int column) const { return at(column, t.layout.bottomRow, 40); }
  void press(Point p) { engine.rulePress(p.x, p.y); }
  void pressTableau(int column, int row) { press(at(column, row)); }
  void pressBottom(int column) { press(bottomPlace(column)); }
  void leftDown(Point p) { engine.mouseDown(MouseButton::Left, p.x, p.y); }
  void leftUp(Point p) { engine.mouseUp(MouseButton::Left, p.x, p.y); }
  void dragTo(Point from, Point to) {
    leftDown(from);
    engine.mouseMove(true, true, (from.x + to.x) / 2, (from.y + to.y) / 2);
    engine.mouseMove(true, true, to.x, to.y);
    leftUp(to);
  }
  // Timed switched off and on again: the clock runs from now on.
  void startClock() {
    engine.toggleTimed();
    engine.toggleTimed();
    ASSERT_TRUE(engine.clockRunning());
  }
  std::array<std::uint8_t, kRows> column(int c) const {
    std::array<std::uint8_t, kRows> result{};
    std::copy(std::begin(t.tableau[c]), std::end(t.tableau[c]), result.begin());
    return result;
  }
};

// Where a player would press: the middle of a pile of the bottom row, and the visible strip of a
// tableau card.
inline Point pilePoint(const GameEngine& engine, int column) {
  const Rect place = engine.placeRect(column, engine.table().layout.bottomRow);
  return {place.left + 30, place.top + 60};
}
inline Point cardPoint(const GameEngine& engine, int column, int row) {
  const Rect place = engine.placeRect(column, row);
  return {place.left + 30, place.top + std::min(engine.table().layout.rowStep, kCardHeight) / 2};
}

// The piles as a comparable picture (stale slots above the counts left out).
inline std::vector<int> piles(const GameEngine& engine) {
  const GameTable& t = engine.table();
  if (engine.menu().ruleSet == RuleSet::Quatro) {
    std::vector<int> p(&t.grid[0][0], &t.grid[0][0] + kQuatroGridSize * kQuatroGridSize);
    p.push_back(t.current);
    p.push_back(t.deckTop);
    return p;
  }
  std::vector<int> p(&t.tableau[0][0], &t.tableau[0][0] + kColumns * kRows);
  p.push_back(t.stockCount);
  p.insert(p.end(), t.stock, t.stock + std::max<int>(0, t.stockCount));
  p.push_back(t.wasteTop);
  p.insert(p.end(), t.waste, t.waste + t.wasteTop + 1);
  p.insert(p.end(), std::begin(t.foundation), std::end(t.foundation));
  return p;
}

// How often each card value 0..51 is present: Klondike tableau, stock, waste, foundations (a top
// stands for its suit up to its rank) and the cards that a drag holds; Quatro grid, current card
// and undealt stock.
inline std::array<int, 52> cardCensus(const GameEngine& engine) {
  const GameTable& t = engine.table();
  std::array<int, 52> count{};
  auto add = [&count](std::uint8_t code) {
    if (code == kEmpty) return;
    const int value = code > 63 ? code - 64 : code;
    if (value >= 0 && value < 52)
      ++count[value];
    else
      ++count[0], ++count[0];  // a code that is no card at all breaks the census
  };
  if (engine.menu().ruleSet == RuleSet::Quatro) {
    for (int g = 0; g < 4; ++g)
      for (int r = 0; r < 4; ++r) add(t.grid[g][r]);
    add(t.current);
    for (int i = 0; i <= t.deckTop; ++i) add(t.deck[i]);
    return count;
  }
  for (const auto& column : t.tableau)
    for (std::uint8_t code : column) add(code);
  for (int i = 0; i < t.stockCount; ++i) add(t.stock[i]);
  for (int i = 0; i <= t.wasteTop; ++i) add(t.waste[i]);
  for (std::uint8_t top : t.foundation)
    if (top != kEmpty)
      for (int rank = 0; rank <= Card{top}.rank(); ++rank) add(card(rank, Card{top}.suit()));
  if (t.dragHoldsCards) {
    if (t.dragFromTableau == 1)
      for (int r = t.markedRow; r < kRows; ++r) add(t.dragBackup[r]);
    else
      add(t.waste[t.wasteTop + 1]);
  }
  return count;
}

inline bool everyCardOnce(const GameEngine& engine) {
  const auto count = cardCensus(engine);
  return std::all_of(count.begin(), count.end(), [](int n) { return n == 1; });
}

// Quatro discards the pairs and Tens that it removes: no card may be there twice.
inline bool noCardTwice(const GameEngine& engine) {
  const auto count = cardCensus(engine);
  return std::all_of(count.begin(), count.end(), [](int n) { return n <= 1; });
}

}  // namespace game::testing
