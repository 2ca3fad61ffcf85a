// Score modes, points of moves, the game clock with its time penalty, and the score and clock
// reported to the window.

#include "game/game_engine.h"

namespace game {

namespace {
constexpr int kTicksPerPenalty = 10;
constexpr int kTimePenalty = 2;
}  // namespace

void GameEngine::addPoints(int normal, int vegas) {
  const int points = menu_.scoreMode == ScoreMode::Normal  ? normal
                     : menu_.scoreMode == ScoreMode::Vegas ? vegas
                                                           : 0;
  if (points == 0) return;
  t_.score += points;
  showScore();
}

void GameEngine::showScore() { view_.scoreChanged(t_.score); }
void GameEngine::showSeconds() { view_.clockChanged(t_.seconds); }

// A won game's clock stays stopped: its time is the result.
void GameEngine::startClock() {
  if (clockRunning_ || gameOver()) return;
  clockRunning_ = true;
  view_.setClockRunning(true);
}

void GameEngine::stopClock() {
  if (!clockRunning_) return;
  clockRunning_ = false;
  view_.setClockRunning(false);
}

void GameEngine::clockTick() {
  ++t_.tenTicks;
  ++t_.seconds;
  showSeconds();
  if (t_.tenTicks == kTicksPerPenalty) {
    t_.score -= kTimePenalty;
    history_.chargePenalty(kTimePenalty);
    t_.tenTicks = 0;
    showScore();
  }
}

void GameEngine::chooseNormal() { menu_.scoreMode = ScoreMode::Normal; }

void GameEngine::chooseVegas() {
  menu_.scoreMode = ScoreMode::Vegas;
  t_.qualifies = 0;
}

void GameEngine::chooseNone() {
  menu_.scoreMode = ScoreMode::None;
  t_.qualifies = 0;
  t_.score = 0;
  t_.seconds = 0;
  showScore();
  showSeconds();
  stopClock();
}

void GameEngine::toggleTimed() {
  menu_.timed = !menu_.timed;
  if (menu_.timed) {
    startClock();
  } else {
    t_.qualifies = 0;
    stopClock();
  }
}

}  // namespace game
