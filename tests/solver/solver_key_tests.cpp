// The visited table's key on positions from random play: two positions share a key exactly when
// they are the same up to the order of the columns without face-down cards and stock positions
// that reach the same cards; a successor's key made from its parent's parts is the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>

#include "solver/solver_state.h"
#include "solver/table_position.h"
#include "solver/visited_set.h"

namespace solver::detail {
namespace {

// The position written out card by card, the interchangeable columns sorted and the stock
// position only as far as it tells which cards the stock can still reach.
std::string canonical(const State& s, const Rules& rules) {
  std::string text(reinterpret_cast<const char*>(s.home), 4);
  std::vector<std::string> free;
  for (int c = 0; c < kColumnCount; ++c) {
    std::string column(reinterpret_cast<const char*>(s.cards[c]), s.length[c]);
    if (s.down[c] == 0)
      free.push_back(column + '|');
    else
      text += std::to_string(c) + ':' + std::to_string(s.down[c]) + column + '|';
  }
  std::sort(free.begin(), free.end());
  for (const std::string& column : free) text += column;
  text.append(reinterpret_cast<const char*>(s.talon), s.talonLength);
  const bool limited = rules.refillLimit >= 0;
  const bool reachesAll = s.position % rules.turn == 0 || s.position == s.talonLength;
  text += '/' + std::to_string(limited || !reachesAll ? s.position : 0);
  if (limited) text += '/' + std::to_string(s.refillsUsed);
  return text;
}

struct KeyCase {
  Level level;
  int refills;
};

class KeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTest, EqualExactlyForTheSamePosition) {
  const Rules rules = rulesFor(GetParam().level, GetParam().refills);
  int shared = 0;
  for (std::uint32_t seed = 1; seed <= 8; ++seed) {
    std::vector<Move> moves;
    State root;
    ASSERT_TRUE(toState(positionOf(dealtTable(seed)), root, moves));
    const KeyMaker keyOf(root, rules);
    ASSERT_TRUE(keyOf.exact());
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::string> positionOfKey;
    std::map<std::string, std::pair<std::uint64_t, std::uint64_t>> keyOfPosition;
    std::mt19937 random(seed);
    std::vector<Candidate> candidates;
    for (int walk = 0; walk < 60; ++walk) {
      State s = root;
      for (int step = 0; step < 120; ++step) {
        const Key key = keyOf(s);
        const std::string text = canonical(s, rules);
        const auto [byKey, newKey] = positionOfKey.try_emplace({key.a, key.b}, text);
        const auto [byText, newText] = keyOfPosition.try_emplace(text, std::pair{key.a, key.b});
        EXPECT_EQ(byKey->second, text);
        EXPECT_EQ(byText->second, std::pair(key.a, key.b));
        shared += !newKey;
        generateMoves(s, rules, {}, candidates);
        if (candidates.empty()) break;
        // The key of a successor from its parent's parts is the key made from scratch.
        KeyMaker::Parts parts;
        keyOf.partsOf(s, parts);
        for (const Candidate& candidate : candidates) {
          State next = s;
          applyMove(next, rules, candidate);
          EXPECT_EQ(keyOf(next, parts), keyOf(next));
        }
        applyMoveAlone(s, candidates[random() % candidates.size()], moves);
      }
    }
  }
  EXPECT_GT(shared, 100);  // the walks meet positions again, so equal keys were compared
}

INSTANTIATE_TEST_SUITE_P(LevelsAndRefills, KeyTest,
                         ::testing::Values(KeyCase{Level::Easy, kUnlimitedRefills},
                                           KeyCase{Level::Medium, kUnlimitedRefills},
                                           KeyCase{Level::Hard, 2}));

// Turning three cards without a refill limit, a position of a layout counts as met once one from
// which stock presses alone lead to it was: one at a lower stock position of the same remainder,
// or, for a stock that reaches only what a full one does, any.
TEST(StockPositionTest, MetWhenReachedByPressesFromOneMet) {
  std::vector<Move> moves;
  State s;
  ASSERT_TRUE(toState(positionOf(dealtTable(1)), s, moves));
  ASSERT_EQ(s.talonLength, 24);
  const Rules rules = rulesFor(Level::Medium, kUnlimitedRefills);
  const KeyMaker keyOf(s, rules);
  ASSERT_NE(keyOf.stockField(), 0u);
  struct Step {
    int position;
    bool isNew;
  };
  const std::vector<std::vector<Step>> orders = {
      {{7, true}, {4, true}, {10, false}, {7, false}, {0, false}, {5, true}, {8, false}},
      {{0, true}, {24, false}, {22, true}, {3, false}, {23, true}, {2, true}, {20, false}},
      {{23, true}, {22, true}, {1, true}, {2, true}, {21, false}, {24, false}}};
  for (const auto& order : orders) {
    VisitedSet visited(keyOf.stockField());
    std::uint64_t met = 0;
    for (const Step& step : order) {
      s.position = static_cast<std::uint8_t>(step.position);
      EXPECT_EQ(visited.insert(keyOf(s)), step.isNew) << "stock position " << step.position;
      met += step.isNew;
    }
    EXPECT_EQ(visited.size(), met);
  }
  // With a refill limit every stock position is a position of its own.
  const KeyMaker limited(s, rulesFor(Level::Medium, 2));
  EXPECT_EQ(limited.stockField(), 0u);
}

}  // namespace
}  // namespace solver::detail
