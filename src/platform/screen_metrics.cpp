#include "screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

namespace {

// Windows' reference resolution, used when there is no screen to ask.
constexpr int kDefaultPixelsPerInch = 96;

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

}  // namespace platform
