#include "platform/own_library.h"

#include "platform/file_io.h"

namespace platform {

QString ownLibraryFileName(const QString& name) {
#if defined(Q_OS_WIN)
  return name + QStringLiteral(".dll");
#elif defined(Q_OS_MACOS)
  return QStringLiteral("lib") + name + QStringLiteral(".dylib");
#else
  return QStringLiteral("lib") + name + QStringLiteral(".so");
#endif
}

bool loadOwnLibrary(QLibrary& library, const QString& fileName) {
  library.setFileName(fileName);
  if (library.load()) return true;
  const QString folder = QString::fromStdString(programFolder());
  if (folder.isEmpty()) return false;
  // The platform's search does not look beside the program on every system; a build keeps the
  // libraries there, an installation in the game's own folder under the library folder.
  for (const char* besideProgram : {".", KLONDIKE_LIBRARY_FROM_PROGRAM}) {
    library.setFileName(folder + u'/' + QLatin1StringView(besideProgram) + u'/' + fileName);
    if (library.load()) return true;
  }
  return false;
}

}  // namespace platform
