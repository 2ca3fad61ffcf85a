// The game in progress kept as text: positions of every rule set, score mode and level, with
// their undo and redo steps, come back exactly, and Undo still leads back to the deal; damaged,
// foreign, out-of-range and future-version texts are refused.
#include <random>

#include "game/saved_game.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

struct Position {
  RuleSet game;
  ScoreMode mode;
  Level level;
  bool timed;
  int presses;  // random presses on the piles after the deal, then two undos
  int ticks;    // of the game clock
};

const Position kPositions[] = {
    {RuleSet::Klondike, ScoreMode::None, Level::Hard, true, 0, 0},
    {RuleSet::Klondike, ScoreMode::Normal, Level::Hard, true, 400, 37},
    {RuleSet::Klondike, ScoreMode::Vegas, Level::Easy, false, 400, 0},
    {RuleSet::Klondike, ScoreMode::None, Level::Medium, true, 400, 5},
    {RuleSet::Klondike, ScoreMode::Normal, Level::Easy, false, 60, 12},
    {RuleSet::Quatro, ScoreMode::None, Level::Hard, true, 300, 0},
};

// Seeded presses on the places of the table.
void pressPlaces(GameEngine& engine, int presses, std::mt19937& random) {
  const TableLayout& l = engine.table().layout;
  for (int i = 0; i < presses; ++i) {
    const int column = int(random() % kColumns);
    const int row = random() % 3 == 0 ? l.bottomRow : int(random() % 8);
    const Rect r = engine.placeRect(column, row);
    engine.mouseDown(MouseButton::Left, r.left + 30, r.top + 8);
    engine.mouseUp(MouseButton::Left, r.left + 30, r.top + 8);
  }
}

// A game played from a fixed deal by seeded presses on the places of the table.
class PlayedGame {
 public:
  RecordingView view;
  GameEngine engine{view};

  explicit PlayedGame(const Position& p) {
    engine.setCardSetPresent(true);
    engine.setScreenClass(3);
    engine.applyMenuState({.scoreMode = p.mode,
                           .timed = p.timed,
                           .level = p.level,
                           .dragDrop = false,
                           .ruleSet = p.game});
    engine.playDeal(4242);
    std::mt19937 random(7);
    pressPlaces(engine, p.presses, random);
    if (p.presses > 0) {  // steps to redo as well
      engine.undo();
      engine.undo();
    }
    for (int i = 0; i < p.ticks; ++i) engine.clockTick();
  }
};

SavedGame roundTrip(const SavedGame& g) {
  const SavedGameRead read = parseSavedGame(formatSavedGame(g));
  EXPECT_FALSE(read.futureVersion);
  return read.game.value_or(SavedGame{});
}

TEST(SavedGame, EveryPositionComesBackExactlyAndUndoesToItsDeal) {
  for (const Position& p : kPositions) {
    SCOPED_TRACE(::testing::Message()
                 << "game " << int(p.game) << " mode " << int(p.mode) << " presses " << p.presses);
    PlayedGame played(p);
    const SavedGame saved = played.engine.savedGame();
    EXPECT_EQ(saved.undo.empty() || saved.redo.empty(), p.presses == 0);
    const SavedGame read = roundTrip(saved);
    EXPECT_EQ(read, saved);

    RecordingView view;
    GameEngine resumed(view);
    resumed.setScreenClass(3);
    resumed.setCardSetPresent(true);
    resumed.startUp();  // a deal of the stored choices, which the saved game replaces
    ASSERT_TRUE(resumed.resume(read));
    EXPECT_EQ(resumed.savedGame(), saved);
    const GameTable& t = resumed.table();
    EXPECT_EQ(ruleStateOf(t), ruleStateOf(played.engine.table()));
    EXPECT_EQ(t.seconds, played.engine.table().seconds);
    EXPECT_EQ(t.qualifies, played.engine.table().qualifies);
    EXPECT_EQ(resumed.menu().ruleSet, p.game);
    EXPECT_EQ(resumed.menu().scoreMode, p.mode);
    EXPECT_EQ(resumed.menu().level, p.level);
    EXPECT_EQ(resumed.menu().timed, p.timed);
    EXPECT_EQ(resumed.dealNumber(), 4242u);
    EXPECT_EQ(view.score, t.score);
    EXPECT_EQ(view.seconds, t.seconds);
    EXPECT_FALSE(resumed.clockRunning());

    while (resumed.canUndo()) resumed.undo();
    PlayedGame fresh({p.game, p.mode, p.level, p.timed, 0, 0});
    RuleState back = ruleStateOf(t);
    back.score = fresh.engine.table().score;  // the clock's penalties stay paid
    EXPECT_EQ(back, ruleStateOf(fresh.engine.table()));
  }
}

// The files that earlier versions wrote are read and written again byte for byte: a Quatro game
// after a Klondike one and a Klondike game after that Quatro one, each file also keeping what the
// game before left of its state. The check line sums up every byte above it.
TEST(SavedGame, KeptGamesAreTheBytesEarlierVersionsWrote) {
  RecordingView view;
  GameEngine engine(view);
  engine.seedSource = [] { return 31u; };
  engine.setCardSetPresent(true);
  engine.setScreenClass(3);
  engine.applyMenuState(
      {.scoreMode = ScoreMode::Normal, .level = Level::Medium, .dragDrop = false});
  std::mt19937 random(11);
  engine.playDeal(4242);
  pressPlaces(engine, 200, random);
  for (int i = 0; i < 25; ++i) engine.clockTick();
  ASSERT_TRUE(engine.play(RuleSet::Quatro));
  pressPlaces(engine, 80, random);
  const std::string quatro = formatSavedGame(engine.savedGame());
  engine.play(RuleSet::Klondike);
  pressPlaces(engine, 30, random);
  engine.undo();
  const std::string klondike = formatSavedGame(engine.savedGame());

  const std::pair<std::string, const char*> kept[] = {{quatro, "Check=85763f1d91159bf6\r\n"},
                                                      {klondike, "Check=2ef502028b2879aa\r\n"}};
  for (const auto& [text, check] : kept) {
    EXPECT_TRUE(text.ends_with(check)) << text.substr(text.rfind("Check="));
    const SavedGameRead read = parseSavedGame(text);
    ASSERT_TRUE(read.game);
    RecordingView resumedView;
    GameEngine resumed(resumedView);
    resumed.setScreenClass(3);
    resumed.startUp();
    ASSERT_TRUE(resumed.resume(*read.game));
    EXPECT_EQ(formatSavedGame(resumed.savedGame()), text);
  }
}

TEST(SavedGame, AGameTheScreenCannotShowIsNotResumed) {
  PlayedGame quatro(kPositions[5]);
  RecordingView view;
  GameEngine small(view);
  small.setScreenClass(1);
  small.startUp();
  const RuleState dealt = ruleStateOf(small.table());
  EXPECT_FALSE(small.resume(quatro.engine.savedGame()));
  EXPECT_EQ(small.menu().ruleSet, RuleSet::Klondike);
  EXPECT_EQ(ruleStateOf(small.table()), dealt);
}

TEST(SavedGame, DamagedForeignOutOfRangeAndFutureTextsAreRefused) {
  SavedGame played = PlayedGame(kPositions[1]).engine.savedGame();
  played.tracked = TrackedGame{4, 95};
  const std::string text = formatSavedGame(played);
  ASSERT_TRUE(parseSavedGame(text).game);

  std::string flipped = text;
  flipped[text.find("Table=") + 20] ^= 1;
  std::string future = text;
  future.replace(future.find("Version=1"), 9, "Version=2");
  SavedGame wasteBeyondItsPile = played;
  wasteBeyondItsPile.table.wasteTop = 60;
  SavedGame notACard = played;
  notACard.undo.front().tableau[3][2] = 130;
  SavedGame unknownKind = played;
  unknownKind.tracked->kind = kStatisticsKinds;
  SavedGame quatroDeckBeyondItsCards = PlayedGame(kPositions[5]).engine.savedGame();
  quatroDeckBeyondItsCards.table.deckTop = kDeckSize;  // a Klondike stock may hold 52
  const std::string refused[] = {
      "",
      "[TAVI's Klondike game]\r\n",
      "[Some other game]\r\nVersion=1\r\n",
      text.substr(0, text.size() / 2),
      text.substr(0, text.size() - 2),  // the last line's end cut off
      text + "Undo=00\r\n",
      flipped,
      formatSavedGame(wasteBeyondItsPile),
      formatSavedGame(notACard),
      formatSavedGame(unknownKind),
      formatSavedGame(quatroDeckBeyondItsCards),
  };
  for (const std::string& bad : refused) {
    const SavedGameRead read = parseSavedGame(bad);
    EXPECT_FALSE(read.game) << bad.substr(0, 60);
    EXPECT_FALSE(read.futureVersion);
  }
  const SavedGameRead read = parseSavedGame(future);
  EXPECT_FALSE(read.game);
  EXPECT_TRUE(read.futureVersion);
}

// The statistics go on with the same game: of its kind, its time counted on from where it was.
TEST(SavedGame, TheStatisticsGoOnWithTheSameGame) {
  GameTracker before;
  before.dealt();
  EXPECT_FALSE(before.inProgress(50));
  before.moved(4, 100);
  const auto kept = before.inProgress(160);
  EXPECT_EQ(kept, (TrackedGame{4, 60}));
  GameTracker after;
  after.resume(kept, 5000);
  const auto ended = after.end(5030);
  ASSERT_TRUE(ended);
  EXPECT_EQ(ended->kind, 4);
  EXPECT_EQ(ended->seconds, 90);
  after.resume(std::nullopt, 6000);  // never played: nothing to count
  EXPECT_FALSE(after.end(6010));
}

}  // namespace
}  // namespace game::testing
