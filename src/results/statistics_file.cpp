#include "results/statistics_file.h"

#include "platform/file_io.h"

namespace results {

std::optional<std::string> StatisticsFile::load() {
  stats_ = {};
  const auto text = platform::readTextLines(path_);
  if (!text) return std::nullopt;  // no statistics yet
  const auto read = text->whole ? game::parseStatistics(text->lines) : std::nullopt;
  if (!read) return "The statistics file " + path_ + " is damaged; the statistics start afresh.";
  stats_ = *read;
  return std::nullopt;
}

void StatisticsFile::won(std::optional<int> score, std::optional<int> clockSeconds,
                         std::int64_t now) {
  const auto won = tracker_.end(now);
  if (!won) return;
  game::recordGame(stats_[won->kind], true, score, clockSeconds.value_or(won->seconds));
  save();
}

void StatisticsFile::leave(std::int64_t now) {
  const auto lost = tracker_.end(now);
  if (!lost) return;
  game::recordGame(stats_[lost->kind], false, std::nullopt, lost->seconds);
  save();
}

void StatisticsFile::reset() {
  stats_ = {};
  save();
}

// Also over a damaged file, whose statistics were given up at loading. A failed save keeps the
// statistics of this run; the next game's save tries again.
void StatisticsFile::save() {
  const std::string text = platform::joinLinesCrLf(game::statisticsLines(stats_));
  platform::writeFileAtomically(path_, text.data(), text.size());
}

}  // namespace results
