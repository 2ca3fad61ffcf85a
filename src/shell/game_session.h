#pragma once
// The game in play, apart from the window: the rules' engine, the game clock, the pacing of an
// auto finish, the statistics, and the hint and winnable-deal searches. No widgets: the window
// shows what the session reports through SessionView and forwards the player's input to
// engine(); a test plays a session without a window.
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/game_engine.h"
#include "results/statistics_file.h"
#include "shell/game_options.h"
#include "shell/hint_search.h"
#include "shell/saved_game_file.h"
#include "shell/winnable_deals.h"

namespace shell {

// The window as the session sees it: the rules' reports that the session passes on, and what
// the searches show.
class SessionView : public game::TableView {
 public:
  // Game > Hint: the frames of the next move; none takes them away.
  virtual void showHintFrames(std::vector<game::Rect> frames) = 0;
  // A message box with an OK button, and a passing note in the status bar.
  virtual void tell(const QString& text, const QString& caption) = 0;
  virtual void showNote(const QString& text) = 0;
  // Winnable deals only: a search runs (the table refuses presses meanwhile), and it has taken
  // more than a moment.
  virtual void searchingForDeal(bool on) = 0;
  virtual void searchTakesLong() = 0;
};

class GameSession : public QObject, private game::TableView {
 public:
  explicit GameSession(SessionView& view);

  game::GameEngine& engine() { return engine_; }
  const game::GameEngine& engine() const { return engine_; }
  results::StatisticsFile& statistics() { return statistics_; }
  // Reads the statistics file; the message to show when it was damaged.
  std::optional<std::string> loadStatistics(const std::string& path);
  bool clockActive() const { return gameClock_.isActive(); }
  bool searchingDeal() const { return winnableDeals_.searching(); }
  // After each card of an auto finish, with the table before it: the window lets the card glide
  // and gives the milliseconds to wait before the next card.
  std::function<int(const game::GameTable& before)> autoFinishCardMoved;
  // The play folder that keeps the game in progress (game/saved_game.h); none keeps nothing.
  std::string keepDir;
  // The game's own options (Options.ini), one object for the session and the window. The session
  // acts on three: Winnable deals only (Klondike's new deals are proved winnable first), Autodrop,
  // and Resume unfinished game (the game in progress is kept after every move and on leaving, and
  // goes on at the next start; switched off, the kept game is forgotten).
  const GameOptions& options() const { return options_; }
  void setOptions(const GameOptions& options);

  // Deals the game of the engine's menu state at program start.
  void startUp();
  void restart();                       // Game > Restart
  void playDeal(std::uint32_t number);  // Game > Deal number
  bool play(game::RuleSet game);        // Game > Klondike, Game > Quatro
  void autoFinish();                    // one card now, the others paced by a timer
  void showHint();
  // At start, after startUp(): goes on with the kept game in place of the deal. Returns the
  // message for a kept file that could not be read; *fits is false when the kept game is one the
  // screen cannot show (the deal stays).
  std::optional<std::string> resumeKeptGame(bool* fits);
  void undo();
  void redo();
  // Writes the game in progress, unless it is over or not kept (the desktop session ends).
  void keepGame();
  // The file is written off this thread: returns once it is as the last move left it.
  void waitForKeptGame();
  // Exit: the game in progress is kept; where it is not, a played game still open is lost.
  void leave();

 private:
  // game::TableView: the clock, the moves and the wins are the session's; the rest goes on.
  void invalidate(const game::Rect& r, bool erase) override;
  void invalidateAll() override;
  void repaintNow() override { view_.repaintNow(); }
  void refused() override { view_.refused(); }
  void scoreChanged(int score) override { view_.scoreChanged(score); }
  void clockChanged(int seconds) override { view_.clockChanged(seconds); }
  void setClockRunning(bool running) override;
  void moveMade() override;
  void gameWon(const game::GameResult& result) override;
  void dragStarted(const game::Rect& source) override { view_.dragStarted(source); }
  void movesChanged() override { view_.movesChanged(); }

  void dealtNew();  // the statistics leave the game before and follow the new one
  bool autoFinishStep();
  bool keeping() const { return options_.resumeGame && !keepDir.empty() && keptFileWritable_; }
  void forgetGame();  // the game is over or left: no kept file
  bool winnableDeal() const {
    return options_.winnableDealsOnly && engine_.rules().klondikeScoring;
  }

  SessionView& view_;
  game::GameEngine engine_{*this};
  results::StatisticsFile statistics_;
  QTimer gameClock_;
  QTimer autoFinishTimer_;
  HintSearch hint_{engine_};
  WinnableDeals winnableDeals_{engine_};
  SavedGameWriter& keptGameWriter();
  std::unique_ptr<SavedGameWriter> keptGameWriter_;  // made on the first use of keepDir
  GameOptions options_;
  bool keptFileWritable_ = true;  // false while a file that could not be read stays in place
};

}  // namespace shell
