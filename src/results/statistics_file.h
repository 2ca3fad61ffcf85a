#pragma once
// The statistics of the player's games and their file "Statistics.ini" in the start folder: loaded
// leniently, saved atomically after every game that ends. Toolkit-free.
#include <cstdint>
#include <optional>
#include <string>

#include "game/statistics.h"

namespace results {

constexpr const char* kStatisticsFileName = "Statistics.ini";

class StatisticsFile {
 public:
  explicit StatisticsFile(std::string path = {}) : path_(std::move(path)) {}
  // Reads the file; a missing file gives fresh statistics, a damaged one fresh statistics and
  // the message to show.
  std::optional<std::string> load();
  const game::Statistics& statistics() const { return stats_; }

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
  std::string path_;
  game::Statistics stats_{};
  game::GameTracker tracker_;

  void save();
};

}  // namespace results
