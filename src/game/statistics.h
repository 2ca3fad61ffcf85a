#pragma once
// Statistics of the games played, one record for each Klondike level and score mode and one for
// Quatro: the plain records, their update, their text file lines and the tracker that tells when
// a game on the table has been played. Toolkit-free.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/game_engine.h"

namespace game {

struct GameRecord {
  int played = 0, won = 0;
  int streak = 0, longestStreak = 0;  // winning streaks: the current one and the longest
  std::optional<int> bestScore;       // of won games that keep a score
  std::optional<int> fastestWin;      // seconds from the first move to the win
  bool operator==(const GameRecord&) const = default;
};

// Nine Klondike kinds (level x score mode), then Quatro.
constexpr int kStatisticsKinds = 10;
constexpr int kScoreModeCount = 3;
constexpr int kQuatroKind = kStatisticsKinds - 1;
using Statistics = std::array<GameRecord, kStatisticsKinds>;

// The record that a game of these choices counts in (the game's rules tell).
int statisticsKind(const MenuState& menu);
// "Klondike Hard, Vegas", "Quatro".
std::string statisticsKindName(int kind);
// Win rate in whole percent (0 before the first game).
int winRate(const GameRecord& r);

// Counts one ended game into its record; `score` is nullopt for a game without one. The counts
// stop at the largest int rather than wrap round.
void recordGame(GameRecord& r, bool won, std::optional<int> score, int seconds);

// The lines of the statistics file: "<key>=played,won,streak,longest,best,fastest" ("-" for
// nothing yet), one for every kind.
std::vector<std::string> statisticsLines(const Statistics& s);
// Reads them back. A damaged or inconsistent line is passed over and sets *damaged; its kind, as
// every kind not named, stays fresh.
Statistics parseStatistics(const std::vector<std::string>& lines, bool* damaged = nullptr);

// A played game as a saved game keeps it: its kind and how long it has been played.
struct TrackedGame {
  int kind = 0;
  std::int64_t seconds = 0;
  bool operator==(const TrackedGame&) const = default;
};

// Follows the game on the table: it counts as played from its first move (a pick-up or a drag in
// progress is none), and ends once by a win or by being left.
class GameTracker {
 public:
  struct Ended {
    int kind;
    int seconds;
  };
  void dealt() { played_ = ended_ = false; }
  // A move was made: the first one starts the game, of the kind in force, at `now`.
  void moved(int kind, std::int64_t now);
  // The game ends, won, or left by a new deal or exit: returns it, once, when it was played.
  std::optional<Ended> end(std::int64_t now);
  bool played() const { return played_ && !ended_; }
  // The game under way once played (none before its first move or after its end), and the same
  // game going on in a later run.
  std::optional<TrackedGame> inProgress(std::int64_t now) const;
  void resume(const std::optional<TrackedGame>& game, std::int64_t now);

 private:
  bool played_ = false, ended_ = false;
  int kind_ = 0;
  std::int64_t start_ = 0;
};

}  // namespace game
