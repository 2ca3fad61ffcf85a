#include "shell/game_session.h"

#include <algorithm>
#include <chrono>

namespace shell {
namespace {

constexpr int kAutoFinishPauseMs = 15;  // between two cards, so that the player sees them go up

std::int64_t steadySeconds() {
  using namespace std::chrono;
  return duration_cast<seconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

GameSession::GameSession(SessionView& view) : view_(view) {
  gameClock_.setInterval(1000);
  connect(&gameClock_, &QTimer::timeout, this, [this] { engine_.clockTick(); });
  autoFinishTimer_.setSingleShot(true);
  autoFinishTimer_.setInterval(kAutoFinishPauseMs);
  // Single shot, restarted after a card, so that a modal end-of-game screen stops the steps.
  connect(&autoFinishTimer_, &QTimer::timeout, this, [this] {
    if (autoFinishStep()) autoFinishTimer_.start();
  });
  hint_.showFrames = [this](std::vector<game::Rect> frames) {
    view_.showHintFrames(std::move(frames));
  };
  hint_.tell = [this](const QString& text, const QString& caption) { view_.tell(text, caption); };
  hint_.note = [this](const QString& text) { view_.showNote(text); };
  winnableDeals_.dealt = [this] {
    statistics_.dealt();
    forgetGame();
  };
  winnableDeals_.searchChanged = [this](bool on) { view_.searchingForDeal(on); };
  winnableDeals_.takesLong = [this] { view_.searchTakesLong(); };
  winnableDeals_.tell = [this](const QString& text, const QString& caption) {
    view_.tell(text, caption);
  };
}

std::optional<std::string> GameSession::loadStatistics(const std::string& path) {
  statistics_ = results::StatisticsFile(path);
  return statistics_.load();
}

void GameSession::startUp() {
  engine_.startUp();
  statistics_.dealt();
  if (winnableDeal()) winnableDeals_.replaceDeal();
}

void GameSession::restart() {
  if (winnableDeal())
    winnableDeals_.dealNew();
  else
    engine_.restart();
  dealtNew();
}

void GameSession::playDeal(std::uint32_t number) {
  winnableDeals_.cancel();
  engine_.playDeal(number);
  dealtNew();
}

bool GameSession::play(game::RuleSet game) {
  winnableDeals_.cancel();
  if (!engine_.play(game)) return false;
  dealtNew();
  if (winnableDeal()) winnableDeals_.replaceDeal();
  return true;
}

void GameSession::autoFinish() {
  if (engine_.startAutoFinish() && autoFinishStep()) autoFinishTimer_.start();
}

bool GameSession::autoFinishStep() {
  const game::GameTable before = engine_.table();
  const bool more = engine_.autoFinishStep();
  const int glide = autoFinishCardMoved ? autoFinishCardMoved(before) : 0;
  autoFinishTimer_.setInterval(std::max(kAutoFinishPauseMs, glide));
  return more;
}

void GameSession::showHint() { hint_.request(); }

void GameSession::setOptions(const GameOptions& options) {
  const bool resumeChanged = options.resumeGame != options_.resumeGame;
  if (resumeChanged && !options.resumeGame) forgetGame();
  options_ = options;
  engine_.setAutodrop(options.autodrop);
  if (!resumeChanged) return;
  keepGame();
  waitForKeptGame();
}

std::optional<std::string> GameSession::resumeKeptGame(bool* fits) {
  *fits = true;
  if (!keeping()) return std::nullopt;
  SavedGameLoad kept = loadSavedGame(keepDir);
  keptFileWritable_ = kept.writable;
  if (!kept.game) return kept.message;
  winnableDeals_.cancel();
  *fits = engine_.resume(*kept.game);
  if (*fits) statistics_.resume(kept.game->tracked, steadySeconds());
  return std::nullopt;
}

void GameSession::undo() {
  engine_.undo();
  keepGame();
}

void GameSession::redo() {
  engine_.redo();
  keepGame();
}

// A failed write keeps the game kept before; the next move tries again.
void GameSession::keepGame() {
  if (!keeping() || engine_.gameOver()) return;
  game::SavedGame kept = engine_.savedGame();
  kept.tracked = statistics_.inProgress(steadySeconds());
  keptGameWriter().store(kept);
}

void GameSession::waitForKeptGame() {
  if (keptGameWriter_) keptGameWriter_->waitUntilDone();
}

SavedGameWriter& GameSession::keptGameWriter() {
  if (!keptGameWriter_) keptGameWriter_ = std::make_unique<SavedGameWriter>(keepDir);
  return *keptGameWriter_;
}

void GameSession::forgetGame() {
  if (keeping()) keptGameWriter().remove();
}

void GameSession::leave() {
  if (keeping() && !engine_.gameOver()) {
    keepGame();  // the same game goes on at the next start: not lost
    waitForKeptGame();
    return;
  }
  statistics_.leave(steadySeconds());
}

void GameSession::dealtNew() {
  statistics_.leave(steadySeconds());
  statistics_.dealt();
  forgetGame();
}

void GameSession::invalidate(const game::Rect& r, bool erase) {
  hint_.tableChanged();  // the rules change the table only through here
  view_.invalidate(r, erase);
}

void GameSession::invalidateAll() {
  hint_.tableChanged();
  view_.invalidateAll();
}

void GameSession::setClockRunning(bool running) {
  if (!running)
    gameClock_.stop();
  else if (!gameClock_.isActive())
    gameClock_.start();
}

void GameSession::moveMade() {
  statistics_.moved(game::statisticsKind(engine_.menu()), steadySeconds());
  keepGame();
}

// The statistics count the win before its screens show: a game left while they are open is won.
// The winning move is reported after the win: it may be the game's first.
void GameSession::gameWon(const game::GameResult& result) {
  moveMade();
  const game::MenuState& menu = engine_.menu();
  const bool onTheClock =
      engine_.rules().klondikeScoring && menu.scoreMode == game::ScoreMode::Normal && menu.timed;
  statistics_.won(result.score, onTheClock ? std::optional(result.seconds) : std::nullopt,
                  steadySeconds());
  forgetGame();
  view_.gameWon(result);
}

}  // namespace shell
