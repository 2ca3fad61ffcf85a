#pragma once
// The game's command line: --help, --version and --play-dir, and the choice of the play folder.
// Toolkit-free, so that it answers before any window system is reached.
#include <optional>
#include <string>

namespace shell {

struct StartOptions {
  std::string playDir;  // --play-dir DIR or --play-dir=DIR
  bool help = false;
  bool version = false;
  std::string error;  // an option without its value
};

// Reads the game's own options; every other argument is left to the toolkit.
StartOptions parseStartOptions(int argc, const char* const argv[]);

// Answers --help and --version, chooses the play folder, creates and fills it when it is the
// per-user or the named one, and makes it the current folder. Returns the exit code when the game
// is not to start. A play folder that cannot be used, or default files that could not be copied
// into it, are said on the terminal and in *notice, for the player's message box.
std::optional<int> enterPlayFolder(int argc, const char* const argv[], std::string* notice);

}  // namespace shell
