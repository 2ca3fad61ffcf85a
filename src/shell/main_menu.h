#pragma once
// The menu bar of the table window: every item keeps the name of its window definition.
#include <QAction>
#include <QMenu>

class QMenuBar;

namespace shell {

struct MainMenu {
  QMenu* File1 = nullptr;
  QAction* OpenCardset1 = nullptr;
  QAction* SaveSettings1 = nullptr;
  QAction* Exit1 = nullptr;
  QMenu* Game1 = nullptr;
  QAction* AutoFinish1 = nullptr;
  QAction* Restart1 = nullptr;
  QAction* Highscorelist1 = nullptr;
  QAction* Klondike1 = nullptr;
  QAction* Quatro1 = nullptr;
  QMenu* Options1 = nullptr;
  QMenu* Score1 = nullptr;
  QAction* Normal1 = nullptr;
  QAction* Vegas1 = nullptr;
  QAction* None1 = nullptr;
  QAction* Timed1 = nullptr;
  QMenu* Level1 = nullptr;
  QAction* Easy1 = nullptr;
  QAction* Medium1 = nullptr;
  QAction* Hard1 = nullptr;
  QMenu* Colors1 = nullptr;
  QAction* Background1 = nullptr;
  QAction* Cardselect1 = nullptr;
  QAction* Amigacolors1 = nullptr;
  QAction* Dragndrop1 = nullptr;
  QMenu* Music1 = nullptr;
  QAction* Midiplaylist1 = nullptr;
  QAction* Musicon1 = nullptr;
  QAction* Soundon1 = nullptr;
  QAction* Nextsong1 = nullptr;
  QAction* Previoussong1 = nullptr;
  QMenu* Help1 = nullptr;
  QAction* Help2 = nullptr;
  QAction* AboutKlondike1 = nullptr;
  QAction* test1 = nullptr;  // hidden: enters the current result into the highscore list
};

// Builds the menu tree into `bar`; the handlers are connected by the window.
MainMenu buildMainMenu(QMenuBar* bar);

}  // namespace shell
