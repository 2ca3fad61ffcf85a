// The keyboard's presses: the left-button press of the click mode at the focused place, whatever
// the mode, and Escape.
#include "game/game_engine.h"

namespace game {

void GameEngine::keyPress(int x, int y) {
  keyPressing_ = true;
  mouseDown(MouseButton::Left, x, y);
  mouseUp(MouseButton::Left, x, y);
  keyPressing_ = false;
}

void GameEngine::dropPickUp() {
  if (menu_.ruleSet == RuleSet::Quatro) {
    t_.selPending = false;
    eraseMark();
  } else {
    cancelSelection();
  }
}

}  // namespace game
