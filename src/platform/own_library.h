#pragma once
// Finding and loading the game's own shared libraries (the audio library, the MP3 decoder) at
// run time, and looking up their entry points.
#include <QLibrary>
#include <QString>

namespace platform {

// The platform's file name of the library `name`: "lib<name>.so" (Linux), "<name>.dll"
// (Windows), "lib<name>.dylib" (macOS).
QString ownLibraryFileName(const QString& name);

// Loads the library file `fileName`: the platform's library search first, then the folder of the
// running program (a build) and the game's folder under the library folder (an installation).
// False when not loaded.
bool loadOwnLibrary(QLibrary& library, const QString& fileName);

// Looks up `name` in the loaded `library`; false (and `entry` null) when it is missing.
template <typename Fn>
bool resolveEntry(QLibrary& library, const char* name, Fn& entry) {
  entry = reinterpret_cast<Fn>(library.resolve(name));
  return entry != nullptr;
}

}  // namespace platform
