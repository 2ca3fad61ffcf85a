#pragma once
// The one small interface through which the rules tell the window what happened. The rules never
// draw and never format: they change the model, invalidate the rectangles of the changed places
// and report numbers and facts; the window decides what they look like (which panel, which text,
// which sound, which screen) and its paint handler redraws from the model (including the
// selection frame, the Quatro highlights and the drag image, whose positions the model keeps).
#include <optional>

#include "game/table_geometry.h"

namespace game {

// How a game was won.
struct GameResult {
  std::optional<int> score;  // none in a game without a score (Quatro, no score mode)
  int seconds = 0;           // on the game clock
  bool qualifies = false;    // the result may enter the highscore list
  bool operator==(const GameResult&) const = default;
};

class TableView {
 public:
  virtual ~TableView() = default;
  // Mark a rectangle for repainting (erase = repaint the table colour under it first).
  virtual void invalidate(const Rect& r, bool erase) = 0;
  virtual void invalidateAll() = 0;
  // Repaint everything invalidated so far, now (before returning).
  virtual void repaintNow() = 0;
  // A press was refused with the refusal cue; the rules decide whether and how often.
  virtual void refused() = 0;
  virtual void scoreChanged(int score) = 0;
  virtual void clockChanged(int seconds) = 0;
  // Start or stop the 1000 ms game clock. Called only when the state changes.
  virtual void setClockRunning(bool) {}
  // A move changed the rule state (it can be undone).
  virtual void moveMade() {}
  // The game was won; returns when the window has shown it.
  virtual void gameWon(const GameResult& result) = 0;
  // A drag begins: the cards inside `source` (still on the table) are its picture.
  virtual void dragStarted(const Rect& source) = 0;
  // What can be undone or redone may have changed.
  virtual void movesChanged() {}
};

}  // namespace game
