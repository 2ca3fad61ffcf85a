#pragma once
// The menu choices that the rules read, as the preferences record stores them.
#include "game/game_engine.h"
#include "shell/preferences.h"

namespace shell {

// The menu state that `pref` holds; its fields are in range (readSettings sees to that).
game::MenuState menuStateOf(const Preferences& pref);
// Stores `menu` in the fields of `pref` that hold it; the other fields stay.
void storeMenuState(const game::MenuState& menu, Preferences& pref);

}  // namespace shell
