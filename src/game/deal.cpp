// Deals of both rule sets, the switch between them and the levels.
#include <algorithm>
#include <ctime>

#include "deck.h"
#include "game_engine.h"

namespace game {

GameEngine::GameEngine(TableView& view)
    : seedSource([] { return static_cast<std::uint32_t>(std::time(nullptr)); }), view_(view) {
  std::fill(&t.tableau[0][0], &t.tableau[0][0] + kColumns * kRows, kEmpty);
  std::fill(std::begin(t.waste), std::end(t.waste), kEmpty);
  std::fill(std::begin(t.foundation), std::end(t.foundation), kEmpty);
}

// A pick-up or drag left over from the last game would otherwise be applied to the new piles.
void GameEngine::clearSelectionState() {
  t.selState = 0;
  t.selPending = '0';
  t.selIsRun = 0;
  t.markVisible = false;
  t.dragging = 0;
  t.dragHoldsCards = false;
  t.dragImageVisible = false;
  t.pointerOutside = 0;
}

std::uint32_t GameEngine::nextSeed() {
  std::uint32_t seed = seedSource();
  if (lastSeed_ && seed == *lastSeed_) ++seed;  // wraps from the largest seed to 0
  lastSeed_ = seed;
  return seed;
}

bool GameEngine::startUp() {
  if (menu.ruleSet == RuleSet::Quatro) {
    if (t.screenClass == 1) {
      switchToKlondike();
      return false;
    }
    switchToQuatro();
    return true;
  }
  applyLayout();
  dealKlondike();
  return true;
}

void GameEngine::dealKlondike() {
  t.qualifies = menu.scoreMode == ScoreMode::Normal && menu.timed && menu.level == 'C' ? 1 : 0;
  t.seconds = 0;
  t.vegasRedeals = 0;
  t.score = menu.scoreMode == ScoreMode::Vegas ? -52 : 0;
  t.tenTicks = 0;
  showScore();
  showSeconds();
  stopClock();

  const Deck deck = shuffleDeck(nextSeed());
  int p = 0;
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      if (r < c) t.tableau[c][r] = static_cast<std::uint8_t>(deck[p++] + 64);
      else if (r == c) t.tableau[c][r] = deck[p++];
      else t.tableau[c][r] = kEmpty;
    }
  }
  std::copy(deck.begin() + p, deck.end(), t.stock);
  t.stockCount = static_cast<std::int8_t>(52 - p);
  t.wasteTop = -1;
  std::fill(std::begin(t.foundation), std::end(t.foundation), kEmpty);
  clearSelectionState();
  view_.invalidateAll();
}

void GameEngine::dealQuatro() {
  const Deck deck = shuffleDeck(nextSeed());
  std::fill(&t.tableau[0][0], &t.tableau[0][0] + kColumns * kRows, kEmpty);
  std::copy(deck.begin(), deck.end(), t.stock);
  std::fill(std::begin(t.waste), std::end(t.waste), kEmpty);
  t.waste[0] = t.stock[51];
  t.stockCount = 50;
  t.gridCount = 0;
  t.pairMode = 0;
  clearSelectionState();
  view_.invalidateAll();
}

void GameEngine::restart() {
  if (menu.ruleSet == RuleSet::Quatro) {
    t.quatroOver = 0;
    dealQuatro();
  } else {
    dealKlondike();
  }
}

void GameEngine::switchToKlondike() {
  menu.ruleSet = RuleSet::Klondike;
  applyLayout();
  menu.dragDrop = true;
  dealKlondike();
}

bool GameEngine::switchToQuatro() {
  if (t.screenClass == 1) return false;
  menu.ruleSet = RuleSet::Quatro;
  applyLayout();
  menu.dragDrop = false;
  t.quatroOver = 0;
  dealQuatro();
  return true;
}

void GameEngine::chooseLevel(char level) {
  if (level < 'A' || level > 'C') return;
  menu.level = level;
  if (level != 'C') t.qualifies = 0;
}

}  // namespace game
