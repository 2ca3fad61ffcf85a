#include "platform/maximize_guard.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QWidget>
#include <QWindow>

namespace platform {
namespace {

// Properties of a guarded window.
const char* const kWatched = "maximizeGuardWatched";          // on the QWindow
const char* const kMaximizable = "maximizeGuardMaximizable";  // set by allowMaximize()
const char* const kMinimum = "maximizeGuardMinimum";          // size limits put aside while
const char* const kMaximum = "maximizeGuardMaximum";          // maximized, with the layout's
const char* const kConstraint = "maximizeGuardConstraint";    // constraint that sets them
const char* const kNormalSize = "maximizeGuardNormalSize";    // the size before the request
const char* const kRefusing = "maximizeGuardRefusing";        // to be returned to normal
const char* const kMaximized = "maximizeGuardMaximized";      // as the window system has it

constexpr Qt::WindowStates kFillsScreen = Qt::WindowMaximized | Qt::WindowFullScreen;

QWidget* widgetOf(const QWindow* handle) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->windowHandle() == handle) return w;
  return nullptr;
}

// The size limits must be gone before the compositor's answer to the request is applied, so the
// window's own signal, sent as the request leaves, is the moment to drop them.
void letGoOfSizeLimits(QWidget* window) {
  if (window->property(kNormalSize).isValid()) return;  // already on its way
  window->setProperty(kNormalSize, window->size());
  const QSize unlimited(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  if (window->maximumSize() == unlimited) return;
  window->setProperty(kMinimum, window->minimumSize());
  window->setProperty(kMaximum, window->maximumSize());
  if (QLayout* layout = window->layout()) {
    window->setProperty(kConstraint, int(layout->sizeConstraint()));
    layout->setSizeConstraint(QLayout::SetNoConstraint);
  }
  window->setMinimumSize(0, 0);
  window->setMaximumSize(unlimited);
}

// Back to normal, a refused window has its size limits again, and its size from before the
// request. A window that allows maximizing sets them itself: a resize here would clear its
// widget's maximized state before the widget hears of the change.
void restoreSize(QWidget* window) {
  const QVariant minimum = window->property(kMinimum), maximum = window->property(kMaximum);
  if (!window->property(kMaximizable).toBool()) {
    if (maximum.isValid()) {
      window->setMinimumSize(minimum.toSize());
      window->setMaximumSize(maximum.toSize());
      if (QLayout* layout = window->layout())
        layout->setSizeConstraint(QLayout::SizeConstraint(window->property(kConstraint).toInt()));
    }
    if (const QVariant normal = window->property(kNormalSize); normal.isValid())
      window->resize(normal.toSize());
  }
  for (const char* name : {kMinimum, kMaximum, kConstraint, kNormalSize})
    window->setProperty(name, QVariant());
  // The layout requests held meanwhile (see holdsLayout).
  QCoreApplication::postEvent(window, new QEvent(QEvent::LayoutRequest));
}

// While a refused window is on its way to the maximized state and back, its layout is not
// activated: a message box, for one, fixes its size again whenever it lays itself out.
bool holdsLayout(const QWidget* window) {
  return !window->property(kMaximizable).toBool() && window->property(kNormalSize).isValid();
}

// Once a refused window has taken the maximized size, it shows itself at that size and then asks
// to be normal: weston takes a request to leave the maximized state for nothing until the window
// has committed a picture of the size it was given.
void returnToNormalOnceResized(QWidget* window) {
  if (!window->property(kRefusing).toBool() ||
      window->size() == window->property(kNormalSize).toSize())
    return;
  window->setProperty(kRefusing, QVariant());
  QMetaObject::invokeMethod(
      window,
      [window] {
        if (!(window->windowState() & kFillsScreen)) return;
        window->repaint();
        window->setWindowState(window->windowState() & ~kFillsScreen);
      },
      Qt::QueuedConnection);
}

// A state the window system has carried out (on the window's QWindow, before its widget learns
// it). Only once the window has left the maximized state may its size change again without
// contradicting the compositor; a state that was carried out before the request came is no sign.
void settle(QWidget* window, Qt::WindowStates states) {
  if (states & kFillsScreen) {
    window->setProperty(kMaximized, true);
    if (window->property(kMaximizable).toBool()) return;
    window->setProperty(kRefusing, true);
    returnToNormalOnceResized(window);
    return;
  }
  if (!window->property(kMaximized).toBool()) return;
  window->setProperty(kMaximized, QVariant());
  window->setProperty(kRefusing, QVariant());
  restoreSize(window);
}

// A refused window hidden on its way (closed while maximized, or never maximized by a compositor
// that turned the request down) is shown normal next time.
void forgetRequest(QWidget* window) {
  if (window->property(kMaximizable).toBool() || !window->property(kNormalSize).isValid()) return;
  window->setWindowState(window->windowState() & ~kFillsScreen);
  window->setProperty(kMaximized, QVariant());
  window->setProperty(kRefusing, QVariant());
  restoreSize(window);
}

class MaximizeGuard : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Show:
        if (auto* window = qobject_cast<QWidget*>(watched); window && window->isWindow())
          watch(window);
        break;
      case QEvent::Hide:
        if (auto* window = qobject_cast<QWidget*>(watched); window && window->isWindow())
          forgetRequest(window);
        break;
      case QEvent::WindowStateChange:
        if (auto* handle = qobject_cast<QWindow*>(watched); handle && event->spontaneous())
          if (QWidget* window = widgetOf(handle)) settle(window, handle->windowStates());
        break;
      case QEvent::LayoutRequest:
        if (auto* window = qobject_cast<QWidget*>(watched); window && window->isWindow())
          return holdsLayout(window);
        break;
      case QEvent::Resize:
        if (auto* window = qobject_cast<QWidget*>(watched); window && window->isWindow())
          returnToNormalOnceResized(window);
        break;
      default: break;
    }
    return false;
  }

 private:
  static void watch(QWidget* window) {
    QWindow* handle = window->windowHandle();
    if (handle == nullptr || handle->property(kWatched).toBool()) return;
    handle->setProperty(kWatched, true);
    connect(handle, &QWindow::windowStateChanged, window, [window](Qt::WindowState state) {
      if (state & kFillsScreen) letGoOfSizeLimits(window);
    });
  }
};

}  // namespace

void guardMaximizeRequests() { qApp->installEventFilter(new MaximizeGuard(qApp)); }

void allowMaximize(QWidget* window) { window->setProperty(kMaximizable, true); }

}  // namespace platform
