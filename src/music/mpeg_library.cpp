#include "music/mpeg_library.h"

#include "platform/own_library.h"

namespace music {

QString mpegLibraryFileName() { return platform::ownLibraryFileName(QStringLiteral("mpegdll")); }

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
  if (pathToDll.empty()) return platform::loadOwnLibrary(library, mpegLibraryFileName());
  library.setFileName(mpegLibraryPath(pathToDll));
  return library.load();
}

bool resolveMpegEntryPoints(QLibrary& library, MpegEntryPoints& e) {
  using platform::resolveEntry;
  return resolveEntry(library, "init", e.init) && resolveEntry(library, "deinit", e.deinit) &&
         resolveEntry(library, "Open", e.open) && resolveEntry(library, "Pause", e.pause) &&
         resolveEntry(library, "Restart", e.restart) && resolveEntry(library, "Stop", e.stop) &&
         resolveEntry(library, "SetPriority", e.setPriority) &&
         resolveEntry(library, "SetOutputDevice", e.setOutputDevice) &&
         resolveEntry(library, "Play", e.play) && resolveEntry(library, "Close", e.close) &&
         resolveEntry(library, "GetFrequency", e.getFrequency) &&
         resolveEntry(library, "GetBitrate", e.getBitrate) &&
         resolveEntry(library, "GetStereoMode", e.getStereoMode) &&
         resolveEntry(library, "GetLayer", e.getLayer) &&
         resolveEntry(library, "GetPlayerMode", e.getPlayerMode) &&
         resolveEntry(library, "GetCurrentPos", e.getCurrentPos) &&
         resolveEntry(library, "GetLength", e.getLength) &&
         resolveEntry(library, "ResetPlayerMode", e.resetPlayerMode) &&
         resolveEntry(library, "Seek", e.seek) &&
         resolveEntry(library, "SetSndDevice", e.setSndDevice) &&
         resolveEntry(library, "LastError", e.lastError);
}

}  // namespace music
