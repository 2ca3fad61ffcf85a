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
        generateMoves(s, rules, kNoCard, candidates);
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

}  // namespace
}  // namespace solver::detail
