// The table's geometry: the games' layouts on every screen class, the stored game byte,
// hit-testing of places and the repaint strips of the selection frame.
#include <gtest/gtest.h>

#include <vector>

#include "game/games.h"

namespace game {
namespace {

// The table's size at 100% on the smallest screen of each class: 640 x 480 and 800 x 600 less
// the menu bar (and the status bar), the fixed window of class 3 likewise.
constexpr Rect kTableArea[] = {{0, 0, 640, 455}, {0, 0, 800, 555}, {0, 0, 646, 550}};
constexpr RuleSet kGames[] = {RuleSet::Klondike, RuleSet::Quatro};

bool inside(const Rect& r, const Rect& area) {
  return r.left >= area.left && r.top >= area.top && r.right <= area.right &&
         r.bottom <= area.bottom;
}
bool overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The places a game shows whole: Klondike's bottom row and its deal (seven columns fanned to
// seven cards), Quatro's current card and grid.
std::vector<Place> wholePlaces(RuleSet game, const TableLayout& l) {
  std::vector<Place> places;
  if (game == RuleSet::Quatro) {
    places.push_back(kQuatroCurrentCard);
    for (int g = 0; g < kQuatroGridSize; ++g)
      for (int row = 0; row < kQuatroGridSize; ++row) places.push_back(quatroGridPlace(g, row));
    return places;
  }
  for (int column = 0; column < kColumns; ++column) {
    if (column != kGapColumn) places.push_back({column, l.bottomRow});
    places.push_back({column, column});  // the last card of the dealt column
  }
  return places;
}

TEST(TableGeometry, EveryGameFitsItsScreensWithoutCardsOverlapping) {
  for (RuleSet game : kGames)
    for (int screenClass = rulesOf(game).smallestScreenClass; screenClass <= 3; ++screenClass) {
      SCOPED_TRACE(::testing::Message() << int(game) << " class " << screenClass);
      const TableLayout l = tableLayout(game, screenClass);
      const std::vector<Place> places = wholePlaces(game, l);
      for (const Place& p : places) {
        EXPECT_TRUE(inside(l.placeRect(p.column, p.row), kTableArea[screenClass - 1]))
            << p.column << "," << p.row;
        for (const Place& q : places) {
          if (q == p) continue;
          EXPECT_FALSE(overlap(l.placeRect(p.column, p.row), l.placeRect(q.column, q.row)));
        }
      }
    }
  // A screen class out of range is laid out as the largest; Quatro is not played on the smallest.
  EXPECT_EQ(tableLayout(RuleSet::Klondike, 0), tableLayout(RuleSet::Klondike, 3));
  EXPECT_EQ(tableLayout(RuleSet::Quatro, 1), tableLayout(RuleSet::Klondike, 1));
}

TEST(TableGeometry, AStoredGameByteNamesAGameOrTheDefault) {
  EXPECT_EQ(gameOfStoredValue(1), RuleSet::Klondike);
  EXPECT_EQ(gameOfStoredValue(2), RuleSet::Quatro);
  for (int value : {0, 3, 255}) EXPECT_EQ(gameOfStoredValue(std::uint8_t(value)), kDefaultGame);
  EXPECT_EQ(rulesOf(RuleSet(7)).id, kDefaultGame);
}

TEST(TableGeometry, EveryPixelOfAPlaceAndItsGapsHitsThatPlace) {
  for (RuleSet game : kGames)
    for (int screenClass = 1; screenClass <= 3; ++screenClass) {
      const TableLayout l = tableLayout(game, screenClass);
      for (int column = 0; column < kColumns; ++column)
        for (int row = 0; row <= l.bottomRow; ++row) {
          const Rect r = l.placeRect(column, row);
          const Place p{column, row};
          EXPECT_EQ(l.hitPlace(r.left, r.top), p);
          EXPECT_EQ(l.hitPlace(r.left + kColumnPitch - 1, r.top + l.rowStep - 1), p);
          EXPECT_NE(l.hitPlace(r.left + kColumnPitch, r.top), p);
          EXPECT_NE(l.hitPlace(r.left, r.top + l.rowStep), p);
        }
      const Rect last = l.placeRect(kColumns - 1, l.bottomRow);
      EXPECT_TRUE(l.insideKlondikeArea(l.originX, l.originY));
      EXPECT_TRUE(l.insideKlondikeArea(last.right + 2, last.bottom));
      EXPECT_FALSE(l.insideKlondikeArea(last.right + 3, last.top));
      EXPECT_FALSE(l.insideKlondikeArea(last.left, last.bottom + 1));
    }
}

TEST(TableGeometry, FrameStripsHoldEveryPixelThatThePenPaints) {
  const TableLayout l = tableLayout(RuleSet::Klondike, 3);
  const Rect frame = l.selectionFrame({4, 2}, 3);
  EXPECT_EQ(frame, (Rect{364, 34, 454, 196}));  // one pixel around the run of three cards
  const auto strips = selectionFrameStrips(frame);
  auto inStrip = [&strips](int x, int y) {
    for (const Rect& s : strips)
      if (x >= s.left && x < s.right && y >= s.top && y < s.bottom) return true;
    return false;
  };
  // A 2-pixel pen on a line paints the pixel before it and the pixel on it.
  for (int x = frame.left - 1; x <= frame.right; ++x)
    for (int y : {frame.top - 1, frame.top, frame.bottom - 1, frame.bottom})
      EXPECT_TRUE(inStrip(x, y)) << x << "," << y;
  for (int y = frame.top - 1; y <= frame.bottom; ++y)
    for (int x : {frame.left - 1, frame.left, frame.right - 1, frame.right})
      EXPECT_TRUE(inStrip(x, y)) << x << "," << y;
  EXPECT_FALSE(inStrip(frame.left + 10, frame.top + 10));  // the cards inside stay
  const Rect area = selectionFrameArea(frame);
  for (const Rect& s : strips)
    EXPECT_TRUE(s.left >= area.left && s.top >= area.top && s.right <= area.right &&
                s.bottom <= area.bottom);
}

}  // namespace
}  // namespace game
