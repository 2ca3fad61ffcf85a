// Keyboard play and the statistics on the real table window: the arrow keys, Space and Escape
// play through the rules in drag 'n drop mode, and a played game left by a new deal is counted
// and saved.
#include <QAbstractButton>
#include <QTableWidget>

#include "results/statistics_window.h"
#include "shell/secondary_windows.h"
#include "tests/shell/window_test_support.h"

using namespace window_test;

namespace {

struct Game : StartedWindow {
  Game() {
    dir.writeSettings(savedPref());
    start();
    showAndWait();
  }
  shell::TableWidget& table() { return main->table(); }
  const game::GameTable& t() { return main->engine().table(); }
  void keys(std::initializer_list<Qt::Key> list) {
    for (Qt::Key k : list) QTest::keyClick(&table(), k);
  }
};

}  // namespace

class WindowKeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void keysTurnTheStockAndPickUpInDragMode() {
    Game g;
    QVERIFY(g.main->menu().dragDropItem->isChecked());
    const int stock = g.t().stockCount;
    g.keys({Qt::Key_Down, Qt::Key_Space});  // the first key shows the frame on the stock
    QVERIFY(g.table().focusVisible());
    QCOMPARE(int(g.t().stockCount), stock - 3);
    QCOMPARE(int(g.t().wasteTop), 2);

    // Up from the waste lands on the last card of column 1; Enter picks it up with the frame.
    g.keys({Qt::Key_Right, Qt::Key_Up, Qt::Key_Return});
    QCOMPARE(g.table().focusPlace(), (game::Place{1, 1}));
    QCOMPARE(g.t().selState, game::Selection::PickedUp);
    QVERIFY(g.t().markVisible);
    QVERIFY(!g.t().dragHoldsCards);
    g.keys({Qt::Key_Escape});
    QCOMPARE(g.t().selState, game::Selection::None);
    QVERIFY(!g.t().markVisible);

    QTest::mouseClick(&g.table(), Qt::RightButton, {}, QPoint(600, 300));
    QVERIFY(!g.table().focusVisible());
  }

  void aPlayedGameLeftByANewDealCountsAsLost() {
    Game g;
    const int kind = game::statisticsKind(g.main->engine().menu());
    g.main->menu().restartItem->trigger();  // nothing played yet: not counted
    QCOMPARE(g.main->statistics().statistics()[kind].played, 0);
    g.keys({Qt::Key_Down, Qt::Key_Space});
    g.main->menu().restartItem->trigger();
    QCOMPARE(g.main->statistics().statistics()[kind].played, 1);
    QCOMPARE(g.main->statistics().statistics()[kind].won, 0);
    QFile file(g.dir.path("Statistics.ini"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("klondike.hard.none=1,0,0,0,-,-"));

    // The window's Reset asks first and then starts afresh.
    results::StatisticsWindow window(g.main->statistics());
    g.closer.handle = [](QWidget* w) {
      static_cast<QMessageBox*>(w)->button(QMessageBox::Yes)->click();
    };
    window.askReset();
    QCOMPARE(g.main->statistics().statistics()[kind].played, 0);
    QCOMPARE(window.table().item(kind, 0)->text(), QString("0"));
  }
};

QTEST_MAIN(WindowKeyboardTest)
#include "window_keyboard_test.moc"
