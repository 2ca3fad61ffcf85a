#pragma once
// Handing mailto: and web links to the desktop.
#include <QString>

namespace platform {

// Opens `url` with the desktop's mail program or browser. Failure is ignored: nothing is shown.
void openLink(const QString& url);

}  // namespace platform
