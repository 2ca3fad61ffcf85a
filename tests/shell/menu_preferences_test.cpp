#include "shell/menu_preferences.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace shell;
using game::Level;
using game::RuleSet;
using game::ScoreMode;

namespace {

auto fields(const game::MenuState& m) {
  return std::tuple(m.scoreMode, m.timed, m.level, m.dragDrop, m.soundOn, m.ruleSet);
}

}  // namespace

TEST(MenuPreferences, StoredChoicesGiveTheirMenuStateAndBack) {
  const struct {
    std::uint8_t scoreMode, timed;
    char level;
    std::uint8_t dragDrop;
    char sound;
    std::uint8_t game;
    game::MenuState menu;
  } choices[] = {
      {0, 1, 'C', 1, '1', 1, {ScoreMode::None, true, Level::Hard, true, true, RuleSet::Klondike}},
      {1,
       0,
       'A',
       0,
       '0',
       2,
       {ScoreMode::Normal, false, Level::Easy, false, false, RuleSet::Quatro}},
      {2,
       1,
       'B',
       0,
       '1',
       1,
       {ScoreMode::Vegas, true, Level::Medium, false, true, RuleSet::Klondike}},
  };
  for (const auto& c : choices) {
    SCOPED_TRACE(c.level);
    Preferences pref;
    pref.music = '2';
    pref.amiga = '1';
    pref.spare[0] = 0x5A;
    Preferences stored = pref;
    pref.scoreMode = c.scoreMode;
    pref.timed = c.timed;
    pref.level = c.level;
    pref.dragDrop = c.dragDrop;
    pref.sound = c.sound;
    pref.game = c.game;
    EXPECT_EQ(fields(menuStateOf(pref)), fields(c.menu));

    // Storing overwrites every menu field, whatever it held, and nothing else.
    stored.scoreMode = 7;
    stored.timed = 9;
    stored.level = 'Z';
    stored.dragDrop = 9;
    stored.sound = 'x';
    stored.game = 9;
    storeMenuState(c.menu, stored);
    EXPECT_EQ(toBytes(stored), toBytes(pref));
  }
}
