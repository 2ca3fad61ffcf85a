#pragma once
// Geometry of the table window around the table: the screen classes that choose the table's
// layout (table_geometry.h), the fixed window of the large screen and the status bar below the
// table. Toolkit-free; the window (shell/main_window.cpp) takes its sizes from here.
#include <array>
#include <cstddef>

namespace game {

// A size in pixels.
struct Extent {
  int width = 0, height = 0;
  bool operator==(const Extent&) const = default;
};

// The largest work areas of screen classes 1 and 2; a work area with either side within a
// class's limit is of that class, a larger one of class 3.
constexpr Extent kSmallScreen{640, 480};
constexpr Extent kMediumScreen{800, 600};

constexpr int screenClassOf(Extent workArea) {
  const auto within = [&workArea](Extent limit) {
    return workArea.width <= limit.width || workArea.height <= limit.height;
  };
  return within(kSmallScreen) ? 1 : within(kMediumScreen) ? 2 : 3;
}

// Screen class 3 has a window of its own size (below); on the smaller screens the window is
// maximized at every zoom, the table laid out for the screen.
constexpr bool hasOwnWindowSize(int screenClass) { return screenClass == 3; }
// The smallest screen has no room for the status bar at start (Klondike chosen shows it).
constexpr bool statusBarAtStart(int screenClass) { return screenClass != 1; }

// The window of screen class 3 at 100%: a fixed width, and a fixed height plus three bands that
// are 11 pixels at 96 pixels per inch and grow with the screen's pixel density (rounded, halves
// up): 646 x 593 at 96 ppi. Elsewhere the window fills the work area.
constexpr int kWindowWidth = 646;
constexpr int kWindowFixedHeight = 560;
constexpr int kWindowScaledBands = 3;
constexpr int kScaledBandPixels = 11;
constexpr int kReferencePixelsPerInch = 96;

constexpr Extent fixedWindowSize(int pixelsPerInch) {
  const int band =
      (kScaledBandPixels * pixelsPerInch + kReferencePixelsPerInch / 2) / kReferencePixelsPerInch;
  return {kWindowWidth, kWindowFixedHeight + kWindowScaledBands * band};
}

// A zoomed window may shrink to half the fixed window, the table fitted into it.
constexpr Extent smallestZoomedWindow(Extent fixedWindow) {
  return {fixedWindow.width / 2, fixedWindow.height / 2};
}

// The window's text (menu bar and status bar) in pixels.
constexpr int kWindowFontPixels = 11;

// The status bar below the table: its height and the widths of its panels, left to right.
constexpr int kStatusBarHeight = 19;
constexpr std::size_t kStatusPanelCount = 6;
constexpr std::array<int, kStatusPanelCount> kStatusPanelWidths = {50, 60, 50, 60, 90, 50};

}  // namespace game
