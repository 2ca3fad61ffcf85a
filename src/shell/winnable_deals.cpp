#include "shell/winnable_deals.h"

#include "solver/table_position.h"

namespace shell {
namespace {

// A deal is mostly decided in milliseconds; one that takes longer is passed over. CPU time, so
// that a busy machine passes over the same deals.
const solver::Limits kSeedLimits{500'000, std::chrono::milliseconds(200), true};
constexpr int kMaxSeeds = 30;
constexpr int kNoticeDelayMs = 300;

}  // namespace

WinnableDeals::WinnableDeals(game::GameEngine& engine) : engine_(engine) {
  noticeTimer_.setSingleShot(true);
  noticeTimer_.setInterval(kNoticeDelayMs);
  connect(&noticeTimer_, &QTimer::timeout, this, [this] {
    if (takesLong) takesLong();
  });
}

void WinnableDeals::dealNew() { search(engine_.freshTimeSeed()); }

void WinnableDeals::replaceDeal() { search(engine_.dealNumber()); }

void WinnableDeals::cancel() {
  worker_.cancel();
  setSearching(false);
}

void WinnableDeals::search(std::uint32_t firstSeed) {
  const game::Level level = engine_.menu().level;
  const bool vegas = engine_.menu().scoreMode == game::ScoreMode::Vegas;
  setSearching(true);
  worker_.start([this, firstSeed, level, vegas](const std::atomic<bool>& cancel) {
    for (int tried = 0; tried < kMaxSeeds && !cancel; ++tried) {
      const std::uint32_t seed = firstSeed + tried;
      solver::TableSearch deal(solver::dealtTable(seed), level, vegas);
      if (deal.run(kSeedLimits, &cancel).outcome == solver::Outcome::Won)
        return SolverWorker::Answer([=, this] { answer(firstSeed, level, seed, true); });
    }
    return SolverWorker::Answer([=, this] { answer(firstSeed, level, firstSeed, false); });
  });
}

void WinnableDeals::answer(std::uint32_t firstSeed, game::Level level, std::uint32_t seed,
                           bool winnable) {
  setSearching(false);
  if (engine_.menu().level != level) {  // the level changed during the search
    search(firstSeed);
    return;
  }
  engine_.playDeal(seed);
  if (dealt) dealt();
  if (!winnable && tell)
    tell(QStringLiteral("No deal proved winnable among %1 tries: this deal may not be winnable.")
             .arg(kMaxSeeds),
         "Winnable deals only");
}

void WinnableDeals::setSearching(bool on) {
  if (on)
    noticeTimer_.start();
  else
    noticeTimer_.stop();
  if (searchChanged) searchChanged(on);
}

}  // namespace shell
