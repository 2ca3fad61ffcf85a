#pragma once
// What the game asks about the display at start-up.
#include <QRect>

class QWidget;

namespace platform {

// The primary screen's work area (the desktop without task bars and docks), in pixels.
QRect workArea();

// Logical pixels per inch of the screen that shows `window` (the primary screen when null).
int pixelsPerInch(const QWidget* window = nullptr);

// True when the primary screen shows 256 colours or fewer (a colour depth of 8 bits or less).
bool displayHasPalette();

// Moves the top-level `window` the least distance that puts its frame (title bar included)
// inside the work area of its screen; a window larger than the work area keeps its top-left
// corner in it, so that the title bar stays within reach. For every window placed by the game
// itself: call it right after placing the window, before or while it is shown. Before the window
// system has framed the window, the frame of its owner's window stands in for its own.
void keepInsideWorkArea(QWidget* window);

}  // namespace platform
