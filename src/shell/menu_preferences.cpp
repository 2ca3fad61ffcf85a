#include "shell/menu_preferences.h"

namespace shell {

namespace {
// The record stores the level as 'A' Easy, 'B' Medium, 'C' Hard.
constexpr char kFirstLevelLetter = 'A';
}  // namespace

game::MenuState menuStateOf(const Preferences& pref) {
  game::MenuState menu;
  menu.scoreMode = static_cast<game::ScoreMode>(pref.scoreMode);
  menu.timed = pref.timed != 0;
  menu.level = static_cast<game::Level>(pref.level - kFirstLevelLetter);
  menu.dragDrop = pref.dragDrop == 1;
  menu.soundOn = pref.sound == '1';
  menu.ruleSet = game::gameOfStoredValue(pref.game);
  return menu;
}

void storeMenuState(const game::MenuState& menu, Preferences& pref) {
  pref.scoreMode = static_cast<std::uint8_t>(menu.scoreMode);
  pref.timed = menu.timed ? 1 : 0;
  pref.level = static_cast<char>(kFirstLevelLetter + static_cast<int>(menu.level));
  pref.dragDrop = menu.dragDrop ? 1 : 0;
  pref.sound = menu.soundOn ? '1' : '0';
  pref.game = static_cast<std::uint8_t>(menu.ruleSet);
}

}  // namespace shell
