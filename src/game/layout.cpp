// The table's layout in the engine: the screen class, the layout of the game in play, whether a
// game fits the screen, and the invalidation of places.
#include <algorithm>

#include "game/game_engine.h"

namespace game {

void GameEngine::setScreenClass(int screenClass) {
  t_.screenClass = static_cast<std::uint8_t>(std::clamp(screenClass, 1, 3));
  applyLayout();
}

bool GameEngine::fits(RuleSet game) const {
  return t_.screenClass >= rulesOf(game).smallestScreenClass;
}

void GameEngine::applyLayout() { t_.layout = tableLayout(menu_.ruleSet, t_.screenClass); }

void GameEngine::invalidatePlace(int column, int row) {
  view_.invalidate(placeRect(column, row), true);
}

void GameEngine::invalidateColumnFrom(int column, int row) {
  // Down to the bottom of the last possible row, so that no card removed from the end stays
  // visible.
  view_.invalidate(t_.layout.columnRect(column, row), true);
}

}  // namespace game
