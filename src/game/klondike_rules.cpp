// Klondike: every press on the table either picks a card or run up or applies the pick-up to the
// place pressed (stock, waste, foundation or tableau column); its deal, its auto finish, autodrop
// and the double click that sends a card home.
#include "game/klondike_rules.h"

#include <algorithm>
#include <array>

#include "game/deck.h"
#include "game/game_engine.h"
#include "game/keyboard_focus.h"
#include "game/play.h"
#include "game/safe_home.h"
#include "game/statistics.h"

namespace game {

namespace {

// A foundation takes an Ace when empty, else the next card of its suit.
bool fitsFoundation(Card top, Card card) {
  return top.occupied() ? top.code + 4 == card.code : card.ace();
}

constexpr int kFoundation = kFirstFoundationColumn;
constexpr std::array<int, 6> kBottomColumns = {kStockColumn,    kWasteColumn,    kFoundation,
                                               kFoundation + 1, kFoundation + 2, kFoundation + 3};

// The first face-up card of a column; its last card while none lies face up.
int firstRow(const GameTable& t, int column) {
  const int last = t.lastRow(column);
  for (int row = 0; row <= last; ++row)
    if (t.card(column, row).occupied() && !t.card(column, row).faceDown()) return row;
  return last;
}

// The bottom-row pile nearest to a screen column (the gap belongs to the waste).
int bottomColumn(int column) {
  return column == kGapColumn ? kWasteColumn : std::clamp(column, 0, kColumns - 1);
}

// The moves of one press, sending home or deal on the table in play.
class KlondikeMoves {
 public:
  explicit KlondikeMoves(Play& play) : play_(play), t_(play.t()), menu_(play.menu()) {}

  void deal(std::uint32_t seed);
  void press(Place p);
  void moveToFoundation(int f);
  // Picks up the single card at (column, row) (kWasteColumn: the waste's top) and sends it to
  // foundation f, as a press that seeks the foundation does.
  void sendHome(int column, int row, std::uint8_t card, int f);
  int foundationFor(std::uint8_t card) const;
  bool autoFinishCard();
  void dropSafeCards();
  bool doubleClick(Place p);

 private:
  Play& play_;
  GameTable& t_;
  const MenuState& menu_;

  void stockPress();
  void wastePress();
  void foundationPress(int f);
  void tableauPress(int column, int row);
  void pickUp(int column, int row);
  void sameCardAgain();
  void layDown(int column, int row);
  void removeLaidCardsFromSource(bool ontoCard);
  void sendPickedCardToFoundation();
  void refuse();
  void gameWon();
};

bool canFinish(const KlondikeState& s) {
  if (s.stockCount >= 1 || s.wasteTop >= 0) return false;
  for (const auto& column : s.tableau)
    if (Card{column[0]}.faceDown()) return false;
  return true;
}

class KlondikeRules final : public GameRules {
 public:
  constexpr KlondikeRules() : GameRules{RuleSet::Klondike, 1, true, true, true} {}

  TableLayout layout(int screenClass) const override { return klondikeLayout(screenClass); }
  // Keyboard play: stock, waste and foundations on the bottom row, the face-up cards of each
  // column (or its last card while none lies face up).
  Place validFocus(const GameTable& t, Place p) const override;
  Place focusStep(const GameTable& t, Place p, FocusMove move) const override;
  int statisticsKind(const MenuState& menu) const override {
    return static_cast<int>(menu.level) * kScoreModeCount + static_cast<int>(menu.scoreMode);
  }
  void deal(Play& play, std::uint32_t seed) const override { KlondikeMoves(play).deal(seed); }
  std::optional<Place> placeUnder(const GameTable& t, int x, int y) const override {
    if (!t.layout.insideKlondikeArea(x, y)) return std::nullopt;
    return t.layout.hitPlace(x, y);
  }
  void press(Play& play, Place place) const override { KlondikeMoves(play).press(place); }
  bool won(const GameTable& t) const override { return t.allKingsHome(); }
  bool canAutoFinish(const GameTable& t) const override { return canFinish(t); }
  bool autoFinishCard(Play& play) const override { return KlondikeMoves(play).autoFinishCard(); }
  void dropSafeCards(Play& play) const override { KlondikeMoves(play).dropSafeCards(); }
  bool doubleClick(Play& play, Place place) const override {
    return KlondikeMoves(play).doubleClick(place);
  }
};

}  // namespace

Place KlondikeRules::validFocus(const GameTable& t, Place p) const {
  if (p.column < 0 || p.column >= kColumns) return {kStockColumn, t.layout.bottomRow};
  if (p.row >= t.layout.bottomRow) return {bottomColumn(p.column), t.layout.bottomRow};
  const int first = firstRow(t, p.column), last = t.lastRow(p.column);
  return {p.column, p.row >= first && p.row <= last ? p.row : last};
}

Place KlondikeRules::focusStep(const GameTable& t, Place p, FocusMove move) const {
  const int bottom = t.layout.bottomRow;
  if (p.row >= bottom) {
    const auto at = std::find(kBottomColumns.begin(), kBottomColumns.end(), p.column);
    const int i = static_cast<int>(at - kBottomColumns.begin());
    switch (move) {
      case FocusMove::Left: return {kBottomColumns[std::max(i - 1, 0)], bottom};
      case FocusMove::Right:
        return {kBottomColumns[std::min(i + 1, int(kBottomColumns.size()) - 1)], bottom};
      case FocusMove::Up: return {p.column, t.lastRow(p.column)};
      case FocusMove::Down: return p;
    }
  }
  switch (move) {
    case FocusMove::Left: return {std::max(p.column - 1, 0), t.lastRow(std::max(p.column - 1, 0))};
    case FocusMove::Right: {
      const int column = std::min(p.column + 1, kColumns - 1);
      return {column, t.lastRow(column)};
    }
    case FocusMove::Up: return {p.column, std::max(p.row - 1, firstRow(t, p.column))};
    case FocusMove::Down:
      if (p.row < t.lastRow(p.column)) return {p.column, p.row + 1};
      return {bottomColumn(p.column), bottom};
  }
  return p;
}

const GameRules& klondikeRules() {
  static const KlondikeRules rules;
  return rules;
}

void KlondikeMoves::deal(std::uint32_t seed) {
  const bool hard = menu_.level == Level::Hard;
  t_.qualifies = menu_.scoreMode == ScoreMode::Normal && menu_.timed && hard ? 1 : 0;
  t_.seconds = 0;
  t_.vegasRedeals = 0;
  t_.score = menu_.scoreMode == ScoreMode::Vegas ? -52 : 0;
  t_.tenTicks = 0;
  play_.showScore();
  play_.showSeconds();
  play_.stopClock();

  const Deck deck = shuffleDeck(seed);
  int p = 0;
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      if (r < c)
        t_.tableau[c][r] = static_cast<std::uint8_t>(deck[p++] + kFaceDown);
      else if (r == c)
        t_.tableau[c][r] = deck[p++];
      else
        t_.tableau[c][r] = kEmpty;
    }
  }
  // A deal is the same rule state however often it is dealt: nothing of the last game stays.
  std::fill(std::begin(t_.stock), std::end(t_.stock), kEmpty);
  std::copy(deck.begin() + p, deck.end(), t_.stock);
  t_.stockCount = static_cast<std::int8_t>(52 - p);
  std::fill(std::begin(t_.waste), std::end(t_.waste), kEmpty);
  t_.wasteTop = -1;
  t_.turnCount = 0;
  std::fill(std::begin(t_.foundation), std::end(t_.foundation), kEmpty);
}

// A refused press drops the pick-up and changes no pile.
void KlondikeMoves::refuse() {
  play_.playRefusal();
  play_.eraseMark();
  t_.selState = Selection::None;
}

void KlondikeMoves::press(Place p) {
  if (p.column >= kColumns) {  // only the pixel line at the right end of the area
    refuse();
    return;
  }
  if (p.row <= t_.layout.bottomRow - 1) {
    tableauPress(p.column, p.row);
    return;
  }
  switch (p.column) {
    case kStockColumn: stockPress(); break;
    case kWasteColumn: wastePress(); break;
    case kGapColumn: refuse(); break;
    default: foundationPress(p.column - kFirstFoundationColumn); break;
  }
}

void KlondikeMoves::stockPress() {
  if (t_.selState != Selection::None) {
    refuse();
    return;
  }
  if (t_.stockCount >= 1) {
    t_.turnCount = menu_.level == Level::Easy ? 1 : 3;
    for (int i = 0; i < t_.turnCount; ++i) {
      --t_.stockCount;
      if (t_.stockCount >= 0) t_.waste[++t_.wasteTop] = t_.stock[t_.stockCount];
    }
    if (t_.stockCount < 1) play_.invalidatePlace(kStockColumn, t_.layout.bottomRow);
    play_.invalidatePlace(kWasteColumn, t_.layout.bottomRow);
  } else if (t_.wasteTop >= 1) {
    if (menu_.scoreMode == ScoreMode::Normal) t_.score -= menu_.level == Level::Easy ? 100 : 20;
    if (menu_.scoreMode == ScoreMode::Vegas) ++t_.vegasRedeals;
    play_.showScore();
    if (t_.vegasRedeals < 3) {  // in Vegas the stock is refilled twice per game
      t_.stockCount = static_cast<std::int8_t>(t_.wasteTop + 1);
      for (int i = 0; i < t_.stockCount; ++i) t_.stock[i] = t_.waste[t_.stockCount - 1 - i];
      t_.wasteTop = -1;
      play_.invalidatePlace(kWasteColumn, t_.layout.bottomRow);
      play_.invalidatePlace(kStockColumn, t_.layout.bottomRow);
    }
  } else {
    refuse();
  }
}

void KlondikeMoves::wastePress() {
  if (t_.selState == Selection::None) {
    if (t_.wasteTop < 0) {
      refuse();
      return;
    }
    t_.selCard = t_.waste[t_.wasteTop];
    t_.selIsRun = 0;
    t_.selState = Selection::PickedUp;
    t_.markCol = kWasteColumn;
    t_.markRow = t_.layout.bottomRow;
    t_.selRunLength = 1;
    play_.drawMark();
    t_.selPending = true;
    return;
  }
  play_.eraseMark();
  if (t_.wasteTop >= 0 && t_.selCard == t_.waste[t_.wasteTop]) {
    t_.selPending = false;
    t_.selState = Selection::SeekingFoundation;
    // Dropping the waste card back on the waste sends nothing.
    if (!play_.dragMode()) sendPickedCardToFoundation();
  } else {
    refuse();
  }
  t_.selState = Selection::None;
}

void KlondikeMoves::foundationPress(int f) {
  if (t_.selState == Selection::None) {
    refuse();
    return;
  }
  play_.eraseMark();
  if (t_.selIsRun == 1) {
    refuse();
    return;
  }
  moveToFoundation(f);
}

void KlondikeMoves::tableauPress(int column, int row) {
  row = t_.cardRowAtOrAbove(column, row);
  if (t_.selState == Selection::None)
    pickUp(column, row);
  else if (t_.tableau[column][row] == t_.selCard)
    sameCardAgain();
  else
    layDown(column, row);
}

void KlondikeMoves::pickUp(int column, int row) {
  const std::uint8_t card = t_.tableau[column][row];
  if (!Card{card}.occupied()) {
    refuse();
    return;
  }
  const bool last = t_.isLastCard(column, row);
  const bool firstFaceUp = row == 0 || t_.card(column, row - 1).faceDown();
  if (Card{card}.faceDown()) {
    if (!last) {
      refuse();
      return;
    }
    t_.tableau[column][row] = Card{card}.turnedUp().code;
    play_.invalidatePlace(column, row);
    return;
  }
  // At Hard a card with cards below it moves only as the whole face-up part of its column.
  if (!last && menu_.level == Level::Hard && !firstFaceUp) {
    refuse();
    return;
  }
  t_.selCol = column;
  t_.selRow = row;
  t_.selCard = card;
  t_.selIsRun = last ? 0 : 1;
  t_.markCol = column;
  t_.markRow = row;
  t_.selRunLength = last ? 1 : t_.runLength(column, row);
  t_.selPending = !last || firstFaceUp;
  play_.drawMark();
  t_.selState = Selection::PickedUp;
}

int KlondikeMoves::foundationFor(std::uint8_t card) const {
  for (int f = 0; f < 4; ++f)
    if (fitsFoundation({t_.foundation[f]}, {card})) return f;
  return -1;
}

// The second press on the picked card in click-select mode: send it home if it fits.
void KlondikeMoves::sendPickedCardToFoundation() {
  const int f = foundationFor(t_.selCard);
  if (f < 0 || t_.selIsRun == 1)
    refuse();
  else
    moveToFoundation(f);
}

void KlondikeMoves::sameCardAgain() {
  play_.eraseMark();
  t_.selPending = false;
  t_.selState = Selection::SeekingFoundation;
  if (play_.dragMode()) {
    t_.selState = Selection::None;  // a card dropped on itself stays
    return;
  }
  sendPickedCardToFoundation();
}

void KlondikeMoves::layDown(int column, int row) {
  play_.eraseMark();
  if (!t_.isLastCard(column, row)) {
    refuse();  // cards go only onto the last card of a column
    return;
  }
  if (menu_.level == Level::Hard && !t_.selPending) {
    refuse();
    return;
  }
  t_.selPending = false;
  const Card target = t_.card(column, row);
  const bool ontoCard = target.occupied();
  const std::uint8_t card = t_.selCard;
  if (ontoCard) {
    if (!Card{card}.followsOn(target)) {  // never on a face-down target, whose rank is no card's
      refuse();
      return;
    }
  } else if (!Card{card}.king()) {
    refuse();
    return;
  }
  const int firstTargetRow = ontoCard ? row + 1 : 0;
  const bool fromWaste = t_.selIsRun == 0 && t_.wasteTop >= 0 && card == t_.waste[t_.wasteTop];
  const int count = fromWaste ? 1 : t_.runLength(t_.selCol, t_.selRow);
  if (firstTargetRow + count > kRows) {  // cannot happen with legal columns; keeps writes in bounds
    refuse();
    return;
  }
  if (fromWaste) {
    play_.addPoints(5, 0);
    --t_.wasteTop;
    play_.invalidatePlace(kWasteColumn, t_.layout.bottomRow);
    t_.tableau[column][firstTargetRow] = card;
    play_.invalidatePlace(column, firstTargetRow);
  } else {
    removeLaidCardsFromSource(ontoCard);
    for (int i = 0; i < count; ++i) {
      t_.tableau[column][firstTargetRow + i] = t_.tableau[t_.selCol][t_.selRow + i];
      t_.tableau[t_.selCol][t_.selRow + i] = kEmpty;
      play_.invalidatePlace(column, firstTargetRow + i);
    }
  }
  t_.selIsRun = 0;
  t_.selState = Selection::None;
}

// Points and repaints of the column that a tableau card or run leaves; turns up the card above.
void KlondikeMoves::removeLaidCardsFromSource(bool ontoCard) {
  if (t_.selRow == 0) {
    if (ontoCard) play_.addPoints(5, 0);  // the column is emptied
    play_.invalidatePlace(t_.selCol, 0);
    play_.invalidateColumnFrom(t_.selCol, 0);
    return;
  }
  std::uint8_t& above = t_.tableau[t_.selCol][t_.selRow - 1];
  if (Card{above}.faceDown()) {
    const bool singleKingOntoEmpty = t_.selIsRun == 0 && !ontoCard;
    play_.addPoints(singleKingOntoEmpty ? 5 : 10, 0);
    above = Card{above}.turnedUp().code;
  }
  play_.invalidatePlace(t_.selCol, t_.selRow - 1);
  play_.invalidateColumnFrom(t_.selCol, t_.selRow);
}

void KlondikeMoves::moveToFoundation(int f) {
  if (f < 0 || f > 3 || t_.selState == Selection::None) return;
  const std::uint8_t card = t_.selCard;
  if (!fitsFoundation({t_.foundation[f]}, {card})) {
    refuse();
    return;
  }
  play_.addPoints(10, 5);
  if (t_.wasteTop >= 0 && card == t_.waste[t_.wasteTop]) {
    --t_.wasteTop;
    play_.invalidatePlace(kWasteColumn, t_.layout.bottomRow);
  } else {
    if (t_.selRow > 0) {
      std::uint8_t& above = t_.tableau[t_.selCol][t_.selRow - 1];
      if (Card{above}.faceDown()) above = Card{above}.turnedUp().code;
      play_.invalidatePlace(t_.selCol, t_.selRow - 1);
      play_.invalidateColumnFrom(t_.selCol, t_.selRow);
    } else {
      play_.invalidatePlace(t_.selCol, 0);
    }
    t_.tableau[t_.selCol][t_.selRow] = kEmpty;
  }
  t_.foundation[f] = card;
  play_.invalidatePlace(f + kFirstFoundationColumn, t_.layout.bottomRow);
  if (t_.allKingsHome()) gameWon();
  play_.eraseMark();
  t_.selState = Selection::None;
}

void KlondikeMoves::sendHome(int column, int row, std::uint8_t card, int f) {
  t_.selCol = column;
  t_.selRow = row;
  t_.selCard = card;
  t_.selIsRun = 0;
  t_.selPending = false;
  t_.selState = Selection::SeekingFoundation;
  moveToFoundation(f);
}

void KlondikeMoves::gameWon() {
  play_.stopClock();
  const bool scored = menu_.scoreMode != ScoreMode::None;
  play_.view().gameWon(
      {scored ? std::optional<int>(t_.score) : std::nullopt, t_.seconds, t_.qualifies == 1});
}

// One card of the auto finish: the smallest card left, which is the last card of its column and
// always fits a foundation. False when none is left to send.
bool KlondikeMoves::autoFinishCard() {
  play_.cancelSelection();  // a pending pick-up must not outlive the cards it names
  std::uint8_t smallest = kEmpty;
  int column = 0, row = 0;
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r)
      if (t_.tableau[c][r] < smallest) smallest = t_.tableau[c][r], column = c, row = r;
  const int f = smallest == kEmpty ? -1 : foundationFor(smallest);
  if (f < 0) return false;
  // The last card wins the game (a deal from the end-of-game screen ends it).
  sendHome(column, row, smallest, f);
  play_.view().repaintNow();
  const auto* cells = &t_.tableau[0][0];
  return std::any_of(cells, cells + kColumns * kRows,
                     [](std::uint8_t code) { return Card{code}.occupied(); });
}

void KlondikeMoves::dropSafeCards() {
  if (t_.dragHoldsCards || t_.selState != Selection::None) return;
  for (bool sent = true; sent && !t_.allKingsHome();) {
    sent = false;
    std::array<std::uint8_t, 4> home{};
    for (const std::uint8_t code : t_.foundation)
      if (const Card top{code}; top.occupied())
        home[std::size_t(top.suit())] = std::uint8_t(top.rank() + 1);
    // The waste's top card, then the last card of each column.
    for (int column = -1; column < kColumns && !sent; ++column) {
      const int row = column < 0 ? 0 : t_.lastRow(column);
      const Card card{column >= 0        ? t_.tableau[column][row]
                      : t_.wasteTop >= 0 ? t_.waste[t_.wasteTop]
                                         : kEmpty};
      if (!card.occupied() || card.faceDown() || !safeHome(home, card)) continue;
      const int f = foundationFor(card.code);
      if (f < 0) continue;
      sendHome(column < 0 ? kWasteColumn : column, row, card.code, f);
      sent = true;
    }
  }
}

bool KlondikeMoves::doubleClick(Place p) {
  if (p.column >= kColumns) return false;
  if (t_.dragHoldsCards) play_.cancelSelection();
  int row = 0;
  std::uint8_t card = kEmpty;
  if (p.row < t_.layout.bottomRow) {
    row = t_.cardRowAtOrAbove(p.column, p.row);
    card = t_.tableau[p.column][row];
    if (!t_.isLastCard(p.column, row) || !Card{card}.occupied() || Card{card}.faceDown())
      return false;
  } else if (p.column == kWasteColumn && t_.wasteTop >= 0) {
    card = t_.waste[t_.wasteTop];
  } else {
    return false;
  }
  const int f = foundationFor(card);
  if (f < 0) return true;
  if (menu_.timed && menu_.scoreMode == ScoreMode::Normal) play_.startClock();
  const RuleState before = play_.restingRuleState();
  sendHome(p.column, row, card, f);
  play_.recordMove(before);
  return true;
}

}  // namespace game
