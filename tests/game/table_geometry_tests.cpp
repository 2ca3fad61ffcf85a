// The table's geometry: layouts per rule set and screen class, hit-testing of places and the
// repaint strips of the selection frame.
#include <gtest/gtest.h>

#include "game/table_geometry.h"

namespace game {
namespace {

struct LayoutCase {
  RuleSet ruleSet;
  int screenClass;
  TableLayout layout;
  Place place;
  Rect rect;  // of `place`
};

const LayoutCase kLayouts[] = {
    {RuleSet::Klondike, 1, {6, 2, 8, 35}, {6, 35}, {546, 282, 634, 412}},
    {RuleSet::Klondike, 2, {85, 5, 14, 27}, {kStockColumn, 27}, {85, 383, 173, 513}},
    {RuleSet::Klondike, 3, {5, 5, 15, 26}, {kFirstFoundationColumn, 26}, {275, 395, 363, 525}},
    {RuleSet::Quatro, 1, {6, 2, 8, 35}, {0, 0}, {6, 2, 94, 132}},  // Quatro is not played there
    {RuleSet::Quatro, 2, {55, 5, 131, 27}, quatroGridPlace(3, 3), {505, 398, 593, 528}},
    {RuleSet::Quatro, 3, {5, 5, 131, 26}, kQuatroCurrentCard, {5, 136, 93, 266}},
};

TEST(TableGeometry, LayoutAndPlaceOfEveryScreenClass) {
  for (const LayoutCase& c : kLayouts) {
    SCOPED_TRACE(::testing::Message() << int(c.ruleSet) << " class " << c.screenClass);
    const TableLayout layout = tableLayout(c.ruleSet, c.screenClass);
    EXPECT_EQ(layout, c.layout);
    EXPECT_EQ(layout.placeRect(c.place.column, c.place.row), c.rect);
  }
  EXPECT_EQ(tableLayout(RuleSet::Klondike, 0), tableLayout(RuleSet::Klondike, 3));
}

TEST(TableGeometry, EveryPixelOfAPlaceAndItsGapsHitsThatPlace) {
  for (const LayoutCase& c : kLayouts) {
    const TableLayout& l = c.layout;
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
