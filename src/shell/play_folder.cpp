#include "shell/play_folder.h"

#include <unistd.h>

#include <filesystem>

#include "platform/file_io.h"

namespace fs = std::filesystem;

namespace shell {

namespace {

constexpr const char* kGameFiles[] = {"mirt.ini", "Highscore.ini", "Playlist.ini", "Vessant.tvp",
                                      "mirt.hlp", "mirt_1.wav",    "mirt_2.wav"};

// Copies `from` to a temporary file beside `to`, then links it under the final name, which fails
// rather than replace a file that appeared meanwhile. True unless the copy could not be made.
bool copyWithoutReplacing(const fs::path& from, const fs::path& to) {
  const fs::path temporary = to.string() + ".default-" + std::to_string(::getpid());
  std::error_code code;
  if (!fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, code)) return false;
  fs::create_hard_link(temporary, to, code);
  // Folders that know no hard links (some network and FAT mounts) get the file renamed instead.
  if (code && code != std::errc::file_exists && !fs::exists(to)) {
    fs::rename(temporary, to, code);
    return !code;
  }
  const bool done = !code || code == std::errc::file_exists;  // the player's file stays
  fs::remove(temporary, code);
  return done;
}

}  // namespace

bool holdsGameFiles(const std::string& dir) {
  for (const char* name : kGameFiles)
    if (platform::findFileNoCase(dir, name)) return true;
  return false;
}

std::string userPlayFolder(const char* xdgDataHome, const char* home,
                           const std::string& folderName) {
  if (xdgDataHome && fs::path(xdgDataHome).is_absolute())
    return (fs::path(xdgDataHome) / folderName).string();
  if (home && fs::path(home).is_absolute())
    return (fs::path(home) / ".local" / "share" / folderName).string();
  return {};
}

PlayFolderChoice choosePlayFolder(const std::string& explicitDir, const std::string& startDir,
                                  bool startHoldsGameFiles, const std::string& userDir) {
  if (!explicitDir.empty()) return {explicitDir, true};
  if (startHoldsGameFiles || userDir.empty()) return {startDir, false};
  return {userDir, true};
}

std::vector<std::string> fillPlayFolder(const std::string& dir, const std::string& dataDir) {
  std::error_code code;
  fs::create_directories(dir, code);
  if (!fs::is_directory(dir, code)) return {dir};
  std::vector<std::string> failed;
  for (fs::directory_iterator it(dataDir, code), end; !code && it != end; it.increment(code)) {
    std::error_code typeCode;
    if (!it->is_regular_file(typeCode)) continue;
    const std::string name = it->path().filename().string();
    if (platform::findFileNoCase(dir, name)) continue;
    if (!copyWithoutReplacing(it->path(), fs::path(dir) / name)) failed.push_back(name);
  }
  return failed;
}

}  // namespace shell
