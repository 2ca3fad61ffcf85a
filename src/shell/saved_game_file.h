#pragma once
// The file of the game in progress, "Game.ini" in the play folder: read at start, written through
// the atomic writer after every move and on every way out, removed once the game is over. A file
// that cannot be read is kept aside under another name, never deleted or written over.
// Toolkit-free.
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

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
void removeSavedGame(const std::string& dir);

// Writes and removes the file of the game in progress off the caller's thread: a write waits for
// the disk's flush (some 13 ms here, more on slow disks), which a move should not. The newest
// request replaces one still waiting, so at most the request under way is lost to a crash.
class SavedGameWriter {
 public:
  explicit SavedGameWriter(std::string dir);
  ~SavedGameWriter();  // carries out the last request first
  SavedGameWriter(const SavedGameWriter&) = delete;
  SavedGameWriter& operator=(const SavedGameWriter&) = delete;

  void store(const game::SavedGame& game);
  void remove();
  void waitUntilDone();

 private:
  void run();

  const std::string dir_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  std::optional<std::optional<std::string>> request_;  // a text to write, or none to remove
  bool busy_ = false, stopping_ = false;
  std::thread thread_;
};

}  // namespace shell
