// The table window's geometry: the screen class of a work area at and beside each limit, and the
// fixed window's size at several pixel densities.
#include "game/window_geometry.h"

#include <gtest/gtest.h>

namespace game {
namespace {

TEST(WindowGeometry, ScreenClassesEndAtTheirLimitsOnEitherSide) {
  const struct {
    Extent workArea;
    int screenClass;
  } cases[] = {{{640, 480}, 1},  {{640, 1200}, 1}, {{1600, 480}, 1},
               {{641, 481}, 2},  {{800, 600}, 2},  {{800, 1200}, 2},
               {{1600, 600}, 2}, {{801, 601}, 3},  {{1024, 768}, 3}};
  for (const auto& c : cases)
    EXPECT_EQ(screenClassOf(c.workArea), c.screenClass)
        << c.workArea.width << " x " << c.workArea.height;
}

TEST(WindowGeometry, FixedWindowGrowsWithThePixelDensityRoundedHalvesUp) {
  const struct {
    int pixelsPerInch;
    Extent window, smallestZoomed;
  } cases[] = {{96, {646, 593}, {323, 296}},   // 11-pixel bands
               {120, {646, 602}, {323, 301}},  // 13.75 rounds to 14
               {144, {646, 611}, {323, 305}},  // 16.5 rounds up to 17
               {48, {646, 578}, {323, 289}}};  // 5.5 rounds up to 6
  for (const auto& c : cases) {
    EXPECT_EQ(fixedWindowSize(c.pixelsPerInch), c.window) << c.pixelsPerInch;
    EXPECT_EQ(smallestZoomedWindow(c.window), c.smallestZoomed) << c.pixelsPerInch;
  }
}

}  // namespace
}  // namespace game
