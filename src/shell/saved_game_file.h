#pragma once
// The file of the game in progress, "Game.ini" in the play folder: read at start, written through
// the atomic writer after every move and on every way out, removed once the game is over. A file
// that cannot be read is kept aside under another name, never deleted or written over.
// Toolkit-free.
#include <optional>
#include <string>

#include "game/saved_game.h"

namespace shell {

struct SavedGameLoad {
  std::optional<game::SavedGame> game;
  // A file that could not be read: the message to show, naming it and where it is kept now.
  std::optional<std::string> message;
  // False when such a file could not be kept aside: it stays, and is not written over.
  bool writable = true;
};

SavedGameLoad loadSavedGame(const std::string& dir);
// False with the reason in *error when the file cannot be written (the old one stays).
bool storeSavedGame(const game::SavedGame& game, const std::string& dir,
                    std::string* error = nullptr);
void removeSavedGame(const std::string& dir);

}  // namespace shell
