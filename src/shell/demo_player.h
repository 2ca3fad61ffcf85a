#pragma once
// Game > Demo: the game plays itself from the table as it is, one press at a time at a pace a
// player can follow, through the rules as a player's presses would (points, sounds, the end of the
// game). It follows the solver's winning line; without one it plays the most useful moves
// (solver/suggestion.h) and stops when none is left. Any click or key stops it.
#include <QTimer>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game/game_engine.h"
#include "shell/hint_search.h"
#include "shell/solver_worker.h"

namespace shell {

inline constexpr const char* kDemoNote = "Demo: a click or a key stops it";
inline constexpr const char* kDemoSuggestionsNote =
    "Demo: no sure winning line, playing suggestions";

class DemoPlayer : public QObject {
 public:
  DemoPlayer(game::GameEngine& engine, HintSearch::Note note);
  ~DemoPlayer() override;

  void start();  // Klondike only; ends the game's qualification for the highscore list
  void stop();
  bool running() const { return running_; }
  // After each press, with the table before it (the window lets the moved cards glide).
  std::function<void(const game::GameTable& before)> pressed;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void answer(const solver::TableSearch& search);
  void step();
  // The next move: of the winning line, or the most useful one; nothing at the end.
  std::optional<solver::Move> nextMove();
  void press(game::Place place);

  game::GameEngine& engine_;
  HintSearch::Note note_;
  SolverWorker worker_;
  QTimer stepTimer_;
  bool running_ = false;
  bool following_ = false;  // playing a winning line, else suggestions
  std::vector<solver::Move> line_;
  std::size_t next_ = 0;
  std::optional<game::Place> target_;  // the second press of the move begun
  std::set<std::string> seen_;         // the positions the suggestions left (never go round)
};

}  // namespace shell
