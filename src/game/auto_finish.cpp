// The pacing of an automatic finish: one card of it per step, all of it as one undo step.
#include "game/game_engine.h"

namespace game {

bool GameEngine::startAutoFinish() {
  if (t_.dragHoldsCards) cancelSelection();
  if (!canAutoFinish()) return false;
  autoFinishing_ = true;
  autoFinishStart_ = restingRuleState();
  return true;
}

bool GameEngine::autoFinishStep() {
  if (autoFinishOneCard()) return true;
  endAutoFinish();
  return false;
}

// A deal during the card's move (from the end-of-game screen) ends the finish.
bool GameEngine::autoFinishOneCard() {
  if (!autoFinishing_ || !canAutoFinish()) {
    autoFinishing_ = false;
    return false;
  }
  if (!rules().autoFinishCard(*this)) autoFinishing_ = false;
  return autoFinishing_;
}

void GameEngine::autoFinish() {
  if (!startAutoFinish()) return;
  while (autoFinishStep()) {}
}

}  // namespace game
