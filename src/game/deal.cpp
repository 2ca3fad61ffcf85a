// Deals, the switch between games and the levels.
#include <ctime>

#include "game/game_engine.h"
#include "game/klondike_rules.h"

namespace game {

GameEngine::GameEngine(TableView& view)
    : seedSource([] { return static_cast<std::uint32_t>(std::time(nullptr)); }), view_(view) {
  restoreRuleState(emptyRuleState(), t_);
}

// A pick-up or drag left over from the last game would otherwise be applied to the new piles.
void GameEngine::clearSelectionState() {
  t_.selState = Selection::None;
  t_.selPending = false;
  t_.selIsRun = 0;
  t_.markVisible = false;
  t_.dragging = 0;
  t_.dragHoldsCards = false;
  t_.dragImageVisible = false;
  t_.pointerOutside = 0;
  autoFinishing_ = false;  // every deal ends an auto finish
  autoFinishStart_.reset();
  history_.clear();
  view_.movesChanged();
}

std::uint32_t GameEngine::freshTimeSeed() const {
  std::uint32_t seed = seedSource();
  if (lastSeed_ && seed == *lastSeed_) ++seed;  // wraps from the largest to 0
  return seed;
}

std::uint32_t GameEngine::nextSeed() {
  const std::uint32_t seed = chosenSeed_ ? *chosenSeed_ : freshTimeSeed();
  chosenSeed_.reset();
  lastSeed_ = seed;
  return seed;
}

bool GameEngine::applyMenuState(const MenuState& menu) {
  menu_ = menu;
  const bool fitting = fits(menu_.ruleSet);
  if (!fitting) menu_.ruleSet = kDefaultGame;
  applyLayout();
  return fitting;
}

bool GameEngine::startUp() {
  if (!fits(menu_.ruleSet)) {
    play(kDefaultGame);
    return false;
  }
  applyLayout();
  if (!rules().dragAndDrop) menu_.dragDrop = false;
  restart();
  return true;
}

void GameEngine::deal(const GameRules& game, std::uint32_t seed) {
  lastSeed_ = seed;
  game.deal(*this, seed);
  clearSelectionState();
  view_.invalidateAll();
}

void GameEngine::dealKlondike() { deal(klondikeRules(), nextSeed()); }

void GameEngine::restart() { deal(rules(), nextSeed()); }

void GameEngine::playDeal(std::uint32_t number) {
  chosenSeed_ = number;
  restart();
}

// A game's choice turns drag 'n drop on where the game has it.
bool GameEngine::play(RuleSet game) {
  if (!fits(game)) return false;
  menu_.ruleSet = game;
  applyLayout();
  menu_.dragDrop = rules().dragAndDrop;
  restart();
  return true;
}

void GameEngine::chooseLevel(Level level) {
  menu_.level = level;
  if (level != Level::Hard) t_.qualifies = 0;
}

}  // namespace game
