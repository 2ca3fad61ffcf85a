#pragma once
// The menu bar of the table window: one member per submenu and item.
#include <QAction>
#include <QMenu>

class QMenuBar;

namespace shell {

struct MainMenu {
  QMenu* fileMenu = nullptr;
  QAction* openCardSetItem = nullptr;
  QAction* saveSettingsItem = nullptr;
  QAction* exitItem = nullptr;
  QMenu* gameMenu = nullptr;
  QAction* undoItem = nullptr;
  QAction* redoItem = nullptr;
  QAction* autoFinishItem = nullptr;
  QAction* restartItem = nullptr;
  QAction* replayDealItem = nullptr;
  QAction* dealNumberItem = nullptr;  // shows the deal's number where menus show shortcuts
  QAction* highscoreListItem = nullptr;
  QAction* klondikeItem = nullptr;
  QAction* quatroItem = nullptr;
  QAction* statisticsItem = nullptr;
  QAction* hintItem = nullptr;
  QAction* demoItem = nullptr;
  QAction* copyPositionItem = nullptr;  // the position as text, for the command-line solver
  QMenu* optionsMenu = nullptr;
  QMenu* scoreMenu = nullptr;
  QAction* normalItem = nullptr;
  QAction* vegasItem = nullptr;
  QAction* noneItem = nullptr;
  QAction* timedItem = nullptr;
  QMenu* levelMenu = nullptr;
  QAction* easyItem = nullptr;
  QAction* mediumItem = nullptr;
  QAction* hardItem = nullptr;
  QMenu* coloursMenu = nullptr;
  QAction* backgroundItem = nullptr;
  QAction* cardSelectItem = nullptr;
  QAction* amigaColoursItem = nullptr;
  QAction* dragDropItem = nullptr;
  QAction* winnableDealsItem = nullptr;
  QAction* resumeGameItem = nullptr;
  QAction* animationsItem = nullptr;
  QAction* autodropItem = nullptr;
  QMenu* zoomMenu = nullptr;  // its items, in the order of shell::Zoom, exclude each other
  QAction* zoom100Item = nullptr;
  QAction* zoom150Item = nullptr;
  QAction* zoom200Item = nullptr;
  QAction* zoomFitItem = nullptr;
  QMenu* musicMenu = nullptr;
  QAction* playlistItem = nullptr;
  QAction* musicOnItem = nullptr;
  QAction* soundOnItem = nullptr;
  QAction* nextSongItem = nullptr;
  QAction* previousSongItem = nullptr;
  QMenu* helpMenu = nullptr;
  QAction* helpItem = nullptr;
  QAction* aboutItem = nullptr;
  QAction* enterResultItem = nullptr;  // hidden: enters the current result into the highscore list
};

inline constexpr const char* kDealNumberCaption = "Deal nu&mber...";

// Builds the menu tree into `bar`; the handlers are connected by the window.
MainMenu buildMainMenu(QMenuBar* bar);

}  // namespace shell
