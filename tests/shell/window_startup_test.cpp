// Start-up of the table window in its own start directory: settings files, screen classes, the
// messages, the menu tree with its check marks, and the pixels of the first painted table.
#include <QMenuBar>
#include <QStatusBar>

#include "tests/shell/window_test_support.h"

using namespace window_test;
using shell::MainWindow;

namespace {

QStringList captions(const QList<QAction*>& actions) {
  QStringList out;
  for (const QAction* a : actions) out << (a->isSeparator() ? "-" : a->text());
  return out;
}

}  // namespace

class WindowStartupTest : public QObject {
  Q_OBJECT

 private slots:
  void firstStartShowsTheMessageAndDealsKlondike() {
    StartedWindow w;
    MainWindow& main = w.start();
    QCOMPARE(shownMessages(w.closer),
             QStringList{"System error(2): Error opening ZEROZUZA.INI file !!"});

    QCOMPARE(main.settings().tableColour, 0xD08622u);
    QCOMPARE(main.cardArt().cardSetState, 2);
    QVERIFY(!main.cardArt().sheet.isNull());
    const game::GameTable& t = main.engine().table();
    for (int c = 0; c < 7; ++c) {
      for (int r = 0; r < c; ++r) QVERIFY(t.tableau[c][r] >= 64 && t.tableau[c][r] < 116);
      QVERIFY(t.tableau[c][c] < 52);
      QCOMPARE(t.tableau[c][c + 1], game::kEmpty);
    }
    QCOMPARE(int(t.stockCount), 24);
    QCOMPARE(t.layout.originX, 5);
    QCOMPARE(t.layout.rowStep, 15);
    QCOMPARE(main.windowTitle(), QString("TAVI's Klondike "));
    QVERIFY(!main.statusBar()->isHidden());
    QCOMPARE(main.statusPanel(0).text(), QString("Score :"));
    QCOMPARE(main.statusPanel(1).text(), QString("0"));
    QCOMPARE(main.statusPanel(2).text(), QString("Time :"));
    QCOMPARE(main.statusPanel(3).text(), QString("0"));
    QCOMPARE(main.statusPanel(4).text(), QString("Now playing :"));
    QCOMPARE(main.statusPanel(0).width(), 50);
    QCOMPARE(main.statusPanel(1).width(), 60);
    QCOMPARE(main.statusPanel(4).width(), 90);

    // Check marks of the defaults: Klondike, None, Timed, Hard, drag 'n drop, sound.
    const shell::MainMenu& m = main.menu();
    QVERIFY(m.klondikeItem->isChecked() && !m.quatroItem->isChecked());
    QVERIFY(m.noneItem->isChecked() && !m.normalItem->isChecked() && !m.vegasItem->isChecked());
    QVERIFY(m.timedItem->isChecked());
    QVERIFY(m.hardItem->isChecked() && !m.easyItem->isChecked() && !m.mediumItem->isChecked());
    QVERIFY(m.dragDropItem->isChecked() && m.soundOnItem->isChecked());
    QVERIFY(!m.amigaColoursItem->isChecked() && !m.musicOnItem->isChecked());
    for (QAction* a : {m.autoFinishItem, m.highscoreListItem, m.dragDropItem,
                       m.levelMenu->menuAction(), m.scoreMenu->menuAction()})
      QVERIFY(a->isEnabled());
  }

  void withoutCardSetTheTableIsEmptyAndRefusesPresses() {
    StartedWindow w(false);
    MainWindow& main = w.start();
    main.showAtStart();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QCOMPARE(main.cardArt().cardSetState, 0);
    const QImage img = tablePicture(main);
    QCOMPARE(pixelValue(img, 45, 65), 0xD08622u);
    QCOMPARE(pixelValue(img, 45, 395 + 60), 0xD08622u);
    QTest::mouseClick(&main.table(), Qt::LeftButton, {}, QPoint(45, 65));
    QCOMPARE(w.sounds.played.size(), std::size_t(1));
    QCOMPARE(int(main.engine().table().selState), 0);
  }

  void menuTreeHasTheCaptionsInOrder() {
    StartedWindow w;
    MainWindow& main = w.start();
    const shell::MainMenu& m = main.menu();
    QCOMPARE(captions(main.menuBar()->actions()),
             QStringList({"&File    ", "&Game   ", "&Options  ", "&Music  ", "&Help", "test"}));
    QVERIFY(!m.enterResultItem->isVisible());
    QCOMPARE(captions(m.fileMenu->actions()),
             QStringList({"&Open cardset", "&Save settings", "&Exit"}));
    // The deal's number shows beside its dialog's item, where other items show their shortcut.
    const QString dealNumber = "Deal nu&mber...\t" + QString::number(main.engine().dealNumber());
    QCOMPARE(captions(m.gameMenu->actions()),
             QStringList({"&Undo", "R&edo", "-", "&Auto finish", "-", "&Restart", "Re&play deal",
                          dealNumber, "-", "&Highscore list", "-", "&Klondike", "&Quatro", "-",
                          "S&tatistics", "Hi&nt", "&Demo", "&Copy position"}));
    QCOMPARE(captions(m.optionsMenu->actions()),
             QStringList({"&Score", "&Level", "-", "&Colors", "&Amiga colors", "&Drag 'n drop",
                          "&Winnable deals only", "&Resume unfinished game", "A&nimations",
                          "A&utodrop", "&Zoom"}));
    QCOMPARE(captions(m.zoomMenu->actions()), QStringList({"100%", "150%", "200%", "&Fit window"}));
    QCOMPARE(captions(m.scoreMenu->actions()),
             QStringList({"&Normal", "&Vegas", "N&one", "-", "&Timed"}));
    QCOMPARE(captions(m.levelMenu->actions()), QStringList({"&Easy", "&Medium", "&Hard"}));
    QCOMPARE(captions(m.coloursMenu->actions()), QStringList({"&Background", "&Cardselect"}));
    QCOMPARE(captions(m.musicMenu->actions()),
             QStringList({"Music &playlist", "-", "M&usic on", "&Sound on", "-", "&Next song",
                          "&Previous song"}));
    QCOMPARE(captions(m.helpMenu->actions()), QStringList({"&Help", "&About Klondike"}));
  }

  void settingsFileOfWrongSizeGivesTheDarkTable() {
    StartedWindow w;
    w.dir.writeFile("mirt.ini", QByteArray(273, '\0'));
    MainWindow& main = w.start();
    QCOMPARE(shownMessages(w.closer),
             QStringList{"System error(1): Error opening ZEROZUZA.INI file !!"});
    QCOMPARE(main.settings().tableColour, 0x804010u);
    QVERIFY(!main.cardArt().sheet.isNull());  // "vessant.tvp" found whatever its case
    QCOMPARE(main.table().colours().table, 0x804010u);
  }

  // The stored set's folder was moved: the default set beside the game stands in, by message;
  // without it the table refuses presses instead of playing an invisible game.
  void storedSetThatHasGoneFallsBackToTheDefault() {
    for (const bool withDefault : {true, false}) {
      StartedWindow w(withDefault);
      shell::Preferences p = savedPref();
      const QString gone = w.dir.path("moved away/Mine.tvp");
      p.setCardSetName(gone.toStdString());
      w.dir.writeSettings(p);
      MainWindow& main = w.start();
      QCOMPARE(w.closer.seen.size(), std::size_t(1));
      QVERIFY2(w.closer.seen[0].text.contains(gone), qPrintable(w.closer.seen[0].text));
      QCOMPARE(!main.cardArt().sheet.isNull(), withDefault);
      QCOMPARE(main.cardArt().cardSetState, withDefault ? 2 : 0);
      QCOMPARE(main.engine().cardSetPresent(), withDefault);
      QCOMPARE(main.settings().cardSetName, withDefault ? "Vessant.tvp" : gone.toStdString());
    }
  }

  void savedQuatroStartsInQuatro() {
    StartedWindow w;
    shell::Preferences p = savedPref();
    p.game = 2, p.level = 'A', p.scoreMode = 2, p.timed = 0, p.sound = '0', p.dragDrop = 1;
    w.dir.writeSettings(p);
    MainWindow& main = w.start();
    QVERIFY(w.closer.seen.empty());
    const shell::MainMenu& m = main.menu();
    QVERIFY(m.quatroItem->isChecked() && !m.klondikeItem->isChecked());
    QVERIFY(m.easyItem->isChecked() && m.vegasItem->isChecked());
    QVERIFY(!m.timedItem->isChecked() && !m.soundOnItem->isChecked() &&
            !m.dragDropItem->isChecked());
    for (QAction* a : {m.autoFinishItem, m.highscoreListItem, m.dragDropItem,
                       m.levelMenu->menuAction(), m.scoreMenu->menuAction()})
      QVERIFY(!a->isEnabled());
    QCOMPARE(main.settings().menu.dragDrop, false);
    QVERIFY(main.statusBar()->isHidden());
    QCOMPARE(int(main.engine().table().deckTop), 50);
    QCOMPARE(main.engine().table().layout.rowStep, 131);
    QCOMPARE(main.engine().table().layout.originX, 5);

    // Saved again, the file says Quatro and click-select.
    main.menu().saveSettingsItem->trigger();
    QFile f(w.dir.path("mirt.ini"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.size(), 274);
    QCOMPARE(int(bytes[269]), 2);
    QCOMPARE(int(bytes[267]), 0);
    QCOMPARE(bytes[256], 'A');
  }

  void aKeptGameGoesOnAtStartAndOneThatCannotBeReadIsKeptAside() {
    StartedWindow w;
    w.dir.writeSettings(savedPref());
    w.dir.writeFile("Game.ini", "Not a kept game");
    MainWindow& first = w.start();
    QCOMPARE(shownMessages(w.closer),
             QStringList{"Resume unfinished game: The game in progress " + w.dir.path("Game.ini") +
                         " cannot be read; it is kept as " + w.dir.path("Game.ini.unread") +
                         ". A new game is dealt."});
    QVERIFY(first.menu().resumeGameItem->isChecked());
    game::GameEngine& engine = first.engine();
    const game::Rect stock = engine.placeRect(game::kStockColumn, engine.table().layout.bottomRow);
    engine.mouseDown(game::MouseButton::Left, stock.left + 30, stock.top + 60);
    engine.mouseUp(game::MouseButton::Left, stock.left + 30, stock.top + 60);
    const game::RuleState played = game::ruleStateOf(engine.table());
    QTRY_VERIFY(QFile::exists(w.dir.path("Game.ini")));  // written off the window's thread

    w.main.reset();
    MainWindow& again = w.start();
    QCOMPARE(w.closer.seen.size(), std::size_t(1));
    QVERIFY(game::ruleStateOf(again.engine().table()) == played);
    QVERIFY(again.menu().undoItem->isEnabled());
    QCOMPARE(again.menu().dealNumberItem->text(),
             "Deal nu&mber...\t" + QString::number(again.engine().dealNumber()));
    // Off: the kept game is forgotten, and the choice kept in the options file.
    again.menu().resumeGameItem->trigger();
    QVERIFY(!again.menu().resumeGameItem->isChecked());
    QVERIFY(!QFile::exists(w.dir.path("Game.ini")));
    QCOMPARE(shell::readGameOptions(w.dir.path("").toStdString()).resumeGame, false);
  }

  void failedSaveShowsTheMessage() {
    auto dir = std::make_unique<StartDir>();
    dir->writeSettings(savedPref());
    CountingSounds sounds;
    MainWindow main(screenOf(1024, 768), sounds);
    dir.reset();  // the start directory is gone: nothing can be written there
    ModalCloser closer;
    main.menu().saveSettingsItem->trigger();
    QCOMPARE(shownMessages(closer),
             QStringList{"System error: Error writing ZEROZUZA.INI file !!"});
  }

  void smallScreenPlaysKlondikeInstead() {
    StartedWindow w;
    shell::Preferences p = savedPref();
    p.game = 2;
    w.dir.writeSettings(p);
    MainWindow& main = w.start(screenOf(640, 480));
    const QString tooSmall = "System error: This game can only work in 800 x 600 and higher !!";
    QCOMPARE(shownMessages(w.closer), QStringList{tooSmall});
    QVERIFY(main.menu().klondikeItem->isChecked());
    QVERIFY(main.statusBar()->isHidden());
    const game::GameTable& t = main.engine().table();
    QCOMPARE(t.layout.originX, 6);
    QCOMPARE(t.layout.originY, 2);
    QCOMPARE(t.layout.rowStep, 8);
    QCOMPARE(t.layout.bottomRow, 35);

    // The Quatro command gives the same message and keeps Klondike.
    main.menu().quatroItem->trigger();
    QCOMPARE(shownMessages(w.closer), QStringList({tooSmall, tooSmall}));
    QVERIFY(main.menu().klondikeItem->isChecked() && !main.menu().quatroItem->isChecked());
    // Klondike from the menu shows the status bar, also on the small screen.
    main.menu().klondikeItem->trigger();
    QVERIFY(!main.statusBar()->isHidden());
  }

  void mediumScreenAndPaletteWarning() {
    StartedWindow w;
    w.dir.writeSettings(savedPref());
    MainWindow& main = w.start(screenOf(800, 600, true));
    QCOMPARE(shownMessages(w.closer), QStringList{"System Message: The game requires 32000 colors "
                                                  "or higher for optimal performance !!!"});
    QCOMPARE(main.engine().table().layout.originX, 85);
    QCOMPARE(main.engine().table().layout.rowStep, 14);
    main.showAtStart();
    QVERIFY(main.isMaximized());
  }

  void largeScreenWindowIsCentredAtItsFixedSize() {
    StartedWindow w;
    w.dir.writeSettings(savedPref());
    MainWindow& main = w.start({QRect(0, 0, 1280, 1024), 120, false});
    main.showAtStart();
    QVERIFY(!main.isMaximized());
    QCOMPARE(main.size(), QSize(646, 560 + 3 * 14));  // 11 px at 120 ppi is 13.75, rounded 14
    QVERIFY(qAbs(main.frameGeometry().center().x() - 640) <= 2);
  }

  void firstTableIsPaintedFromTheModel() {
    StartedWindow w;
    w.dir.writeSettings(savedPref());
    MainWindow& main = w.start();
    main.showAtStart();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const QImage img = tablePicture(main);
    const std::uint32_t table = main.settings().tableColour;
    // Stock (card back), empty waste (the back's outline filled lighter), foundation markers.
    QCOMPARE(pixelValue(img, 5 + 40, 395 + 60), sheetValue(main, 2, {40, 60}));
    QCOMPARE(pixelValue(img, 95 + 40, 395 + 60), table + 0x101010);
    QCOMPARE(pixelValue(img, 95, 395 + 60), sheetValue(main, 2, {0, 60}));
    for (int k = 0; k < 4; ++k)
      QCOMPARE(pixelValue(img, 5 + 90 * (k + 3) + 30, 395 + 50),
               sheetValue(main, 55 + k, {30, 50}));
    // Column 1: the face-down card's strip, then the face-up card; rounded corners.
    const game::GameTable& t = main.engine().table();
    QCOMPARE(pixelValue(img, 95 + 40, 5 + 7), sheetValue(main, 2, {40, 7}));
    QCOMPARE(pixelValue(img, 95 + 40, 20 + 60), sheetValue(main, 3 + t.tableau[1][1], {40, 60}));
    QCOMPARE(pixelValue(img, 5, 5), table);
    QCOMPARE(pixelValue(img, 95 + 87, 20 + 129), table);
    QCOMPARE(pixelValue(img, 630, 300), table);  // the table between the piles
  }

  void savedMusicStartsWithTheFirstSong() {
    StartedWindow w;
    shell::Preferences p = savedPref();
    p.music = '1';
    w.dir.writeSettings(p);
    w.dir.writeFile("Playlist.ini", "missing-song.mid\r\n");
    MainWindow& main = w.start();
    const QString noSong = "Error: Cound not find music file!!!";
    QCOMPARE(shownMessages(w.closer), QStringList{noSong});
    QCOMPARE(main.settings().music, shell::MusicSetting::Off);
    QVERIFY(!main.menu().musicOnItem->isChecked());
    QCOMPARE(main.statusPanel(5).text(), QString());
    main.menu().nextSongItem->trigger();  // the music is off: nothing happens
    QCOMPARE(shownMessages(w.closer), QStringList{noSong});
    main.menu().musicOnItem->trigger();  // tries the same song again
    QCOMPARE(shownMessages(w.closer), QStringList({noSong, noSong}));
    QVERIFY(!main.menu().musicOnItem->isChecked());
  }

  void withoutPlaylistTheSavedMusicIsOff() {
    StartedWindow w;
    shell::Preferences p = savedPref();
    p.music = '2';
    w.dir.writeSettings(p);
    MainWindow& main = w.start();
    QVERIFY(w.closer.seen.empty());
    QCOMPARE(main.settings().music, shell::MusicSetting::Off);
  }

  void emptyColumnAndQuatroHighlights() {
    StartedWindow w;
    shell::Preferences p = savedPref();
    p.game = 2;
    p.colB = 0x000000F5;  // the lighter shades' red stops at 255
    w.dir.writeSettings(p);
    MainWindow& main = w.start();
    main.showAtStart();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    game::GameTable& t = main.engine().tableForSetup();
    t.current = 50;     // a King is the current card
    t.grid[3][3] = 48;  // the bottom-right corner (5, 3) is taken
    QImage img = tablePicture(main);
    for (const QPoint corner : {QPoint(185, 5), QPoint(185, 5 + 393), QPoint(455, 5)}) {
      QCOMPARE(pixelValue(img, corner.x() + 1, corner.y() + 1), 0x2020FFu);
      QCOMPARE(pixelValue(img, corner.x() + 86, corner.y() + 128), 0x2020FFu);
    }
    QCOMPARE(pixelValue(img, 455 + 40, 5 + 393 + 60), sheetValue(main, 3 + 48, {40, 60}));
    // Empty places elsewhere: the lighter fill, its red at 255.
    QCOMPARE(pixelValue(img, 275 + 40, 5 + 60), 0x1010FFu);
    // A number card highlights nothing.
    t.current = 5;
    img = tablePicture(main);
    QCOMPARE(pixelValue(img, 185 + 40, 5 + 60), 0x1010FFu);
    QCOMPARE(pixelValue(img, 185 + 86, 5 + 2), 0x1010FFu);
  }
};

QTEST_MAIN(WindowStartupTest)
#include "window_startup_test.moc"
