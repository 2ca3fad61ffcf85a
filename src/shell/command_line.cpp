#include "shell/command_line.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "platform/file_io.h"
#include "shell/play_folder.h"

namespace fs = std::filesystem;

namespace shell {

namespace {

constexpr char kPlayDirOption[] = "--play-dir";

void printUsage(std::FILE* out, const char* program) {
  std::fprintf(out,
               "Usage: %s [--play-dir DIR]\n"
               "TAVI's Klondike: Klondike and Quatro solitaire.\n\n"
               "  --play-dir DIR  keep the player's files in DIR; a missing folder is created and\n"
               "                  the default card sets, sounds, help and tunes it lacks are\n"
               "                  copied into it (files already there are never replaced)\n"
               "  --help          show this help and exit\n"
               "  --version       show the version and exit\n\n"
               "Without --play-dir the game plays in the folder it is started in when that holds\n"
               "its files (mirt.ini, Highscore.ini, Vessant.tvp, ...), otherwise in\n"
               "$XDG_DATA_HOME/%s (by default ~/.local/share/%s).\n",
               program, KLONDIKE_FOLDER_NAME, KLONDIKE_FOLDER_NAME);
}

// The installed default files, found from the program's own folder: the data folder of an
// installation, or the play folder of a build tree.
std::string defaultDataFolder() {
  const fs::path programDir = platform::programFolder();
  if (programDir.empty()) return {};
  std::error_code code;
  for (const char* relative : {KLONDIKE_DATA_FROM_PROGRAM, "../play"}) {
    const fs::path candidate = (programDir / relative).lexically_normal();
    if (fs::is_directory(candidate, code)) return candidate.string();
  }
  return {};
}

}  // namespace

StartOptions parseStartOptions(int argc, const char* const argv[]) {
  StartOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == kPlayDirOption) {
      if (i + 1 < argc && argv[i + 1][0] != '\0')
        options.playDir = argv[++i];
      else
        options.error = "--play-dir needs a folder";
    } else if (arg.starts_with(std::string(kPlayDirOption) + "=")) {
      options.playDir = arg.substr(sizeof kPlayDirOption);
      if (options.playDir.empty()) options.error = "--play-dir needs a folder";
    }
  }
  return options;
}

std::optional<int> enterPlayFolder(int argc, const char* const argv[], std::string* notice) {
  const StartOptions options = parseStartOptions(argc, argv);
  const char* program = argc > 0 ? argv[0] : KLONDIKE_FOLDER_NAME;
  if (!options.error.empty()) {
    std::fprintf(stderr, "%s: %s\n", program, options.error.c_str());
    printUsage(stderr, program);
    return 2;
  }
  if (options.help) {
    printUsage(stdout, program);
    return 0;
  }
  if (options.version) {
    std::printf("%s %s\n", KLONDIKE_FOLDER_NAME, KLONDIKE_VERSION);
    return 0;
  }
  std::error_code code;
  const std::string start = fs::current_path(code).string();
  const PlayFolderChoice choice = choosePlayFolder(
      options.playDir, start, holdsGameFiles(start),
      userPlayFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), KLONDIKE_FOLDER_NAME));
  if (!choice.fill) return std::nullopt;
  FillOutcome filled = fillPlayFolder(choice.folder, defaultDataFolder());
  std::string said;
  if (filled.folderError.empty()) {
    fs::current_path(choice.folder, code);
    if (code) filled.folderError = code.message();
  }
  if (!filled.folderError.empty()) {
    said = "The play folder \"" + choice.folder + "\" cannot be used: " + filled.folderError +
           ". The game plays in \"" + start + "\" instead and keeps the player's files there.";
  } else if (!filled.notCopied.empty()) {
    said =
        "These default files could not be copied into the play folder \"" + choice.folder + "\":";
    for (std::size_t i = 0; i < filled.notCopied.size(); ++i)
      said += (i ? ", " : " ") + filled.notCopied[i];
    said += ".";
  }
  if (said.empty()) return std::nullopt;
  std::fprintf(stderr, "%s: %s\n", program, said.c_str());
  if (notice) *notice = said;
  return std::nullopt;
}

}  // namespace shell
