// On a 640 x 480 screen every window the game shows lies inside the work area, frame included.
#include <QScreen>

#include "results/help_viewer.h"
#include "shell/secondary_windows.h"
#include "tests/shell/window_test_support.h"

using namespace window_test;

class WindowPlacementTest : public QObject {
  Q_OBJECT

 private slots:
  void everyWindowLiesOnTheSmallScreen() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(area.size(), QSize(640, 480));
    StartedWindow w;
    w.dir.writeSettings(savedPref());
    shell::MainWindow& main = w.start(screenOf(640, 480));
    const shell::SecondaryWindows windows = shell::createSecondaryWindows(main, w.sounds);
    main.showAtStart();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    QStringList outside;
    w.closer.handle = [&](QWidget* shown) {
      if (!area.contains(shown->frameGeometry())) outside << shown->metaObject()->className();
      shown->close();
    };
    const shell::MainMenu& m = main.menu();
    for (QAction* item : {m.openCardSetItem, m.playlistItem, m.highscoreListItem, m.aboutItem})
      item->trigger();
    main.showEndGame();
    m.helpItem->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(windows.help));
    if (!area.contains(windows.help->frameGeometry())) outside << "HelpViewer";
    QCOMPARE(w.closer.seen.size(), std::size_t(5));
    QCOMPARE(outside, QStringList());
  }
};

QTEST_MAIN(WindowPlacementTest)
#include "window_placement_test.moc"
