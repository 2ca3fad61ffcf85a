#pragma once
// Options > Winnable deals only: tries the seeds from a first one in turn until the solver proves
// a Klondike deal winnable at the current level, on a worker thread, and deals that seed. The
// table refuses presses meanwhile; after a moment the window shows that it is searching.
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>

#include "game/game_engine.h"
#include "shell/solver_worker.h"

namespace shell {

class WinnableDeals : public QObject {
 public:
  explicit WinnableDeals(game::GameEngine& engine);

  // Game > Restart: from the seed that the engine's next deal would take.
  void dealNew();
  // After a deal of the engine's own: from its seed (kept when it is winnable).
  void replaceDeal();
  void cancel();
  bool searching() const { return worker_.busy(); }
  // Called after the search has dealt its seed.
  std::function<void()> dealt;
  // A search begins or ends; it has taken more than a moment; a message box to show.
  std::function<void(bool on)> searchChanged;
  std::function<void()> takesLong;
  std::function<void(const QString& text, const QString& caption)> tell;

 private:
  void search(std::uint32_t firstSeed);
  void answer(std::uint32_t firstSeed, game::Level level, std::uint32_t seed, bool winnable);
  void setSearching(bool on);

  game::GameEngine& engine_;
  SolverWorker worker_;
  QTimer noticeTimer_;  // shows the search once it takes more than a moment
};

}  // namespace shell
