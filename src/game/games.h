#pragma once
// The games of this program, one entry each: what the engine, the painter, the statistics and the
// window ask of a game besides its moves. A new game adds its entry here, its moves to the
// engine's dispatch in games.cpp, its layout to table_geometry.* and its focus steps to
// keyboard_focus.*. Toolkit-free.
#include <cstdint>

#include "game/table_geometry.h"

namespace game {

struct GameTable;
enum class FocusMove;

enum class RuleSet : std::uint8_t { Klondike = 1, Quatro = 2 };  // = the settings' game byte
constexpr RuleSet kDefaultGame = RuleSet::Klondike;

struct GameRules {
  RuleSet id;
  int smallestScreenClass;  // the game needs a screen of at least this class (1..3)
  // Levels, score modes, the clock's points, highscores, auto finish, hints and winnable deals:
  // the menu's choices that only Klondike's scoring reads, and the status bar that shows it.
  bool klondikeScoring;
  bool dragAndDrop;    // the pointer may drag cards (otherwise every press is a click)
  bool fannedColumns;  // a frame spans the cards below the one it starts at
  TableLayout (*layout)(int screenClass);
  // Keyboard play: the focusable place nearest to a place, and the one a step leads to.
  Place (*validFocus)(const GameTable& t, Place p);
  Place (*focusStep)(const GameTable& t, Place valid, FocusMove move);
};

const GameRules& rulesOf(RuleSet id);
TableLayout tableLayout(RuleSet id, int screenClass);
// The game that a stored game byte names; the default game for a value that names none.
RuleSet gameOfStoredValue(std::uint8_t value);

}  // namespace game
