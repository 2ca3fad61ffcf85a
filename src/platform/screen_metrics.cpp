#include "platform/screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace platform {

namespace {

// Windows' reference resolution, used when there is no screen to ask.
constexpr int kDefaultPixelsPerInch = 96;
// On Wayland the screen's available geometry includes the desktop's panels: room for one (GNOME's
// top bar and weston's panel take 32 pixels, a KDE panel 44) is kept free. Qt draws the title bar
// and borders there itself, and only once the window shows.
constexpr int kWaylandPanelRoom = 48;
constexpr QSize kWaylandFrame(3 + 3, 30 + 3);

QRect movedInside(QRect frame, const QRect& area) {
  frame.moveRight(std::min(frame.right(), area.right()));
  frame.moveBottom(std::min(frame.bottom(), area.bottom()));
  frame.moveLeft(std::max(frame.left(), area.left()));
  frame.moveTop(std::max(frame.top(), area.top()));
  return frame;
}

// The window's frame. A window not framed yet has a frame equal to its client area; it will get
// the frame margins of its owner's window (the title bars of one program look alike).
QRect frameOf(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
  if (frame != window->geometry() || owner == nullptr || !owner->isVisible()) return frame;
  const QRect ownerFrame = owner->frameGeometry(), ownerClient = owner->geometry();
  return frame.adjusted(
      ownerFrame.left() - ownerClient.left(), ownerFrame.top() - ownerClient.top(),
      ownerFrame.right() - ownerClient.right(), ownerFrame.bottom() - ownerClient.bottom());
}

}  // namespace

bool windowsPlacedByCompositor() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QRect workArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return QRect();
  const QRect area = screen->availableGeometry();
  return windowsPlacedByCompositor() ? area.adjusted(0, 0, 0, -kWaylandPanelRoom) : area;
}

QSize frameSize(const QWidget* window) {
  const QSize frame = window->frameGeometry().size() - window->size();
  return frame.isEmpty() && windowsPlacedByCompositor() ? kWaylandFrame : frame;
}

int pixelsPerInch(const QWidget* window) {
  const QScreen* screen = window != nullptr ? window->screen() : QGuiApplication::primaryScreen();
  return screen != nullptr ? qRound(screen->logicalDotsPerInch()) : kDefaultPixelsPerInch;
}

bool displayHasPalette() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr && screen->depth() <= 8;
}

void keepInsideWorkArea(QWidget* window) {
  const QRect frame = frameOf(window);
  const QScreen* screen = QGuiApplication::screenAt(frame.center());
  if (screen == nullptr) screen = window->screen();
  if (screen == nullptr) return;
  const QRect inside = movedInside(frame, screen->availableGeometry());
  // The position of a top-level window is that of its frame.
  if (inside != frame) window->move(inside.topLeft());
}

}  // namespace platform
