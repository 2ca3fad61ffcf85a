#pragma once
// The statistics of the player's games and their file "Statistics.ini" in the play folder: loaded
// leniently, saved atomically after every game that ends. Toolkit-free.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "game/statistics.h"

namespace results {

constexpr const char* kStatisticsFileName = "Statistics.ini";

class StatisticsFile {
 public:
  explicit StatisticsFile(std::string path = {}) : path_(std::move(path)) {}
  // Reads the file and returns the message to show, if any. A missing file gives fresh
  // statistics. A damaged one keeps the records it could read, and at the first save it is
  // moved aside (to "<path>.damaged") rather than written over. One that cannot be read is left
  // alone: the statistics of this run are not saved.
  std::optional<std::string> load();
  const game::Statistics& statistics() const { return stats_; }

  // Told the first time a save fails, with the message to show; later failures are not told.
  void onSaveFailure(std::function<void(const std::string&)> tell) {
    tellFailure_ = std::move(tell);
  }

  // The game on the table (`now` in seconds of a steady clock): dealt, its moves (of the kind
  // of game in force), and its end.
  void dealt() { tracker_.dealt(); }
  void moved(int kind, std::int64_t now) { tracker_.moved(kind, now); }
  // A won game: its score (none without one) and, for a game on the clock, the clock's time, which
  // its record keeps as the status bar showed it; other games are timed from their first move.
  void won(std::optional<int> score, std::optional<int> clockSeconds, std::int64_t now);
  void leave(std::int64_t now);  // a new deal or exit: a played game is lost
  // The game under way as a saved game keeps it, and the same game going on in a later run.
  std::optional<game::TrackedGame> inProgress(std::int64_t now) const {
    return tracker_.inProgress(now);
  }
  void resume(const std::optional<game::TrackedGame>& game, std::int64_t now) {
    tracker_.resume(game, now);
  }
  void reset();  // fresh statistics, saved

 private:
  enum class OldFile { Replace, MoveAside, LeaveAlone };
  std::string path_;
  game::Statistics stats_{};
  game::GameTracker tracker_;
  OldFile oldFile_ = OldFile::Replace;
  std::function<void(const std::string&)> tellFailure_;
  bool failureTold_ = false;

  void save();
};

}  // namespace results
