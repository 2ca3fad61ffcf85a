#pragma once
// Game > Hint: searches the table for a winning line on a worker thread and shows its next move by
// framing the place to press first and the place to press second for a moment, or tells that
// there is no winning line.
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

#include "game/game_engine.h"
#include "shell/solver_worker.h"
#include "solver/table_position.h"

namespace shell {

// The frames of a move: the cards to pick up (a whole run from the place pressed) and the place
// they go to; one frame for a move of one press.
std::vector<game::Rect> hintFrames(const game::GameEngine& engine, const solver::MovePlaces& move);

class HintSearch : public QObject {
 public:
  explicit HintSearch(game::GameEngine& engine);

  // Shows the frames of a move (none: takes them away), and tells that there is none.
  std::function<void(std::vector<game::Rect>)> showFrames;
  std::function<void(const QString& text, const QString& caption)> tell;

  // Searches from the table as it is (Klondike only); a card picked up is put back first.
  void request();
  // The table changed (a move, a deal, another rule set): the search or the frames shown are out
  // of date.
  void tableChanged();

 private:
  void answer(const solver::TableSearch& search);
  void show(std::vector<game::Rect> frames);

  game::GameEngine& engine_;
  bool framesShown_ = false;
  SolverWorker worker_;
  QTimer frameTimer_;  // how long the frames stay
};

}  // namespace shell
