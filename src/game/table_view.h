#pragma once
// The one small interface through which the rules talk to the table window. The rules never draw:
// they change the model, invalidate the rectangles of the changed places and the window's paint
// handler redraws them from the model (including the selection frame, the Quatro highlights and
// the drag image, whose positions the model keeps).
#include <string>

#include "game/table_geometry.h"

namespace game {

class TableView {
 public:
  virtual ~TableView() = default;
  // Mark a rectangle for repainting (erase = repaint the table colour under it first).
  virtual void invalidate(const Rect& r, bool erase) = 0;
  virtual void invalidateAll() = 0;
  // Repaint everything invalidated so far, now (before returning).
  virtual void repaintNow() = 0;
  // Play the refusal cue "mirt_1.wav"; the rules decide whether and how often.
  virtual void playRefusalSound() = 0;
  // Status bar panel text (panel 1 score, 3 seconds).
  virtual void setStatusPanel(int panel, const std::string& text) = 0;
  // Start or stop the 1000 ms game clock. Called only when the state changes.
  virtual void setClockRunning(bool running) = 0;
  // Show the end-of-game screen modally; returns when it has closed.
  virtual void showEndGame() = 0;
  // Rank a qualifying result into the highscore list (score and seconds as shown in the panels).
  virtual void enterHighscore(const std::string& score, const std::string& seconds) = 0;
  // Copy the window's picture inside `source` into the drag image at (0, 0).
  virtual void grabDragImage(const Rect& source) = 0;
};

}  // namespace game
