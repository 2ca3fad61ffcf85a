// The registry of games.
#include "game/games.h"

#include "game/klondike_rules.h"
#include "game/quatro_rules.h"

namespace game {

namespace {

const std::array<const GameRules*, 2>& games() {
  static const std::array<const GameRules*, 2> list{&klondikeRules(), &quatroRules()};
  return list;
}

}  // namespace

const GameRules& rulesOf(RuleSet id) {
  for (const GameRules* game : games())
    if (game->id == id) return *game;
  return rulesOf(kDefaultGame);
}

RuleSet gameOfStoredValue(std::uint8_t value) {
  for (const GameRules* game : games())
    if (static_cast<std::uint8_t>(game->id) == value) return game->id;
  return kDefaultGame;
}

TableLayout tableLayout(RuleSet id, int screenClass) { return rulesOf(id).layout(screenClass); }

}  // namespace game
