#pragma once
// Game > Hint: searches the table for a winning line on a worker thread and shows its next move by
// framing the place to press first and the place to press second for a moment. Without a sure
// line it frames the most useful move instead (solver/suggestion.h) and says so; on a game proved
// lost it says that there is no winning line, and still frames a useful move if there is one.
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

// The status bar notes of a hint and of the moves that take a game out of the highscore race.
inline constexpr const char* kSuggestionNote = "Hint: a suggestion, not a sure winning line";
inline constexpr const char* kWonNote = "The game is won";
inline constexpr const char* kNoMoveNote = "No move left";
inline constexpr const char* kOutOfTheRaceNote =
    "This game no longer counts for the highscore list";

// Ends the qualification of the game for the highscore list; true when the game qualified until
// now (the player is then told once, with kOutOfTheRaceNote).
bool endQualification(game::GameEngine& engine);

// Searches the engine's table as it is now (its level and score mode) on `worker`, within the
// budget of a hint or a demo; `answer` gets the finished search on the window's thread.
void searchTable(SolverWorker& worker, const game::GameEngine& engine,
                 std::function<void(const solver::TableSearch&)> answer);

class HintSearch : public QObject {
 public:
  using Note = std::function<void(const QString&)>;  // a passing note in the status bar
  explicit HintSearch(game::GameEngine& engine);

  // Shows the frames of a move (none: takes them away), a message box, a passing note.
  std::function<void(std::vector<game::Rect>)> showFrames;
  std::function<void(const QString& text, const QString& caption)> tell;
  Note note;

  // Searches from the table as it is (Klondike only); a card picked up is put back first.
  void request();
  // The table changed (a move, a deal, another game): the search or the frames shown are out of
  // date.
  void tableChanged();

 private:
  void answer(const solver::TableSearch& search);
  void showMove(const solver::MovePlaces& move);
  void show(std::vector<game::Rect> frames);
  void say(const char* text);

  game::GameEngine& engine_;
  bool framesShown_ = false;
  SolverWorker worker_;
  QTimer frameTimer_;  // how long the frames stay
};

}  // namespace shell
