#pragma once
// Quatro's rules: its entry in the registry of games (games.h). Toolkit-free.
#include "game/games.h"

namespace game {

const GameRules& quatroRules();

}  // namespace game
