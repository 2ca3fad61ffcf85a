#pragma once
// Game > Hint: searches the table for a winning line on a worker thread and shows its next move by
// framing the place to press first and the place to press second for a moment, or tells that
// there is no winning line.
#include <QTimer>
#include <vector>

#include "game/game_engine.h"
#include "shell/solver_worker.h"
#include "solver/table_position.h"

namespace shell {

class TableWidget;

// The frames of a move: the cards to pick up (a whole run from the place pressed) and the place
// they go to; one frame for a move of one press.
std::vector<game::Rect> hintFrames(const game::GameEngine& engine, const solver::MovePlaces& move);

class HintSearch : public QObject {
 public:
  HintSearch(game::GameEngine& engine, TableWidget& table);

  // Searches from the table as it is (Klondike only); a card picked up is put back first.
  void request();
  // The table changed (a move, a deal, another rule set): the search or the frames shown are out
  // of date.
  void tableChanged();

 private:
  void answer(const solver::TableSearch& search);

  game::GameEngine& engine_;
  TableWidget& table_;
  SolverWorker worker_;
  QTimer frameTimer_;  // how long the frames stay
};

}  // namespace shell
