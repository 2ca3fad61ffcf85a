// The settings in memory and their preferences record.
#include "shell/settings.h"

#include <algorithm>

#include "shell/menu_preferences.h"

namespace shell {

namespace {
// The record stores what plays as the character '0', '1' or '2'.
constexpr char kMusicOffLetter = '0';
}  // namespace

bool Settings::setCardSetName(const std::string& name) {
  if (name.size() >= sizeof Preferences::cardSet) return false;
  cardSetName = name;
  carryOver.cardSetField.fill(0);  // a chosen name is saved with nothing after it
  return true;
}

Settings settingsOf(const Preferences& pref) {
  Settings settings;
  settings.cardSetName = pref.cardSetName();
  settings.menu = menuStateOf(pref);
  settings.music = static_cast<MusicSetting>(pref.music - kMusicOffLetter);
  settings.tableColour = pref.colB;
  settings.selectColour = pref.colL;
  settings.amigaColours = pref.amiga == '1';
  std::copy_n(pref.cardSet, sizeof pref.cardSet, settings.carryOver.cardSetField.begin());
  std::copy_n(pref.spare, sizeof pref.spare, settings.carryOver.spare.begin());
  return settings;
}

Preferences recordOf(const Settings& settings) {
  Preferences pref;
  std::copy(settings.carryOver.cardSetField.begin(), settings.carryOver.cardSetField.end(),
            pref.cardSet);
  // The field as read keeps its bytes after the name; a name set since replaces them with zeros.
  if (pref.cardSetName() != settings.cardSetName) pref.setCardSetName(settings.cardSetName);
  storeMenuState(settings.menu, pref);
  pref.music = static_cast<char>(kMusicOffLetter + static_cast<int>(settings.music));
  pref.colB = settings.tableColour;
  pref.colL = settings.selectColour;
  pref.amiga = settings.amigaColours ? '1' : '0';
  std::copy(settings.carryOver.spare.begin(), settings.carryOver.spare.end(), pref.spare);
  return pref;
}

}  // namespace shell
