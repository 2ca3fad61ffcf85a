#include "results/statistics_file.h"

#include "platform/file_io.h"

namespace results {

std::optional<std::string> StatisticsFile::load() {
  stats_ = {};
  oldFile_ = OldFile::Replace;
  std::string notice;
  const auto text = platform::loadPlayerLines(path_, &notice);
  if (!text) {  // none yet, or one that cannot be read
    if (!notice.empty()) oldFile_ = OldFile::LeaveAlone;
    return notice.empty() ? std::nullopt : std::optional(notice);
  }
  bool damaged = !text->whole;
  stats_ = game::parseStatistics(text->lines, &damaged);
  if (!damaged) return std::nullopt;
  oldFile_ = OldFile::MoveAside;
  return "The statistics file \"" + path_ +
         "\" is damaged. The records that could be read are kept; when the statistics are next "
         "saved, the damaged file is kept beside the new one, its name ending in \".damaged\".";
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

// A failed save keeps the statistics of this run; the next game's save tries again.
void StatisticsFile::save() {
  if (oldFile_ == OldFile::LeaveAlone) return;
  std::string error;
  // A damaged file that has gone meanwhile needs no keeping.
  bool saved = oldFile_ != OldFile::MoveAside || platform::keepAside(path_, &error) ||
               !platform::pathExists(path_);
  if (saved) {
    oldFile_ = OldFile::Replace;
    const std::string text = platform::joinLinesCrLf(game::statisticsLines(stats_));
    saved = platform::writeFileAtomically(path_, text.data(), text.size(), &error);
  }
  if (saved || failureTold_) return;
  failureTold_ = true;
  if (tellFailure_)
    tellFailure_("The statistics cannot be saved to \"" + path_ + "\": " + error +
                 ". They are kept until the game ends.");
}

}  // namespace results
