// The automatic finish of a Klondike game with nothing hidden, and the end of a won game.
#include <string>

#include "game_engine.h"

namespace game {

bool GameEngine::canAutoFinish() const {
  if (t.stockCount >= 1 || t.wasteTop >= 0) return false;
  for (const auto& column : t.tableau)
    if (isFaceDown(column[0]) && isOccupied(column[0])) return false;
  return true;
}

void GameEngine::autoFinish() {
  if (menu.ruleSet != RuleSet::Klondike) return;
  if (t.dragHoldsCards) cancelSelection();
  if (!canAutoFinish()) return;
  cancelSelection();  // a pending pick-up must not outlive the cards it names
  for (;;) {
    // The smallest card left is the last card of its column and always fits a foundation.
    std::uint8_t smallest = kEmpty;
    int column = 0, row = 0;
    for (int c = 0; c < kColumns; ++c)
      for (int r = 0; r < kRows; ++r)
        if (t.tableau[c][r] < smallest) smallest = t.tableau[c][r], column = c, row = r;
    if (smallest == kEmpty) return;
    const int f = foundationFor(smallest);
    if (f < 0) return;
    t.selCol = column;
    t.selRow = row;
    t.selCard = smallest;
    t.selIsRun = 0;
    t.selPending = '0';
    t.selState = 2;
    moveToFoundation(f);
    view_.repaintNow();
  }
}

void GameEngine::gameWon() {
  stopClock();
  if (t.qualifies == 1) view_.enterHighscore(std::to_string(t.score), std::to_string(t.seconds));
  else view_.showEndGame();
}

}  // namespace game
