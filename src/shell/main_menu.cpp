#include "shell/main_menu.h"

#include <QMenuBar>

namespace shell {
namespace {

QAction* checkItem(QMenu* menu, const QString& caption, bool checked = false) {
  QAction* a = menu->addAction(caption);
  a->setCheckable(true);
  a->setChecked(checked);
  return a;
}

}  // namespace

MainMenu buildMainMenu(QMenuBar* bar) {
  MainMenu m;
  // The trailing blanks of the top-level captions space the menu bar.
  m.File1 = bar->addMenu("&File    ");
  m.OpenCardset1 = m.File1->addAction("&Open cardset");
  m.SaveSettings1 = m.File1->addAction("&Save settings");
  m.Exit1 = m.File1->addAction("&Exit");

  m.Game1 = bar->addMenu("&Game   ");
  m.AutoFinish1 = m.Game1->addAction("&Auto finish");
  m.Game1->addSeparator();
  m.Restart1 = m.Game1->addAction("&Restart");
  m.Game1->addSeparator();
  m.Highscorelist1 = m.Game1->addAction("&Highscore list");
  m.Game1->addSeparator();
  m.Klondike1 = checkItem(m.Game1, "&Klondike");
  m.Quatro1 = checkItem(m.Game1, "&Quatro");

  m.Options1 = bar->addMenu("&Options  ");
  m.Score1 = m.Options1->addMenu("&Score");
  m.Normal1 = checkItem(m.Score1, "&Normal");
  m.Vegas1 = checkItem(m.Score1, "&Vegas");
  m.None1 = checkItem(m.Score1, "N&one");
  m.Score1->addSeparator();
  m.Timed1 = checkItem(m.Score1, "&Timed", true);
  m.Level1 = m.Options1->addMenu("&Level");
  m.Easy1 = checkItem(m.Level1, "&Easy");
  m.Medium1 = checkItem(m.Level1, "&Medium");
  m.Hard1 = checkItem(m.Level1, "&Hard");
  m.Options1->addSeparator();
  m.Colors1 = m.Options1->addMenu("&Colors");
  m.Background1 = m.Colors1->addAction("&Background");
  m.Cardselect1 = m.Colors1->addAction("&Cardselect");
  m.Amigacolors1 = checkItem(m.Options1, "&Amiga colors");
  m.Dragndrop1 = checkItem(m.Options1, "&Drag 'n drop");

  m.Music1 = bar->addMenu("&Music  ");
  m.Midiplaylist1 = m.Music1->addAction("Music &playlist");
  m.Music1->addSeparator();
  m.Musicon1 = checkItem(m.Music1, "M&usic on");
  m.Soundon1 = checkItem(m.Music1, "&Sound on");
  m.Music1->addSeparator();
  m.Nextsong1 = m.Music1->addAction("&Next song");
  m.Previoussong1 = m.Music1->addAction("&Previous song");

  m.Help1 = bar->addMenu("&Help");
  m.Help2 = m.Help1->addAction("&Help");
  m.AboutKlondike1 = m.Help1->addAction("&About Klondike");

  m.test1 = bar->addAction("test");
  m.test1->setVisible(false);
  return m;
}

}  // namespace shell
