// The game session without a window: a won game reaches the view with its result and the
// statistics, the clock follows the rules, a new deal leaves a played game lost, and a hint's
// frames come and go through the view.
#include <QtTest>

#include "shell/game_session.h"
#include "tests/platform/scratch_folder.h"

namespace {

using game::Card;

// Records what the session shows.
struct SessionRecorder : shell::SessionView {
  std::vector<game::GameResult> wins;
  std::vector<std::vector<game::Rect>> hintFrames;
  QStringList messages;
  void invalidate(const game::Rect&, bool) override {}
  void invalidateAll() override {}
  void repaintNow() override {}
  void refused() override {}
  void scoreChanged(int) override {}
  void clockChanged(int) override {}
  void gameWon(const game::GameResult& result) override { wins.push_back(result); }
  void dragStarted(const game::Rect&) override {}
  void showHintFrames(std::vector<game::Rect> frames) override {
    hintFrames.push_back(std::move(frames));
  }
  void tell(const QString& text, const QString& caption) override {
    messages << caption + ": " + text;
  }
  void searchingForDeal(bool) override {}
  void searchTakesLong() override {}
};

// A timed Normal game at Hard, click-select, with every card home but the King of suit 3, which
// lies on the waste.
struct OneMoveLeft {
  ScratchFolder folder;
  SessionRecorder view;
  shell::GameSession session{view};
  game::GameEngine& engine = session.engine();

  OneMoveLeft() {
    session.loadStatistics(folder.file("Statistics.ini"));
    engine.seedSource = [] { return 5u; };
    engine.setScreenClass(3);
    engine.setCardSetPresent(true);
    game::MenuState menu;
    menu.scoreMode = game::ScoreMode::Normal;
    menu.dragDrop = false;
    engine.applyMenuState(menu);
    session.startUp();
    game::GameTable& t = engine.tableForSetup();
    for (auto& column : t.tableau) std::fill(std::begin(column), std::end(column), game::kEmpty);
    for (int suit = 0; suit < 4; ++suit)
      t.foundation[suit] = Card::of(suit == 3 ? game::kQueenRank : game::kKingRank, suit).code;
    t.stockCount = 0;
    t.waste[0] = Card::of(game::kKingRank, 3).code;
    t.wasteTop = 0;
    t.seconds = 637;  // on the game clock
  }
  void pressBottom(int column) {
    const game::TableLayout& l = engine.table().layout;
    const game::Rect r = l.placeRect(column, l.bottomRow);
    engine.mouseDown(game::MouseButton::Left, r.left + 30, r.top + 60);
    engine.mouseUp(game::MouseButton::Left, r.left + 30, r.top + 60);
  }
  const game::GameRecord& record() {
    return session.statistics().statistics()[game::statisticsKind(engine.menu())];
  }
};

}  // namespace

class GameSessionTest : public QObject {
  Q_OBJECT

 private slots:
  void aWonGameReachesTheViewAndTheStatistics() {
    OneMoveLeft g;
    g.pressBottom(game::kWasteColumn);  // picks the King up: no move yet
    QVERIFY(g.session.clockActive());
    QCOMPARE(g.record().played, 0);
    g.pressBottom(game::kFirstFoundationColumn + 3);
    QVERIFY(!g.session.clockActive());
    QCOMPARE(g.view.wins.size(), std::size_t(1));
    QVERIFY(g.view.wins[0].qualifies);
    QCOMPARE(g.view.wins[0].score, std::optional<int>(10));
    QCOMPARE(g.record().won, 1);
    QCOMPARE(g.record().bestScore, std::optional<int>(10));
    QCOMPARE(g.record().fastestWin, std::optional<int>(637));  // as the status bar shows it
    g.session.restart();                                       // a won game is not lost on leaving
    QCOMPARE(g.record().played, 1);
  }

  void aPlayedGameLeftForANewDealIsLost() {
    OneMoveLeft g;
    g.session.restart();  // nothing was moved: no game to count
    QCOMPARE(g.record().played, 0);
    g.pressBottom(game::kStockColumn);  // the dealt stock turns
    g.session.playDeal(9);
    QCOMPARE(g.record().played, 1);
    QCOMPARE(g.record().won, 0);
  }

  void aHintFramesTheMoveAndGoesWhenTheTableChanges() {
    OneMoveLeft g;
    g.session.showHint();
    QTRY_COMPARE(g.view.hintFrames.size(), std::size_t(1));
    QCOMPARE(g.view.hintFrames[0].size(), std::size_t(2));  // the waste and the foundation
    g.pressBottom(game::kWasteColumn);
    QCOMPARE(g.view.hintFrames.size(), std::size_t(2));
    QVERIFY(g.view.hintFrames[1].empty());
    QVERIFY(g.view.messages.isEmpty());
  }
};

QTEST_GUILESS_MAIN(GameSessionTest)
#include "game_session_test.moc"
