#pragma once
// Keyboard play: the places that the arrow keys move the focus frame over; a key press presses
// the focused place (GameEngine::keyPress). Each game's rules say which places it has and where
// a step leads (GameRules::validFocus, GameRules::focusStep). Toolkit-free.
#include "game/game_table.h"
#include "game/games.h"

namespace game {

enum class FocusMove { Left, Right, Up, Down };

// The focusable place nearest to `p` on the table as it is now (the place itself when it is one).
Place validFocus(const GameTable& t, RuleSet ruleSet, Place p);
// The place one step from `from` (which is made valid first); a step off the table stays.
Place moveFocus(const GameTable& t, RuleSet ruleSet, Place from, FocusMove move);
// The focus frame: inside the card or run of a valid place, clear of the selection frame.
Rect focusFrame(const GameTable& t, RuleSet ruleSet, Place p);

}  // namespace game
