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

}  // namespace platform
