// The solver in the table window: Game > Hint frames the next move of a winning line or tells
// that there is none (and frames a useful move), Game > Demo plays until the win and stops on a
// key, and Options > Winnable deals only is kept in the game's own options file
// and deals only games that the solver proves winnable.
#include <cstring>

#include "game/keyboard_focus.h"
#include "shell/hint_search.h"
#include "solver/table_position.h"
#include "tests/shell/window_test_support.h"

using namespace window_test;

namespace {

constexpr std::uint32_t kLostSeed = 9;  // a Hard deal that the solver proves lost

struct Game : StartedWindow {
  Game() {
    dir.writeSettings(savedPref());
    start();
    showAndWait();
  }
  game::GameTable& t() { return main->engine().tableForSetup(); }
  // Every card home but those that `lay` puts on the emptied table.
  void setUp(const std::function<void(game::GameTable&)>& lay) {
    std::memset(t().tableau, game::kEmpty, sizeof t().tableau);
    for (int s = 0; s < 4; ++s) t().foundation[s] = std::uint8_t(48 + s);
    t().stockCount = 0;
    t().wasteTop = -1;
    lay(t());
    main->invalidateAll();
  }
  QByteArray file(const QString& name) {
    QFile f(dir.path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
};

}  // namespace

class WindowSolverTest : public QObject {
  Q_OBJECT

 private slots:
  void hintFramesTheLastMoveForAMomentAndEndsTheQualification() {
    Game g;
    g.setUp([](game::GameTable& t) {
      t.foundation[3] = 47;  // the Queen: the King on the waste goes last
      t.waste[0] = 51;
      t.wasteTop = 0;
      t.qualifies = 1;
    });
    g.main->menu().hintItem->trigger();
    QTRY_VERIFY(!g.main->table().hintFrames().empty());
    const game::TableLayout& layout = g.t().layout;
    const std::vector<game::Rect> expected = {
        layout.selectionFrame({game::kWasteColumn, layout.bottomRow}, 1),
        layout.selectionFrame({game::kFirstFoundationColumn + 3, layout.bottomRow}, 1)};
    QCOMPARE(g.main->table().hintFrames(), expected);
    QCOMPARE(g.t().qualifies, 0);
    const game::Rect f = expected[1];
    QCOMPARE(pixelValue(tablePicture(*g.main), f.left + 20, f.top),
             g.main->table().colours().selection);
    QTRY_VERIFY(g.main->table().hintFrames().empty());
  }

  void hintOnALostTableSaysSo() {
    Game g;
    g.setUp([](game::GameTable& t) {
      // The Ace of spades lies under the Two, which nothing can take; the other spades lie under
      // their King.
      t.foundation[0] = game::kEmpty;
      t.tableau[0][0] = game::kFaceDown + 0;
      t.tableau[0][1] = 4;
      for (int row = 0; row < 10; ++row)  // the Queen to the Three, face down
        t.tableau[1][row] = std::uint8_t(game::kFaceDown + 44 - 4 * row);
      t.tableau[1][10] = 48;
    });
    g.main->menu().hintItem->trigger();
    QTRY_VERIFY(shownMessages(g.closer).contains("Hint: No winning line from here"));
    // Still a useful move: the King to an empty column, which turns a card.
    const game::TableLayout& layout = g.t().layout;
    QTRY_VERIFY(!g.main->table().hintFrames().empty());
    QCOMPARE(g.main->table().hintFrames().front(), layout.selectionFrame({1, 10}, 1));
  }

  void hintOnAWonTableSaysSoPlainly() {
    Game g;
    g.setUp([](game::GameTable&) {});
    g.main->menu().hintItem->trigger();
    QCOMPARE(g.main->statusNote(), QString(shell::kWonNote));
    QVERIFY(shownMessages(g.closer).isEmpty());
  }

  void demoPlaysTheLineToTheWinAndEndsTheQualification() {
    Game g;
    g.setUp([](game::GameTable& t) {
      t.foundation[3] = 43;  // the Jack: the Queen and the King of that suit are still out
      t.tableau[2][0] = 51;
      t.waste[0] = 47;
      t.wasteTop = 0;
      t.qualifies = 1;
    });
    g.main->menu().demoItem->trigger();
    QVERIFY(g.main->demoRunning());
    QVERIFY(g.main->statusNote().contains(shell::kOutOfTheRaceNote));
    QTRY_VERIFY_WITH_TIMEOUT(solver::isWonTable(g.t()), 10000);
    QCOMPARE(g.t().qualifies, 0);
    QTRY_VERIFY(!g.main->demoRunning());
  }

  void demoOnALostTablePlaysSuggestionsUntilNoneIsLeft() {
    Game g;
    g.setUp([](game::GameTable& t) {
      t.foundation[0] = game::kEmpty;
      t.tableau[0][0] = 4;  // the Two of spades; the Ace lies on the waste below the Three
      for (int row = 0; row < 9; ++row)  // the Queen to the Four, face down
        t.tableau[1][row] = std::uint8_t(game::kFaceDown + 44 - 4 * row);
      t.tableau[1][9] = 48;
      t.waste[0] = 0;
      t.waste[1] = 8;
      t.wasteTop = 1;
    });
    g.main->menu().demoItem->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(g.main->statusNote(), QString(shell::kDemoSuggestionsNote), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!g.main->demoRunning(), 20000);
    QCOMPARE(g.t().tableau[1][9], game::kEmpty);  // the King went to an empty column
    QCOMPARE(int(g.t().tableau[1][8]), 12);       // and turned the Four
  }

  void undoTellsOnceThatTheGameLeftTheHighscoreRace() {
    Game g;
    g.t().qualifies = 1;
    const game::Place stock{game::kStockColumn, g.t().layout.bottomRow};
    for (int press = 0; press < 2; ++press) g.main->engine().keyPress(stock);
    g.main->menu().undoItem->trigger();
    QCOMPARE(g.t().qualifies, 0);
    QCOMPARE(g.main->statusNote(), QString(shell::kOutOfTheRaceNote));
    g.main->showNote("");
    g.main->menu().undoItem->trigger();
    QCOMPARE(g.main->statusNote(), QString());
  }

  void demoStopsOnAKey() {
    Game g;
    g.main->menu().demoItem->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(g.t().wasteTop >= 0 || g.main->engine().canUndo(), 10000);
    QTest::keyClick(&g.main->table(), Qt::Key_Space);
    QVERIFY(!g.main->demoRunning());
    const QByteArray before(reinterpret_cast<const char*>(&g.t().tableau), sizeof g.t().tableau);
    QTest::qWait(1500);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&g.t().tableau), sizeof g.t().tableau),
             before);
  }

  void winnableDealsAreKeptApartAndDealOnlyProvedWins() {
    Game g;
    const QByteArray settings = g.file("mirt.ini");
    g.main->menu().winnableDealsItem->trigger();
    QCOMPARE(g.file("Options.ini"), QByteArray("WinnableDealsOnly=1\r\n"));
    QCOMPARE(g.file("mirt.ini"), settings);

    g.main->engine().seedSource = [] { return kLostSeed; };
    g.main->menu().restartItem->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!g.main->searchingDeal(), 20000);
    const game::GameEngine& engine = g.main->engine();
    QVERIFY(engine.dealNumber() > kLostSeed);
    solver::TableSearch search(engine.table(), engine.menu().level, false);
    QCOMPARE(int(search.run({}).outcome), int(solver::Outcome::Won));

    g.main = std::make_unique<shell::MainWindow>(screenOf(1024, 768), g.sounds);
    QVERIFY(g.main->menu().winnableDealsItem->isChecked());
  }
};

QTEST_MAIN(WindowSolverTest)
#include "window_solver_test.moc"
