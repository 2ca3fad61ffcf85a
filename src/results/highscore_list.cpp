// Ranking, loading and saving of the highscore list.
#include "results/highscore_list.h"

#include <charconv>
#include <utility>

#include "platform/file_io.h"

namespace results {

std::int32_t highscoreValue(std::string_view text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return 0;
  return value;
}

HighscoreList defaultHighscores() {
  static constexpr int kScores[kHighscoreRows] = {350, 300, 250, 200, 150, 100, 50, 40, 30, 20};
  HighscoreList list;
  list.lines.assign(kHighscoreStrings, "TAVI");
  for (int row = 0; row < kHighscoreRows; ++row) {
    list.score(row) = std::to_string(kScores[row]);
    list.time(row) = std::to_string(10 * (row + 1));
  }
  return list;
}

int placeResult(HighscoreList& list, const std::string& scoreText, const std::string& secondsText) {
  const std::int32_t score = highscoreValue(scoreText);
  const std::int32_t seconds = highscoreValue(secondsText);
  int place = 0;
  while (place < kHighscoreRows && highscoreValue(list.score(place)) > score) ++place;
  while (place < kHighscoreRows && highscoreValue(list.score(place)) == score &&
         highscoreValue(list.time(place)) < seconds) {
    ++place;
  }
  if (place == kNotPlaced) return kNotPlaced;
  for (int row = kHighscoreRows - 1; row > place; --row) {
    list.name(row) = list.name(row - 1);
    list.score(row) = list.score(row - 1);
    list.time(row) = list.time(row - 1);
  }
  list.score(place) = scoreText;
  list.time(place) = secondsText;
  return place;
}

HighscoreList loadHighscores(const std::string& dir, std::string* notice) {
  const auto path = platform::findFileNoCase(dir, kHighscoreFileName);
  auto text = path ? platform::loadPlayerLines(*path, notice) : std::nullopt;
  if (!text) return defaultHighscores();
  HighscoreList list;
  list.lines = std::move(text->lines);
  if (list.lines.size() == 2 * kHighscoreRows) {
    list.lines.resize(kHighscoreStrings, "10");
  } else if (list.lines.size() < kHighscoreStrings) {
    const HighscoreList defaults = defaultHighscores();
    list.lines.insert(list.lines.end(), defaults.lines.begin() + list.lines.size(),
                      defaults.lines.end());
  }
  return list;
}

std::string highscorePath(const std::string& dir) {
  return platform::findFileNoCase(dir, kHighscoreFileName)
      .value_or(platform::joinPath(dir, kHighscoreFileName));
}

std::optional<std::string> saveHighscores(const HighscoreList& list, const std::string& dir) {
  const std::string path = highscorePath(dir);
  if (platform::writeTextLines(path, list.lines)) return std::nullopt;
  return "Cannot create file " + path;
}

}  // namespace results
