#include "platform/links.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

void openLink(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }

}  // namespace platform
