// Score modes, points of moves, the game clock with its time penalty and the two value panels.
#include <string>

#include "game_engine.h"

namespace game {

namespace {
constexpr int kScorePanel = 1;
constexpr int kSecondsPanel = 3;
constexpr int kTicksPerPenalty = 10;
constexpr int kTimePenalty = 2;
}  // namespace

void GameEngine::addPoints(int normal, int vegas) {
  const int points = menu.scoreMode == ScoreMode::Normal ? normal
                     : menu.scoreMode == ScoreMode::Vegas ? vegas
                                                          : 0;
  if (points == 0) return;
  t.score += points;
  showScore();
}

void GameEngine::showScore() { view_.setStatusPanel(kScorePanel, std::to_string(t.score)); }
void GameEngine::showSeconds() { view_.setStatusPanel(kSecondsPanel, std::to_string(t.seconds)); }

void GameEngine::startClock() {
  if (clockRunning) return;
  clockRunning = true;
  view_.setClockRunning(true);
}

void GameEngine::stopClock() {
  if (!clockRunning) return;
  clockRunning = false;
  view_.setClockRunning(false);
}

void GameEngine::clockTick() {
  ++t.tenTicks;
  ++t.seconds;
  showSeconds();
  if (t.tenTicks == kTicksPerPenalty) {
    t.score -= kTimePenalty;
    t.tenTicks = 0;
    showScore();
  }
}

void GameEngine::chooseNormal() { menu.scoreMode = ScoreMode::Normal; }

void GameEngine::chooseVegas() {
  menu.scoreMode = ScoreMode::Vegas;
  t.qualifies = 0;
}

void GameEngine::chooseNone() {
  menu.scoreMode = ScoreMode::None;
  t.qualifies = 0;
  t.score = 0;
  t.seconds = 0;
  showScore();
  showSeconds();
  stopClock();
}

void GameEngine::toggleTimed() {
  menu.timed = !menu.timed;
  if (menu.timed) {
    startClock();
  } else {
    t.qualifies = 0;
    stopClock();
  }
}

}  // namespace game
