// Hand-built positions: a lost one is proved lost, a bad one refused, a position one move from the
// win hints that move, and a cancelled search stops; dealt games that shortcuts settle. The
// position text: read, written, refused.
#include <fstream>
#include <sstream>
#include <thread>

#include "solver/position_text.h"

#include "solver/table_position.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

using solver::Level;
using solver::MoveKind;
using solver::Outcome;
using solver::Position;

const solver::Limits kLimits{100'000, std::chrono::milliseconds(60'000)};

// Every card of the given suits on its foundation (pile = suit).
Position homeExcept(int suit, int topRank) {
  Position p;
  for (int s = 0; s < 4; ++s)
    p.foundation[s] = s != suit ? card(King, s) : topRank < 0 ? solver::kNoCard : card(topRank, s);
  return p;
}

struct OutcomeCase {
  const char* name;
  Position position;
  Outcome expected;
};

std::vector<OutcomeCase> outcomeCases() {
  std::vector<OutcomeCase> cases;
  // Spades only: the Ace lies under the Two, which no red Three is left to take. The King can go
  // to an empty column and turn up the Three, which cannot go home either.
  Position buried = homeExcept(0, -1);
  buried.columns[0] = {1, {card(Ace, 0), card(Two, 0)}};
  buried.columns[1].faceDown = 10;
  for (int rank = Queen; rank >= Three; --rank) buried.columns[1].cards.push_back(card(rank, 0));
  buried.columns[1].cards.push_back(card(King, 0));
  cases.push_back({"BuriedAce", buried, Outcome::Lost});
  // The same with the Ace turned up at the end of the stock: won.
  Position reachable = homeExcept(0, -1);
  reachable.columns[0] = {0, {card(Two, 0)}};
  reachable.columns[1] = buried.columns[1];
  reachable.stock = {card(Ace, 0)};
  cases.push_back({"AceInStock", reachable, Outcome::Won});
  // Hearts from the Jack and the black Kings still out: the Queen of hearts covers the Jack and
  // must go onto the King of spades, which only the waste can lay in an empty column.
  Position kingFromWaste = homeExcept(1, Ten);
  kingFromWaste.foundation[0] = card(Queen, 0);
  kingFromWaste.foundation[3] = card(Queen, 3);
  kingFromWaste.columns[0] = {1, {card(Jack, 1), card(Queen, 1)}};
  kingFromWaste.stock = {card(King, 3), card(King, 1), card(King, 0)};
  cases.push_back({"KingFromWasteTakesTheCardAboveAHiddenOne", kingFromWaste, Outcome::Won});
  // Every Jack lies under a King, which needs an empty column: a Queen must first leave its own
  // column for a King.
  Position queenMakesRoom;
  for (int suit = 0; suit < 4; ++suit) queenMakesRoom.foundation[suit] = card(Ten, suit);
  queenMakesRoom.columns[0] = {0, {card(Queen, 1)}};
  queenMakesRoom.columns[1] = {1, {card(Jack, 1), card(King, 0)}};
  queenMakesRoom.columns[2] = {1, {card(Jack, 0), card(King, 1)}};
  queenMakesRoom.columns[3] = {1, {card(Jack, 2), card(King, 2)}};
  queenMakesRoom.columns[4] = {1, {card(Jack, 3), card(King, 3)}};
  queenMakesRoom.columns[5] = {0, {card(Queen, 2)}};
  queenMakesRoom.columns[6] = {0, {card(Queen, 0)}};
  queenMakesRoom.stock = {card(Queen, 3)};
  cases.push_back({"QueenLeavesItsColumnForAKing", queenMakesRoom, Outcome::Won});
  Position twice = homeExcept(0, Queen);
  twice.columns[0] = {0, {card(King, 0)}};
  twice.waste = {card(King, 0)};
  cases.push_back({"CardTwice", twice, Outcome::Invalid});
  Position badCode = homeExcept(0, Queen);
  badCode.columns[0] = {0, {52}};
  cases.push_back({"NoCard", badCode, Outcome::Invalid});
  Position twoPiles = homeExcept(0, Queen);
  twoPiles.foundation[0] = card(Queen, 1);
  twoPiles.columns[0] = {0, {card(King, 0)}};
  cases.push_back({"SuitOnTwoPiles", twoPiles, Outcome::Invalid});
  return cases;
}

TEST(SolverOutcomeTest, HandBuiltPositions) {
  for (const OutcomeCase& c : outcomeCases()) {
    for (Level level : {Level::Easy, Level::Medium, Level::Hard})
      EXPECT_EQ(solver::solve(c.position, level, solver::kUnlimitedRefills, kLimits).outcome,
                c.expected)
          << c.name << " at level " << static_cast<int>(level);
  }
}

Position parsed(const std::string& text) {
  const solver::PositionParse parse = solver::parsePosition(text);
  EXPECT_TRUE(parse.file) << parse.error;
  return parse.file ? parse.file->position : Position{};
}

// Moves that the search leaves until they help once waited for each other in these positions and
// called a won game lost (each file says how).
TEST(SolverOutcomeTest, MutuallyWaitingMovesStillWin) {
  for (const char* name : {"two_waits.txt", "waits_mid_part.txt"}) {
    SCOPED_TRACE(name);
    std::ifstream file(std::string(KLONDIKE_SOLVER_POSITIONS "/") + name);
    std::stringstream text;
    text << file.rdbuf();
    const solver::PositionParse parse = solver::parsePosition(text.str());
    ASSERT_TRUE(parse.file && parse.file->level) << parse.error;
    for (int refills : {solver::kUnlimitedRefills, 2})
      EXPECT_EQ(solver::solve(parse.file->position, *parse.file->level, refills, kLimits).outcome,
                Outcome::Won);
  }
}

// Dealt games the search once could not settle within millions of positions, each decided now
// within a small budget by one of its shortcuts.
TEST(SolverOutcomeTest, DealsSettledByTheShortcuts) {
  struct Deal {
    std::uint32_t seed;
    Level level;
    Outcome outcome;
    std::uint64_t maxStates;
  };
  const Deal deals[] = {
      {174, Level::Medium, Outcome::Lost, 400'000},  // lost when one card is turned
      {239, Level::Hard, Outcome::Won, 20'000},      // a card amid a whole part follows home
      {60, Level::Easy, Outcome::Lost, 200'000},     // safe stock cards home at once
      {118, Level::Easy, Outcome::Lost, 120'000},    // a stock card laid is covered at once
      {29, Level::Medium, Outcome::Lost, 65'000},    // stock positions that presses reach
  };
  for (const Deal& d : deals) {
    SCOPED_TRACE(d.seed);
    const solver::Limits limits{d.maxStates, std::chrono::milliseconds(60'000)};
    const Position dealt = solver::positionOf(solver::dealtTable(d.seed));
    EXPECT_EQ(solver::solve(dealt, d.level, solver::kUnlimitedRefills, limits).outcome, d.outcome);
  }
}

TEST(PositionTextTest, WrittenTextReadsBackTheSame) {
  solver::PositionFile file{solver::positionOf(solver::dealtTable(5)), Level::Medium, 1};
  file.position.waste = {file.position.stock[0]};
  file.position.stock.erase(file.position.stock.begin());
  file.position.foundation[2] = solver::kNoCard;
  const solver::PositionParse parse = solver::parsePosition(solver::positionText(file));
  ASSERT_TRUE(parse.file) << parse.error;
  EXPECT_EQ(solver::positionText(*parse.file), solver::positionText(file));
  EXPECT_EQ(parse.file->refillsLeft(), 1);
  EXPECT_EQ(parse.file->position.columns[6].faceDown, 6);
}

TEST(PositionTextTest, BadTextIsRefusedWithItsLine) {
  const char* const bad[] = {
      "col0 12 12",                   // a card twice
      "found 4 255 255 255\ncol1 0",  // under a foundation top
      "col0 12 70",                   // face down below face up
      "stock 70",                     // face down in the stock
      "col7 1",                       // no such column
      "found 1 2 3",                  // three piles
      "level expert",                 // no such level
      "vegas 4",                      // more refills than counted
      "waste 52",                     // no card
      "stock 1\nstock 2",             // an item twice
      "col0 -1",                      // not a number
      "col0 1234",                    // too long
  };
  for (const char* text : bad) {
    const solver::PositionParse parse = solver::parsePosition(text);
    EXPECT_FALSE(parse.file) << text;
    EXPECT_TRUE(parse.error.starts_with("line ")) << text;
  }
  // Comments, blank lines and left-out items are fine; so is a foundation top that hides cards.
  const Position p = parsed("# nothing\n\n  found 255 255 255 8   # a Three\n");
  EXPECT_EQ(p.foundation[3], 8);
  EXPECT_TRUE(p.stock.empty());
}

class SolverHintTest : public GameTest {};

// The last King is the next and only move: from the tableau, or from the waste.
TEST_F(SolverHintTest, OneMoveFromTheWinHintsThatMove) {
  for (bool fromWaste : {false, true}) {
    emptyKlondike(Level::Hard);
    for (int f = 0; f < 4; ++f) t.foundation[f] = card(King, 3 - f);
    t.foundation[2] = card(Queen, 1);
    if (fromWaste)
      setWaste({card(King, 1)});
    else
      setColumn(4, {card(King, 1)});
    solver::TableSearch search(t, engine.menu().level, false);
    ASSERT_EQ(search.run(kLimits).outcome, Outcome::Won);
    ASSERT_EQ(search.result().moves.size(), 1u);
    const solver::MovePlaces places = *search.nextMove();
    EXPECT_EQ(places.source, fromWaste ? (Place{1, t.layout.bottomRow}) : (Place{4, 0}));
    EXPECT_EQ(places.target, (Place{5, t.layout.bottomRow}));
  }
}

TEST(SolverCancelTest, CancelledSearchReturnsUndecided) {
  const solver::Limits unlimited{UINT64_MAX, std::chrono::hours(1)};
  // Deal 2 at Hard is not decided within three million positions, seconds of searching: only
  // the cancel ends these searches.
  const Position deal = solver::positionOf(solver::dealtTable(2));
  std::atomic<bool> cancel{true};
  const solver::Result before = solver::solve(deal, Level::Hard, -1, unlimited, &cancel);
  EXPECT_EQ(before.outcome, Outcome::Undecided);
  EXPECT_LE(before.states, 1024u);
  // Cancelled from another thread once it runs.
  cancel = false;
  std::atomic<bool> started{false};
  solver::Result during;
  std::thread worker([&] {
    started = true;
    during = solver::solve(deal, Level::Hard, -1, unlimited, &cancel);
  });
  while (!started) std::this_thread::yield();
  cancel = true;
  worker.join();
  EXPECT_EQ(during.outcome, Outcome::Undecided);
}

}  // namespace
}  // namespace game::testing
