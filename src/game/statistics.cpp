#include "game/statistics.h"

#include <algorithm>
#include <limits>

#include "game/number_text.h"

namespace game {

namespace {

const char* const kLevelNames[] = {"Easy", "Medium", "Hard"};
const char* const kModeNames[] = {"No score", "Normal", "Vegas"};
const char* const kLevelKeys[] = {"easy", "medium", "hard"};
const char* const kModeKeys[] = {"none", "normal", "vegas"};
constexpr int kFields = 6;
constexpr std::int64_t kLongestGame = 10LL * 365 * 24 * 3600;  // beyond it a clock went wrong

std::string key(int kind) {
  if (kind == kQuatroKind) return "quatro";
  return std::string("klondike.") + kLevelKeys[kind / kScoreModeCount] + "." +
         kModeKeys[kind % kScoreModeCount];
}

std::string field(std::optional<int> v) { return v ? std::to_string(*v) : "-"; }

// One comma-separated number ("-" for nothing when `optional`).
bool readField(std::string_view& text, std::optional<int>& out, bool optional) {
  const std::size_t comma = text.find(',');
  const std::string_view f = text.substr(0, comma);
  text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
  if (optional && f == "-") {
    out.reset();
    return true;
  }
  int v = 0;
  if (!parseWholeNumber(f, v)) return false;
  out = v;
  return true;
}

bool consistent(const GameRecord& r) {
  return r.played >= 0 && r.won >= 0 && r.won <= r.played && r.streak >= 0 &&
         r.streak <= r.longestStreak && r.longestStreak <= r.won &&
         (r.fastestWin.value_or(0) >= 0) && (r.won > 0 || (!r.bestScore && !r.fastestWin));
}

}  // namespace

int statisticsKind(const MenuState& menu) { return rulesOf(menu.ruleSet).statisticsKind(menu); }

std::string statisticsKindName(int kind) {
  if (kind == kQuatroKind) return "Quatro";
  return std::string("Klondike ") + kLevelNames[kind / kScoreModeCount] + ", " +
         kModeNames[kind % kScoreModeCount];
}

int winRate(const GameRecord& r) {
  return r.played ? static_cast<int>(std::int64_t{r.won} * 100 / r.played) : 0;
}

void recordGame(GameRecord& r, bool won, std::optional<int> score, int seconds) {
  const auto count = [](int& n) { n += n < std::numeric_limits<int>::max(); };
  count(r.played);
  if (!won) {
    r.streak = 0;
    return;
  }
  count(r.won);
  count(r.streak);
  r.longestStreak = std::max(r.longestStreak, r.streak);
  if (score && (!r.bestScore || *score > *r.bestScore)) r.bestScore = score;
  if (!r.fastestWin || seconds < *r.fastestWin) r.fastestWin = seconds;
}

std::vector<std::string> statisticsLines(const Statistics& s) {
  std::vector<std::string> lines;
  for (int k = 0; k < kStatisticsKinds; ++k) {
    const GameRecord& r = s[k];
    lines.push_back(key(k) + "=" + std::to_string(r.played) + "," + std::to_string(r.won) + "," +
                    std::to_string(r.streak) + "," + std::to_string(r.longestStreak) + "," +
                    field(r.bestScore) + "," + field(r.fastestWin));
  }
  return lines;
}

Statistics parseStatistics(const std::vector<std::string>& lines, bool* damaged) {
  Statistics s{};
  const auto read = [&s](const std::string& line) {
    const std::size_t eq = line.find('=');
    int kind = 0;
    while (kind < kStatisticsKinds && line.compare(0, eq, key(kind)) != 0) ++kind;
    if (eq == std::string::npos || kind == kStatisticsKinds) return false;
    std::string_view text = std::string_view(line).substr(eq + 1);
    std::optional<int> f[kFields];
    for (int i = 0; i < kFields; ++i)
      if (!readField(text, f[i], i >= 4)) return false;
    const GameRecord r = {*f[0], *f[1], *f[2], *f[3], f[4], f[5]};
    if (!text.empty() || !consistent(r)) return false;
    s[kind] = r;
    return true;
  };
  for (const std::string& line : lines)
    if (!line.empty() && !read(line) && damaged) *damaged = true;
  return s;
}

void GameTracker::moved(int kind, std::int64_t now) {
  if (played_ || ended_) return;
  played_ = true;
  kind_ = kind;
  start_ = now;
}

std::optional<GameTracker::Ended> GameTracker::end(std::int64_t now) {
  if (!played()) return std::nullopt;
  ended_ = true;
  return Ended{kind_, static_cast<int>(std::clamp<std::int64_t>(now - start_, 0, kLongestGame))};
}

std::optional<TrackedGame> GameTracker::inProgress(std::int64_t now) const {
  if (!played()) return std::nullopt;
  return TrackedGame{kind_, std::clamp<std::int64_t>(now - start_, 0, kLongestGame)};
}

void GameTracker::resume(const std::optional<TrackedGame>& game, std::int64_t now) {
  dealt();
  if (!game) return;
  played_ = true;
  kind_ = game->kind;
  start_ = now - game->seconds;
}

}  // namespace game
