#pragma once
// Klondike's rules: its entry in the registry of games (games.h). Toolkit-free.
#include "game/games.h"

namespace game {

const GameRules& klondikeRules();

}  // namespace game
