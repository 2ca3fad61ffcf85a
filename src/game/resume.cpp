// The engine's side of a saved game: what it keeps of the game in progress, and going on with it.
#include "game/game_engine.h"
#include "game/saved_game.h"

namespace game {

SavedGame GameEngine::savedGame() const {
  SavedGame g;
  g.game = menu_.ruleSet;
  g.level = menu_.level;
  g.scoreMode = menu_.scoreMode;
  g.timed = menu_.timed;
  g.dealNumber = dealNumber();
  g.table = restingRuleState();
  g.seconds = t_.seconds;
  g.tenTicks = t_.tenTicks;
  g.qualifies = t_.qualifies;
  g.undo = history_.undoSteps();
  g.redo = history_.redoSteps();
  if (autoFinishStart_) {  // a finish under way is one step, as its end records it
    g.undo.push_back(*autoFinishStart_);
    g.redo.clear();
  }
  return g;
}

bool GameEngine::resume(const SavedGame& g) {
  if (!fits(g.game)) return false;
  if (g.game != menu_.ruleSet) menu_.dragDrop = rulesOf(g.game).dragAndDrop;
  menu_.ruleSet = g.game;
  menu_.level = g.level;
  menu_.scoreMode = g.scoreMode;
  menu_.timed = g.timed;
  if (!rules().dragAndDrop) menu_.dragDrop = false;
  applyLayout();
  stopClock();
  clearSelectionState();
  restoreRuleState(g.table, t_);
  t_.seconds = g.seconds;
  t_.tenTicks = g.tenTicks;
  t_.qualifies = g.qualifies;
  lastSeed_ = g.dealNumber;
  chosenSeed_.reset();
  history_.restore(g.undo, g.redo);
  showScore();
  showSeconds();
  view_.invalidateAll();
  view_.movesChanged();
  return true;
}

}  // namespace game
