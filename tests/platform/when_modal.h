// Runs `inspect` on the modal widget as soon as the event loop shows one, then closes it, so that
// a failed check cannot leave the test waiting on an open dialog.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

inline void whenModal(const std::function<void(QWidget*)>& inspect) {
  QTimer::singleShot(0, [inspect] {
    QWidget* modal = QApplication::activeModalWidget();
    inspect(modal);
    if (modal != nullptr) modal->close();
  });
}
