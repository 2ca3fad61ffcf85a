#pragma once
// A saved preferences record for the tests of the settings file and the settings in memory.
#include "shell/preferences.h"

namespace shell {

// A record with a distinct value in every field, spare bytes included.
inline Preferences sample() {
  Preferences pref;
  pref.setCardSetName("/home/player/cards/Royal.tavi");
  pref.level = 'A';
  pref.music = '2';
  pref.colB = 0x00123456;
  pref.colL = 0x00ABCDEF;
  pref.amiga = '1';
  pref.dragDrop = 0;
  pref.sound = '0';
  pref.game = 2;
  pref.timed = 0;
  pref.scoreMode = 2;
  pref.spare[0] = 0x5A;
  pref.spare[1] = 0xA5;
  return pref;
}

}  // namespace shell
