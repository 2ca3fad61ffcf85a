// The game session without a window: a won game reaches the view with its result and the
// statistics, the clock follows the rules, a new deal leaves a played game lost, a hint's frames
// come and go through the view, and the game in progress is kept and resumed.
#include <QtTest>

#include "game/saved_game.h"
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
  void showNote(const QString& text) override { messages << text; }
  void searchingForDeal(bool) override {}
  void searchTakesLong() override {}
};

void pressBottom(game::GameEngine& engine, int column) {
  const game::TableLayout& l = engine.table().layout;
  const game::Rect r = l.placeRect(column, l.bottomRow);
  engine.mouseDown(game::MouseButton::Left, r.left + 30, r.top + 60);
  engine.mouseUp(game::MouseButton::Left, r.left + 30, r.top + 60);
}

game::GameRecord normalHardRecord(shell::GameSession& session) {
  return session.statistics()
      .statistics()[game::statisticsKind({.scoreMode = game::ScoreMode::Normal})];
}

// The kept game's file once the session has written it.
std::string keptFile(shell::GameSession& session, const ScratchFolder& folder) {
  session.waitForKeptGame();
  return folder.read(game::kSavedGameFileName);
}

// A session started as the game starts in `folder`, which keeps its game: Klondike, Normal, Hard,
// click-select, each session's deal another.
struct KeptSession {
  SessionRecorder view;
  shell::GameSession session{view};
  game::GameEngine& engine = session.engine();
  std::optional<std::string> message;
  bool fits = true;

  explicit KeptSession(const ScratchFolder& folder, bool resume = true) {
    static std::uint32_t seed = 100;
    session.loadStatistics(folder.file("Statistics.ini"));
    engine.seedSource = [] { return seed++; };
    engine.setScreenClass(3);
    engine.setCardSetPresent(true);
    engine.applyMenuState({.scoreMode = game::ScoreMode::Normal, .dragDrop = false});
    session.keepDir = folder.str();
    session.setOptions({.resumeGame = resume});
    session.startUp();
    message = session.resumeKeptGame(&fits);
  }
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
  void pressBottom(int column) { ::pressBottom(engine, column); }
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
    // Timed as the status bar shows it.
    QCOMPARE(g.record().fastestWin, std::optional<int>(637));
    g.session.restart();  // a won game is not lost on leaving
    QCOMPARE(g.record().played, 1);
  }

  void aWonGameLeavesNoKeptGame() {
    OneMoveLeft g;
    g.session.keepDir = g.folder.str();
    g.session.keepGame();
    QVERIFY(keptFile(g.session, g.folder) != "<missing>");
    g.pressBottom(game::kWasteColumn);
    g.pressBottom(game::kFirstFoundationColumn + 3);
    QCOMPARE(g.view.wins.size(), std::size_t(1));
    QCOMPARE(keptFile(g.session, g.folder), "<missing>");
  }

  void aGameLeftGoesOnAtTheNextStartAsTheSameGame() {
    ScratchFolder folder;
    game::RuleState dealt, played;
    std::uint32_t deal = 0;
    {
      KeptSession first(folder);
      QVERIFY(!first.message);
      dealt = game::ruleStateOf(first.engine.table());
      deal = first.engine.dealNumber();
      pressBottom(first.engine, game::kStockColumn);
      pressBottom(first.engine, game::kStockColumn);
      played = game::ruleStateOf(first.engine.table());
      QVERIFY(played != dealt);
      // Kept after every move: a crash now loses nothing.
      QVERIFY(keptFile(first.session, folder) != "<missing>");
      first.session.leave();
      QCOMPARE(normalHardRecord(first.session).played, 0);  // not lost: it goes on
    }
    KeptSession again(folder);
    QVERIFY(!again.message);
    QVERIFY(game::ruleStateOf(again.engine.table()) == played);
    QCOMPARE(again.engine.dealNumber(), deal);
    again.session.undo();
    again.session.undo();
    QVERIFY(game::ruleStateOf(again.engine.table()) == dealt);
    QVERIFY(!again.engine.canUndo());
    again.session.redo();
    again.session.restart();  // the same game, played in two runs, lost once
    QCOMPARE(normalHardRecord(again.session).played, 1);
    QCOMPARE(keptFile(again.session, folder), "<missing>");
  }

  void withResumingOffTheGameIsNotKept() {
    ScratchFolder folder;
    game::RuleState played;
    {
      KeptSession first(folder);
      pressBottom(first.engine, game::kStockColumn);
      played = game::ruleStateOf(first.engine.table());
      first.session.setOptions({.resumeGame = false});
      QCOMPARE(keptFile(first.session, folder), "<missing>");
      first.session.leave();
      QCOMPARE(normalHardRecord(first.session).played, 1);
    }
    KeptSession again(folder, false);
    QVERIFY(game::ruleStateOf(again.engine.table()) != played);
    pressBottom(again.engine, game::kStockColumn);
    again.session.leave();
    QCOMPARE(keptFile(again.session, folder), "<missing>");
  }

  void aKeptFileThatCannotBeReadIsKeptAsideAndANewGameDealt() {
    const std::pair<std::string, std::string> files[] = {
        {"Not a game of ours\r\n", "cannot be read"},
        {"[TAVI's Klondike game]\r\nVersion=2\r\n", "later version"}};
    for (const auto& [text, why] : files) {
      ScratchFolder folder;
      folder.put(game::kSavedGameFileName, text);
      KeptSession s(folder);
      QVERIFY(s.message);
      const QString message = QString::fromStdString(*s.message);
      QVERIFY2(message.contains(QString::fromStdString(folder.file("Game.ini"))) &&
                   message.contains(QString::fromStdString(why)) &&
                   message.contains("Game.ini.unread"),
               qPrintable(message));
      QCOMPARE(folder.read("Game.ini.unread"), text);
      pressBottom(s.engine, game::kStockColumn);  // the new game is kept beside it
      QVERIFY(game::parseSavedGame(keptFile(s.session, folder)).game);
      QCOMPARE(folder.read("Game.ini.unread"), text);
    }
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
    QCOMPARE(g.view.messages, QStringList{shell::kOutOfTheRaceNote});  // it qualified until now
  }
};

QTEST_GUILESS_MAIN(GameSessionTest)
#include "game_session_test.moc"
