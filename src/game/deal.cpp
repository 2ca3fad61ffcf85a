// Deals of both rule sets, the switch between them and the levels.
#include <algorithm>
#include <ctime>

#include "game/deck.h"
#include "game/game_engine.h"

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

void GameEngine::dealKlondike() { dealKlondike(nextSeed()); }

void GameEngine::dealKlondike(std::uint32_t seed) {
  lastSeed_ = seed;
  const bool hard = menu_.level == Level::Hard;
  t_.qualifies = menu_.scoreMode == ScoreMode::Normal && menu_.timed && hard ? 1 : 0;
  t_.seconds = 0;
  t_.vegasRedeals = 0;
  t_.score = menu_.scoreMode == ScoreMode::Vegas ? -52 : 0;
  t_.tenTicks = 0;
  showScore();
  showSeconds();
  stopClock();

  const Deck deck = shuffleDeck(seed);
  int p = 0;
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      if (r < c)
        t_.tableau[c][r] = static_cast<std::uint8_t>(deck[p++] + kFaceDown);
      else if (r == c)
        t_.tableau[c][r] = deck[p++];
      else
        t_.tableau[c][r] = kEmpty;
    }
  }
  // A deal is the same rule state however often it is dealt: nothing of the last game stays.
  std::fill(std::begin(t_.stock), std::end(t_.stock), kEmpty);
  std::copy(deck.begin() + p, deck.end(), t_.stock);
  t_.stockCount = static_cast<std::int8_t>(52 - p);
  std::fill(std::begin(t_.waste), std::end(t_.waste), kEmpty);
  t_.wasteTop = -1;
  t_.turnCount = 0;
  std::fill(std::begin(t_.foundation), std::end(t_.foundation), kEmpty);
  clearSelectionState();
  view_.invalidateAll();
}

void GameEngine::dealQuatro() {
  const Deck deck = shuffleDeck(nextSeed());
  std::fill(&t_.grid[0][0], &t_.grid[0][0] + kQuatroGridSize * kQuatroGridSize, kEmpty);
  std::copy(deck.begin(), deck.end(), t_.deck);
  t_.current = t_.deck[kDeckSize - 1];
  t_.deckTop = kDeckSize - 2;
  t_.gridCount = 0;
  t_.pairMode = 0;
  clearSelectionState();
  view_.invalidateAll();
}

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
