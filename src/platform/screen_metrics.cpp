#include "platform/screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace platform {

namespace {

// Windows' reference resolution, used when there is no screen to ask.
constexpr int kDefaultPixelsPerInch = 96;

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

QRect workArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
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
