#include "platform/maximize_guard.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace platform {
namespace {

const char* const kWatched = "maximizeGuardWatched";
const char* const kMaximizable = "maximizeGuardMaximizable";
const char* const kFixedSize = "maximizeGuardFixedSize";  // put aside while maximized
const char* const kRefused = "maximizeGuardRefused";      // to be returned to normal

bool fillsScreen(Qt::WindowStates states) {
  return states & (Qt::WindowMaximized | Qt::WindowFullScreen);
}

// The size limits must be gone before the compositor's answer to the request is applied, so the
// window's own signal, sent when the request leaves, is the moment to drop them.
void letGoOfFixedSize(QWidget* window) {
  if (window->minimumSize() != window->maximumSize()) return;
  window->setProperty(kFixedSize, window->maximumSize());
  window->setMinimumSize(0, 0);
  window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

class MaximizeGuard : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::WindowStateChange && type != QEvent::Paint)
      return false;
    auto* window = qobject_cast<QWidget*>(watched);
    if (window == nullptr || !window->isWindow()) return false;
    if (type == QEvent::Show) {
      watch(window);
    } else if (type == QEvent::Paint) {
      if (window->property(kRefused).toBool()) returnToNormalAfterPainting(window);
    } else if (event->spontaneous()) {
      // A state the window system has carried out (the game's own changes are not spontaneous):
      // only now may the window's size change again without contradicting the compositor.
      settle(window);
    }
    return false;
  }

 private:
  static void watch(QWidget* window) {
    QWindow* handle = window->windowHandle();
    if (handle == nullptr || handle->property(kWatched).toBool()) return;
    handle->setProperty(kWatched, true);
    connect(handle, &QWindow::windowStateChanged, window, [window](Qt::WindowState state) {
      if (fillsScreen(state)) letGoOfFixedSize(window);
    });
  }

  static void settle(QWidget* window) {
    if (fillsScreen(window->windowState())) {
      window->setProperty(kRefused, !window->property(kMaximizable).toBool());
      return;
    }
    window->setProperty(kRefused, QVariant());
    const QVariant fixed = window->property(kFixedSize);
    if (!fixed.isValid()) return;
    window->setProperty(kFixedSize, QVariant());
    window->setFixedSize(fixed.toSize());
  }

  // weston takes a request to leave the maximized state for nothing until the window has shown
  // itself maximized, so the request follows the picture of that size (sent as this paint ends).
  static void returnToNormalAfterPainting(QWidget* window) {
    window->setProperty(kRefused, QVariant());
    QTimer::singleShot(0, window, [window] {
      if (fillsScreen(window->windowState()))
        window->setWindowState(window->windowState() &
                               ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    });
  }
};

}  // namespace

void guardMaximizeRequests() { qApp->installEventFilter(new MaximizeGuard(qApp)); }

void allowMaximize(QWidget* window) { window->setProperty(kMaximizable, true); }

}  // namespace platform
