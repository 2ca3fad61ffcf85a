// The automatic finish of a Klondike game with nothing hidden, and the end of a won game.
#include <algorithm>

#include "game/game_engine.h"

namespace game {

bool GameEngine::canAutoFinish() const {
  if (t_.stockCount >= 1 || t_.wasteTop >= 0) return false;
  for (const auto& column : t_.tableau)
    if (Card{column[0]}.faceDown()) return false;
  return true;
}

bool GameEngine::startAutoFinish() {
  if (!rules().klondikeScoring) return false;
  if (t_.dragHoldsCards) cancelSelection();
  if (!canAutoFinish()) return false;
  autoFinishing_ = true;
  autoFinishStart_ = restingRuleState();
  return true;
}

void GameEngine::sendHome(int column, int row, std::uint8_t card, int f) {
  t_.selCol = column;
  t_.selRow = row;
  t_.selCard = card;
  t_.selIsRun = 0;
  t_.selPending = false;
  t_.selState = Selection::SeekingFoundation;
  moveToFoundation(f);
}

bool GameEngine::autoFinishStep() {
  if (autoFinishOneCard()) return true;
  endAutoFinish();
  return false;
}

bool GameEngine::autoFinishOneCard() {
  if (!autoFinishing_ || !rules().klondikeScoring || !canAutoFinish()) {
    autoFinishing_ = false;
    return false;
  }
  cancelSelection();  // a pending pick-up must not outlive the cards it names
  // The smallest card left is the last card of its column and always fits a foundation.
  std::uint8_t smallest = kEmpty;
  int column = 0, row = 0;
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r)
      if (t_.tableau[c][r] < smallest) smallest = t_.tableau[c][r], column = c, row = r;
  const int f = smallest == kEmpty ? -1 : foundationFor(smallest);
  if (f < 0) {
    autoFinishing_ = false;
    return false;
  }
  // The last card wins the game (a deal from the end-of-game screen ends it).
  sendHome(column, row, smallest, f);
  view_.repaintNow();
  const auto* cells = &t_.tableau[0][0];
  if (std::none_of(cells, cells + kColumns * kRows,
                   [](std::uint8_t code) { return Card{code}.occupied(); }))
    autoFinishing_ = false;
  return autoFinishing_;
}

void GameEngine::autoFinish() {
  if (!startAutoFinish()) return;
  while (autoFinishStep()) {}
}

void GameEngine::gameWon() {
  stopClock();
  const bool scored = menu_.scoreMode != ScoreMode::None;
  view_.gameWon(
      {scored ? std::optional<int>(t_.score) : std::nullopt, t_.seconds, t_.qualifies == 1});
}

}  // namespace game
