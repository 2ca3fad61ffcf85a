#include "shell/play_folder.h"

#include <filesystem>

#include "platform/file_io.h"

namespace fs = std::filesystem;

namespace shell {

namespace {

constexpr const char* kGameFiles[] = {"mirt.ini", "Highscore.ini", "Playlist.ini", "Vessant.tvp",
                                      "mirt.hlp", "mirt_1.wav",    "mirt_2.wav"};

// Copies `from` to `to` whole or not at all, never replacing a file that appeared meanwhile
// (the player's file stays). True unless the copy could not be made.
bool copyWithoutReplacing(const fs::path& from, const fs::path& to) {
  const auto bytes = platform::readFile(from.string());
  if (!bytes) return false;
  return platform::createFileAtomically(to.string(), bytes->data(), bytes->size()) ||
         platform::pathExists(to.string());
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

FillOutcome fillPlayFolder(const std::string& dir, const std::string& dataDir) {
  std::error_code code;
  fs::create_directories(dir, code);
  std::error_code folderCode;
  if (!fs::is_directory(dir, folderCode))
    return {code ? code.message() : std::make_error_code(std::errc::not_a_directory).message(), {}};
  FillOutcome outcome;
  for (fs::directory_iterator it(dataDir, code), end; !code && it != end; it.increment(code)) {
    std::error_code typeCode;
    if (!it->is_regular_file(typeCode)) continue;
    const std::string name = it->path().filename().string();
    if (platform::findFileNoCase(dir, name)) continue;
    if (!copyWithoutReplacing(it->path(), fs::path(dir) / name)) outcome.notCopied.push_back(name);
  }
  return outcome;
}

}  // namespace shell
