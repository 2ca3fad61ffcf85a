// The registry of games, and the engine's moves of each game: deal, press, drop and won.
#include "game/games.h"

#include "game/game_engine.h"
#include "game/keyboard_focus.h"

namespace game {

namespace {

constexpr GameRules kGames[] = {
    {RuleSet::Klondike, 1, true, true, true, klondikeLayout, klondikeValidFocus, klondikeFocusStep},
    {RuleSet::Quatro, 2, false, false, false, quatroLayout, quatroValidFocus, quatroFocusStep},
};

}  // namespace

const GameRules& rulesOf(RuleSet id) {
  for (const GameRules& game : kGames)
    if (game.id == id) return game;
  return rulesOf(kDefaultGame);
}

RuleSet gameOfStoredValue(std::uint8_t value) {
  for (const GameRules& game : kGames)
    if (static_cast<std::uint8_t>(game.id) == value) return game.id;
  return kDefaultGame;
}

TableLayout tableLayout(RuleSet id, int screenClass) { return rulesOf(id).layout(screenClass); }

void GameEngine::restart() {
  if (menu_.ruleSet == RuleSet::Quatro) {
    t_.quatroOver = 0;
    dealQuatro();
  } else {
    dealKlondike();
  }
}

std::optional<Place> GameEngine::placeUnder(int x, int y) const {
  // Quatro refuses a press off its places itself.
  if (menu_.ruleSet == RuleSet::Klondike && !insideKlondikeArea(x, y)) return std::nullopt;
  return hitPlace(x, y);
}

void GameEngine::gamePress(std::optional<Place> place) {
  if (menu_.ruleSet == RuleSet::Quatro) {
    if (t_.quatroOver == 0) quatroPress(*place);
  } else {
    klondikeLeftPress(place);
  }
}

void GameEngine::dropPickUp() {
  if (menu_.ruleSet == RuleSet::Quatro) {
    t_.selPending = false;
    eraseMark();
  } else {
    cancelSelection();
  }
}

bool GameEngine::gameOver() const {
  return menu_.ruleSet == RuleSet::Quatro ? t_.quatroOver != 0 : t_.allKingsHome();
}

}  // namespace game
