#include "shell/main_menu.h"

#include <QActionGroup>
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
  m.fileMenu = bar->addMenu("&File    ");
  m.openCardSetItem = m.fileMenu->addAction("&Open cardset");
  m.saveSettingsItem = m.fileMenu->addAction("&Save settings");
  m.exitItem = m.fileMenu->addAction("&Exit");

  m.gameMenu = bar->addMenu("&Game   ");
  m.undoItem = m.gameMenu->addAction("&Undo");
  m.undoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  m.redoItem = m.gameMenu->addAction("R&edo");
  m.redoItem->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  m.gameMenu->addSeparator();
  m.autoFinishItem = m.gameMenu->addAction("&Auto finish");
  m.gameMenu->addSeparator();
  m.restartItem = m.gameMenu->addAction("&Restart");
  m.replayDealItem = m.gameMenu->addAction("Re&play deal");
  m.dealNumberItem = m.gameMenu->addAction(kDealNumberCaption);
  m.gameMenu->addSeparator();
  m.highscoreListItem = m.gameMenu->addAction("&Highscore list");
  m.gameMenu->addSeparator();
  m.klondikeItem = checkItem(m.gameMenu, "&Klondike");
  m.quatroItem = checkItem(m.gameMenu, "&Quatro");
  m.gameMenu->addSeparator();
  m.statisticsItem = m.gameMenu->addAction("S&tatistics");
  m.hintItem = m.gameMenu->addAction("Hi&nt");
  m.hintItem->setShortcut(Qt::Key_H);
  m.demoItem = m.gameMenu->addAction("&Demo");
  m.copyPositionItem = m.gameMenu->addAction("&Copy position");

  m.optionsMenu = bar->addMenu("&Options  ");
  m.scoreMenu = m.optionsMenu->addMenu("&Score");
  m.normalItem = checkItem(m.scoreMenu, "&Normal");
  m.vegasItem = checkItem(m.scoreMenu, "&Vegas");
  m.noneItem = checkItem(m.scoreMenu, "N&one");
  m.scoreMenu->addSeparator();
  m.timedItem = checkItem(m.scoreMenu, "&Timed", true);
  m.levelMenu = m.optionsMenu->addMenu("&Level");
  m.easyItem = checkItem(m.levelMenu, "&Easy");
  m.mediumItem = checkItem(m.levelMenu, "&Medium");
  m.hardItem = checkItem(m.levelMenu, "&Hard");
  m.optionsMenu->addSeparator();
  m.coloursMenu = m.optionsMenu->addMenu("&Colors");
  m.backgroundItem = m.coloursMenu->addAction("&Background");
  m.cardSelectItem = m.coloursMenu->addAction("&Cardselect");
  m.amigaColoursItem = checkItem(m.optionsMenu, "&Amiga colors");
  m.dragDropItem = checkItem(m.optionsMenu, "&Drag 'n drop");
  m.winnableDealsItem = checkItem(m.optionsMenu, "&Winnable deals only");
  m.resumeGameItem = checkItem(m.optionsMenu, "&Resume unfinished game");
  m.animationsItem = checkItem(m.optionsMenu, "A&nimations");
  m.autodropItem = checkItem(m.optionsMenu, "A&utodrop");
  m.zoomMenu = m.optionsMenu->addMenu("&Zoom");
  m.zoom100Item = checkItem(m.zoomMenu, "100%", true);
  m.zoom150Item = checkItem(m.zoomMenu, "150%");
  m.zoom200Item = checkItem(m.zoomMenu, "200%");
  m.zoomFitItem = checkItem(m.zoomMenu, "&Fit window");
  auto* zoomGroup = new QActionGroup(m.zoomMenu);
  for (QAction* a : m.zoomMenu->actions()) zoomGroup->addAction(a);

  m.musicMenu = bar->addMenu("&Music  ");
  m.playlistItem = m.musicMenu->addAction("Music &playlist");
  m.musicMenu->addSeparator();
  m.musicOnItem = checkItem(m.musicMenu, "M&usic on");
  m.soundOnItem = checkItem(m.musicMenu, "&Sound on");
  m.musicMenu->addSeparator();
  m.nextSongItem = m.musicMenu->addAction("&Next song");
  m.previousSongItem = m.musicMenu->addAction("&Previous song");

  m.helpMenu = bar->addMenu("&Help");
  m.helpItem = m.helpMenu->addAction("&Help");
  m.aboutItem = m.helpMenu->addAction("&About Klondike");

  m.enterResultItem = bar->addAction("test");
  m.enterResultItem->setVisible(false);
  return m;
}

}  // namespace shell
