#pragma once
// The game in play as a game's rules see it: the table, the menu's choices and the services that
// are the same for every game (the selection frame, the refusal cue, repaints, points, the clock,
// undo steps, the report of a win). GameEngine provides it; each game's rules (GameRules) move
// the cards through it. Toolkit-free.
#include "game/game_table.h"
#include "game/table_view.h"

namespace game {

struct MenuState;

class Play {
 public:
  virtual GameTable& t() = 0;
  virtual const MenuState& menu() const = 0;
  virtual TableView& view() = 0;
  // Drag 'n drop is in force for the press under way (a key press is always a click).
  virtual bool dragMode() const = 0;
  // The selection frame around the marked card or run (marks a drag in drag 'n drop mode).
  virtual void drawMark() = 0;
  virtual void eraseMark() = 0;
  // Drops the pick-up (and puts back the cards of an unfinished drag).
  virtual void cancelSelection() = 0;
  virtual void playRefusal() = 0;
  virtual void invalidatePlace(int column, int row) = 0;
  virtual void invalidateColumnFrom(int column, int row) = 0;
  // Points of a move in the score mode in force.
  virtual void addPoints(int normal, int vegas) = 0;
  virtual void showScore() = 0;
  virtual void showSeconds() = 0;
  virtual void startClock() = 0;
  virtual void stopClock() = 0;
  // A move as one undo step: the rule state before it, taken with restingRuleState().
  virtual RuleState restingRuleState() const = 0;
  virtual void recordMove(const RuleState& before) = 0;

 protected:
  virtual ~Play() = default;
};

}  // namespace game
