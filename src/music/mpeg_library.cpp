#include "music/mpeg_library.h"

#include <QCoreApplication>
#include <QLibrary>

QString mpegLibraryFileName() {
#if defined(Q_OS_WIN)
  return QStringLiteral("mpegdll.dll");
#elif defined(Q_OS_MACOS)
  return QStringLiteral("libmpegdll.dylib");
#else
  return QStringLiteral("libmpegdll.so");
#endif
}

QString mpegLibraryPath(const std::string& pathToDll) {
  QString path = QString::fromStdString(pathToDll);
  if (!path.isEmpty() && !path.endsWith(u'/') && !path.endsWith(u':')
#if defined(Q_OS_WIN)
      && !path.endsWith(u'\\')
#endif
  )
    path += u'/';
  return path + mpegLibraryFileName();
}

bool loadMpegLibrary(QLibrary& library, const std::string& pathToDll) {
  library.setFileName(mpegLibraryPath(pathToDll));
  if (library.load()) return true;
  if (!pathToDll.empty() || QCoreApplication::instance() == nullptr) return false;
  // The platform's search does not look beside the program on every system; a build keeps the
  // library there, an installation in its own folder under the library folder.
  for (const char* besideProgram : {".", KLONDIKE_LIBRARY_FROM_PROGRAM}) {
    library.setFileName(QCoreApplication::applicationDirPath() + u'/' +
                        QLatin1StringView(besideProgram) + u'/' + mpegLibraryFileName());
    if (library.load()) return true;
  }
  return false;
}

namespace {
template <typename Fn>
bool resolve(QLibrary& library, const char* name, Fn& entry) {
  entry = reinterpret_cast<Fn>(library.resolve(name));
  return entry != nullptr;
}
}  // namespace

bool resolveMpegEntryPoints(QLibrary& library, MpegEntryPoints& e) {
  return resolve(library, "init", e.init) && resolve(library, "deinit", e.deinit) &&
         resolve(library, "Open", e.open) && resolve(library, "Pause", e.pause) &&
         resolve(library, "Restart", e.restart) && resolve(library, "Stop", e.stop) &&
         resolve(library, "SetPriority", e.setPriority) &&
         resolve(library, "SetOutputDevice", e.setOutputDevice) &&
         resolve(library, "Play", e.play) && resolve(library, "Close", e.close) &&
         resolve(library, "GetFrequency", e.getFrequency) &&
         resolve(library, "GetBitrate", e.getBitrate) &&
         resolve(library, "GetStereoMode", e.getStereoMode) &&
         resolve(library, "GetLayer", e.getLayer) &&
         resolve(library, "GetPlayerMode", e.getPlayerMode) &&
         resolve(library, "GetCurrentPos", e.getCurrentPos) &&
         resolve(library, "GetLength", e.getLength) &&
         resolve(library, "ResetPlayerMode", e.resetPlayerMode) &&
         resolve(library, "Seek", e.seek) && resolve(library, "SetSndDevice", e.setSndDevice) &&
         resolve(library, "LastError", e.lastError);
}
