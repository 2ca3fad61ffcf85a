#pragma once
// Safe answers to a maximize request. On Wayland Qt draws the title bars itself and offers a
// maximize button on every window, fixed-size ones included; the compositor ends the program when a
// maximized window keeps a size other than the one it was given.
class QWidget;

namespace platform {

// Watches every top-level window of the application: a window of fixed size lets go of its size
// while a maximize it asked for is carried out, is returned to normal at once unless marked by
// allowMaximize(), and gets its fixed size back when it is normal again.
void guardMaximizeRequests();

// Marks `window` as one that lays itself out at any size, so that it stays maximized when asked;
// it sets its own size limits again when it is back to normal (on its WindowStateChange event).
void allowMaximize(QWidget* window);

}  // namespace platform
