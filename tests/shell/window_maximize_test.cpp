// Maximize requests as the title bars Qt draws on Wayland send them, from every window: the table
// window shows its table fitted and comes back to its fixed size; each dialog returns to normal at
// its size, fixed again; the game goes on. Runs on the offscreen platform and under weston. Also
// the app id under which the desktop finds the installed launcher.
#include <QFileInfo>
#include <QWindow>
#include <algorithm>

#include "platform/maximize_guard.h"
#include "platform/message_box.h"
#include "results/help_viewer.h"
#include "shell/app_identity.h"
#include "shell/secondary_windows.h"
#include "tests/shell/window_test_support.h"

using namespace window_test;

namespace {

// How long a compositor may take to answer a state request on a machine busy with other work.
constexpr int kCompositorWait = 20000;  // ms; the wait ends as soon as the answer is there

// What the title bar's maximize button does: a request on the window, not on the widget.
void requestState(QWidget* window, Qt::WindowState state) {
  window->windowHandle()->setWindowStates(state);
}

// A window started as the game starts it, with the secondary windows.
struct GameWindows : StartedWindow {
  shell::SecondaryWindows windows;
  GameWindows() {
    dir.writeSettings(savedPref());
    start(screenOf(1024, 768));
    windows = shell::createSecondaryWindows(*main, sounds);
    showAndWait();
  }
};

}  // namespace

class WindowMaximizeTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    shell::nameApplication();
    platform::guardMaximizeRequests();
  }

  void appIdIsTheInstalledLaunchersName() {
    QVERIFY(QFileInfo::exists(KLONDIKE_LAUNCHER));
    QCOMPARE(QGuiApplication::desktopFileName() + ".desktop",
             QFileInfo(KLONDIKE_LAUNCHER).fileName());
  }

  void maximizedTableWindowFitsTheTable() {
    GameWindows w;
    shell::MainWindow& main = *w.main;
    const QSize normal = main.size(), base = main.table().size();
    QCOMPARE(main.minimumSize(), main.maximumSize());
    requestState(&main, Qt::WindowMaximized);
    QTRY_VERIFY(main.isMaximized() && main.table().width() > base.width());
    const QSize shown = main.table().size();
    QTRY_COMPARE(main.table().scale(), std::min(qreal(shown.width()) / base.width(),
                                                qreal(shown.height()) / base.height()));
    // A zoom chosen meanwhile leaves the maximized window and its fitted table as they are, and
    // sizes the window when it is back to normal.
    const qreal fitted = main.table().scale();
    main.menu().zoom150Item->trigger();
    QVERIFY(main.isMaximized());
    QCOMPARE(main.table().scale(), fitted);
    requestState(&main, Qt::WindowNoState);
    QTRY_VERIFY(!main.isMaximized() && main.width() > normal.width() &&
                main.height() > normal.height());
    QTRY_VERIFY(main.table().scale() > 1 && main.table().scale() <= 1.5);
    main.menu().zoom100Item->trigger();
    QTRY_COMPARE(main.size(), normal);
    QCOMPARE(main.maximumSize(), normal);
    QCOMPARE(main.table().scale(), 1.0);
    main.menu().restartItem->trigger();  // the game goes on
    QVERIFY(main.isVisible());
  }

  void everyDialogReturnsToNormal() {
    GameWindows w;
    shell::MainWindow& main = *w.main;
    QStringList wrong;
    w.closer.handle = [&](QWidget* shown) {
      const QString name = shown->metaObject()->className();
      const QSize size = shown->size(), minimum = shown->minimumSize(),
                  maximum = shown->maximumSize();
      requestState(shown, Qt::WindowMaximized);
      if (!QTest::qWaitFor([&] { return shown->isMaximized(); }, kCompositorWait))
        wrong << name + " was not maximized";
      // Normal again, with its size limits; a window of fixed size has that size again.
      const bool fixed = minimum == maximum;
      if (!QTest::qWaitFor(
              [&] {
                return !shown->isMaximized() && shown->minimumSize() == minimum &&
                       shown->maximumSize() == maximum && (!fixed || shown->size() == size);
              },
              kCompositorWait))
        wrong << name + " did not return to normal";
      shown->close();
    };
    const shell::MainMenu& m = main.menu();
    for (QAction* item : {m.aboutItem, m.openCardSetItem, m.playlistItem, m.highscoreListItem,
                          m.dealNumberItem, m.backgroundItem, m.statisticsItem})
      item->trigger();
    main.showEndGame();
    platform::showMessage(&main, "A message", "Caption");
    QCOMPARE(w.closer.seen.size(), std::size_t(9));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ")));
    QVERIFY(!main.isMaximized() && main.isVisible());
    // The help viewer, a window of its own, may stay maximized.
    m.helpItem->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(w.windows.help));
    requestState(w.windows.help, Qt::WindowMaximized);
    QTRY_VERIFY(w.windows.help->isMaximized());
    QTest::qWait(100);
    QVERIFY(w.windows.help->isMaximized());
    requestState(w.windows.help, Qt::WindowNoState);
    QTRY_VERIFY(!w.windows.help->isMaximized());
  }
};

QTEST_MAIN(WindowMaximizeTest)
#include "window_maximize_test.moc"
