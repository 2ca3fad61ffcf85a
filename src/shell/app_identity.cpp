#include "shell/app_identity.h"

#include <QGuiApplication>

namespace shell {

void nameApplication() {
  // Only the name: a display name would be appended to every window's caption.
  QGuiApplication::setApplicationName("TAVI's Klondike");
  // The install rules name the launcher KLONDIKE_APP_ID.desktop.
  QGuiApplication::setDesktopFileName(QStringLiteral(KLONDIKE_APP_ID));
}

}  // namespace shell
