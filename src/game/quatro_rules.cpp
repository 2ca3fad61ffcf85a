// Quatro: the current card is placed on a 4 x 4 grid (face cards on their border places); once the
// grid is full, pairs adding up to ten and single Tens are removed. Places below are named by
// screen column (see quatroGridPlace).
#include "game/quatro_rules.h"

#include <algorithm>

#include "game/deck.h"
#include "game/keyboard_focus.h"
#include "game/play.h"
#include "game/statistics.h"

namespace game {

namespace {
constexpr int kGridSize = kQuatroGridSize;
constexpr int kFirstGridColumn = kQuatroFirstGridColumn;
constexpr int kTen = 10;

enum class PlaceKind { Corner, TopBottomMiddle, LeftRightMiddle, Inner };

PlaceKind kindOf(int gridColumn, int row) {
  const bool edgeColumn = gridColumn == 0 || gridColumn == kGridSize - 1;
  const bool edgeRow = row == 0 || row == kGridSize - 1;
  if (edgeColumn && edgeRow) return PlaceKind::Corner;
  if (edgeRow) return PlaceKind::TopBottomMiddle;
  if (edgeColumn) return PlaceKind::LeftRightMiddle;
  return PlaceKind::Inner;
}

bool isNumberCard(std::uint8_t card) { return Card{card}.rank() < kJackRank; }
bool isFaceCard(std::uint8_t card) { return Card{card}.faceCard(); }

// The place kind that a face card belongs to: Jacks, Queens, Kings.
PlaceKind kindForFaceCard(std::uint8_t card) {
  switch (Card{card}.rank()) {
    case kJackRank: return PlaceKind::LeftRightMiddle;
    case kQueenRank: return PlaceKind::TopBottomMiddle;
    default: return PlaceKind::Corner;
  }
}

int targetsOf(const QuatroState& s, Targets& places) {
  const std::uint8_t card = s.current;
  if (!isFaceCard(card)) return 0;
  int count = 0;
  for (int g = 0; g < kGridSize; ++g)
    for (int r = 0; r < kGridSize; ++r)
      if (kindOf(g, r) == kindForFaceCard(card) && !Card{s.grid[g][r]}.occupied())
        places[std::size_t(count++)] = quatroGridPlace(g, r);
  return count;
}

// Every border place holds a face card.
bool wonGrid(const QuatroState& s) {
  for (int g = 0; g < kGridSize; ++g)
    for (int r = 0; r < kGridSize; ++r)
      if (kindOf(g, r) != PlaceKind::Inner && !isFaceCard(s.grid[g][r])) return false;
  return true;
}

// The moves of one press, or the deal, on the table in play.
class QuatroMoves {
 public:
  explicit QuatroMoves(Play& play) : play_(play), t_(play.t()) {}

  void deal(std::uint32_t seed);
  void press(Place p);

 private:
  Play& play_;
  GameTable& t_;

  void placeQuatroCard(int column, int row);
  void pairPress(int column, int row);
  void invalidateTargets();
  void emptyGridPlace(int column, int row);
};

class QuatroRules final : public GameRules {
 public:
  constexpr QuatroRules() : GameRules{RuleSet::Quatro, 2, false, false, false} {}

  TableLayout layout(int screenClass) const override { return quatroLayout(screenClass); }
  // Keyboard play: the current card and the grid.
  Place validFocus(const GameTable& t, Place p) const override;
  Place focusStep(const GameTable& t, Place p, FocusMove move) const override;
  int statisticsKind(const MenuState&) const override { return kQuatroKind; }
  void deal(Play& play, std::uint32_t seed) const override { QuatroMoves(play).deal(seed); }
  // Quatro refuses a press off its places itself.
  std::optional<Place> placeUnder(const GameTable& t, int x, int y) const override {
    return t.layout.hitPlace(x, y);
  }
  void press(Play& play, Place place) const override {
    if (play.t().quatroOver == 0) QuatroMoves(play).press(place);
  }
  bool won(const GameTable& t) const override { return t.quatroOver != 0; }
  int targets(const GameTable& t, Targets& places) const override { return targetsOf(t, places); }
};

}  // namespace

Place QuatroRules::validFocus(const GameTable&, Place p) const {
  const bool inGrid = p.column >= kQuatroFirstGridColumn &&
                      p.column < kQuatroFirstGridColumn + kQuatroGridSize && p.row >= 0 &&
                      p.row < kQuatroGridSize;
  return inGrid ? p : kQuatroCurrentCard;
}

Place QuatroRules::focusStep(const GameTable&, Place p, FocusMove move) const {
  constexpr int firstColumn = kQuatroFirstGridColumn;
  constexpr int lastColumn = firstColumn + kQuatroGridSize - 1;
  if (p == kQuatroCurrentCard)
    return move == FocusMove::Right ? Place{firstColumn, kQuatroCurrentCard.row} : p;
  switch (move) {
    case FocusMove::Left:
      return p.column == firstColumn ? kQuatroCurrentCard : Place{p.column - 1, p.row};
    case FocusMove::Right: return {std::min(p.column + 1, lastColumn), p.row};
    case FocusMove::Up: return {p.column, std::max(p.row - 1, 0)};
    case FocusMove::Down: return {p.column, std::min(p.row + 1, kQuatroGridSize - 1)};
  }
  return p;
}

const GameRules& quatroRules() {
  static const QuatroRules rules;
  return rules;
}

void QuatroMoves::deal(std::uint32_t seed) {
  const Deck deck = shuffleDeck(seed);
  t_.quatroOver = 0;
  std::fill(&t_.grid[0][0], &t_.grid[0][0] + kQuatroGridSize * kQuatroGridSize, kEmpty);
  std::copy(deck.begin(), deck.end(), t_.deck);
  t_.current = t_.deck[kDeckSize - 1];
  t_.deckTop = kDeckSize - 2;
  t_.gridCount = 0;
  t_.pairMode = 0;
}

void QuatroMoves::invalidateTargets() {
  Targets places;
  const int count = targetsOf(t_, places);
  for (int i = 0; i < count; ++i) play_.invalidatePlace(places[i].column, places[i].row);
}

void QuatroMoves::press(Place p) {
  const int g = p.column - kFirstGridColumn;
  if (g < 0 || g >= kGridSize || p.row < 0 || p.row >= kGridSize) {
    play_.playRefusal();
  } else {
    const bool empty = !Card{t_.grid[g][p.row]}.occupied();
    if (empty) t_.pairMode = 0;
    const std::uint8_t card = t_.current;
    const bool allowed = isNumberCard(card) ||
                         (isFaceCard(card) && empty && kindOf(g, p.row) == kindForFaceCard(card));
    if (allowed && isFaceCard(card)) invalidateTargets();
    if (!allowed && t_.pairMode == 0) {
      play_.playRefusal();
    } else if (empty) {
      placeQuatroCard(p.column, p.row);
    } else if (t_.pairMode == 0) {
      play_.playRefusal();
    } else {
      pairPress(p.column, p.row);
    }
    if (t_.gridCount == kGridSize * kGridSize) t_.pairMode = 1;
  }
  if (wonGrid(t_)) {
    play_.view().gameWon({std::nullopt, t_.seconds, false});
    t_.quatroOver = 1;
  }
}

void QuatroMoves::placeQuatroCard(int column, int row) {
  t_.selPending = false;
  play_.eraseMark();  // a card chosen for a pair is dropped
  t_.grid[column - kFirstGridColumn][row] = t_.current;
  play_.invalidatePlace(column, row);
  if (t_.deckTop >= 0) {
    t_.current = t_.deck[t_.deckTop];
    --t_.deckTop;
  } else {
    t_.current = kEmpty;  // the last card is placed
  }
  play_.invalidatePlace(kQuatroCurrentCard.column, kQuatroCurrentCard.row);
  invalidateTargets();
  ++t_.gridCount;
}

void QuatroMoves::emptyGridPlace(int column, int row) {
  t_.grid[column - kFirstGridColumn][row] = kEmpty;
  play_.invalidatePlace(column, row);
  --t_.gridCount;
}

void QuatroMoves::pairPress(int column, int row) {
  const std::uint8_t card = t_.grid[column - kFirstGridColumn][row];
  if (t_.selPending) {
    t_.selPending = false;
    play_.eraseMark();
    const std::uint8_t chosen = t_.grid[t_.selCol - kFirstGridColumn][t_.selRow];
    const bool samePlace = column == t_.selCol && row == t_.selRow;
    if (samePlace || Card{chosen}.number() + Card{card}.number() != kTen) {
      play_.playRefusal();
      return;
    }
    emptyGridPlace(t_.selCol, t_.selRow);
    emptyGridPlace(column, row);
    invalidateTargets();
    return;
  }
  t_.selCol = column;
  t_.selRow = row;
  if (Card{card}.number() == kTen) {
    emptyGridPlace(column, row);
    invalidateTargets();
    return;
  }
  t_.selPending = true;
  t_.markCol = column;
  t_.markRow = row;
  t_.selRunLength = 1;  // the frame is one card high
  play_.drawMark();
}

}  // namespace game
