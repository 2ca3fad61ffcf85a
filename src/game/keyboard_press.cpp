// The keyboard's presses: the left-button press of the click mode at the focused place, whatever
// the mode, and Escape.
#include "game/game_engine.h"

namespace game {

void GameEngine::keyPress(Place place) {
  keyPressing_ = true;
  if (t_.dragHoldsCards) cancelSelection();
  leftPress(place);
  t_.soundPlayed = 0;
  keyPressing_ = false;
}

}  // namespace game
