#pragma once
// The play folder: where the game keeps the player's files (settings, highscores, playlist) beside
// its card sets, sounds, help and tunes. Toolkit-free.
#include <string>
#include <vector>

namespace shell {

// True when `dir` holds one of the files the game keeps in its play folder (names compared
// without regard to case).
bool holdsGameFiles(const std::string& dir);

// The per-user play folder: `folderName` under $XDG_DATA_HOME, or under $HOME/.local/share when
// that is unset or not absolute. Empty when neither gives an absolute folder.
std::string userPlayFolder(const char* xdgDataHome, const char* home,
                           const std::string& folderName);

struct PlayFolderChoice {
  std::string folder;
  bool fill = false;  // create the folder and copy the default files it lacks into it
};

// A folder named on the command line wins; then the start folder when it holds the game's files
// (`startHoldsGameFiles`); then the per-user folder; without one, the start folder.
PlayFolderChoice choosePlayFolder(const std::string& explicitDir, const std::string& startDir,
                                  bool startHoldsGameFiles, const std::string& userDir);

struct FillOutcome {
  std::string folderError;             // why `dir` is no folder to play in; empty when it is one
  std::vector<std::string> notCopied;  // the default files that could not be copied into it
};

// Creates `dir` when missing and copies into it every regular file of `dataDir` that it lacks
// (names compared without regard to case). A file already in `dir` is never replaced, and a copy
// appears whole or not at all.
FillOutcome fillPlayFolder(const std::string& dir, const std::string& dataDir);

}  // namespace shell
