#pragma once
// What the game asks about the display at start-up.
#include <QRect>

class QWidget;

namespace platform {

// True where the window system places the windows and ignores the program's positions (Wayland).
bool windowsPlacedByCompositor();

// The primary screen's work area (the desktop without task bars and docks), in pixels. Where the
// compositor places the windows, room for a panel is taken off: the screen does not tell it.
QRect workArea();

// What the title bar and borders add to the size of the top-level `window`; on Wayland, before the
// window shows, the size of those that Qt will draw.
QSize frameSize(const QWidget* window);

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
