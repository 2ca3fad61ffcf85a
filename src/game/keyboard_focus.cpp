#include "game/keyboard_focus.h"

#include <algorithm>
#include <array>

namespace game {

namespace {

constexpr int kFrameInset = 3;  // the selection frame lies one pixel outside the cards
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

bool onBottomRow(const GameTable& t, Place p) { return p.row >= t.layout.bottomRow; }

// The bottom-row pile nearest to a screen column (the gap belongs to the waste).
int bottomColumn(int column) {
  return column == kGapColumn ? kWasteColumn : std::clamp(column, 0, kColumns - 1);
}

}  // namespace

Place klondikeFocusStep(const GameTable& t, Place p, FocusMove move) {
  const int bottom = t.layout.bottomRow;
  if (onBottomRow(t, p)) {
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

Place quatroFocusStep(const GameTable&, Place p, FocusMove move) {
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

Place quatroValidFocus(const GameTable&, Place p) {
  const bool inGrid = p.column >= kQuatroFirstGridColumn &&
                      p.column < kQuatroFirstGridColumn + kQuatroGridSize && p.row >= 0 &&
                      p.row < kQuatroGridSize;
  return inGrid ? p : kQuatroCurrentCard;
}

Place klondikeValidFocus(const GameTable& t, Place p) {
  if (p.column < 0 || p.column >= kColumns) return {kStockColumn, t.layout.bottomRow};
  if (onBottomRow(t, p)) return {bottomColumn(p.column), t.layout.bottomRow};
  const int first = firstRow(t, p.column), last = t.lastRow(p.column);
  return {p.column, p.row >= first && p.row <= last ? p.row : last};
}

Place validFocus(const GameTable& t, RuleSet ruleSet, Place p) {
  return rulesOf(ruleSet).validFocus(t, p);
}

Place moveFocus(const GameTable& t, RuleSet ruleSet, Place from, FocusMove move) {
  return rulesOf(ruleSet).focusStep(t, validFocus(t, ruleSet, from), move);
}

Rect focusFrame(const GameTable& t, RuleSet ruleSet, Place p) {
  p = validFocus(t, ruleSet, p);
  const bool column = rulesOf(ruleSet).fannedColumns && !onBottomRow(t, p);
  const int cards = column ? t.lastRow(p.column) - p.row + 1 : 1;
  const Rect r = t.layout.placeRect(p.column, p.row);
  return {r.left + kFrameInset, r.top + kFrameInset, r.right - kFrameInset,
          r.top + t.layout.runHeight(cards) - kFrameInset};
}

}  // namespace game
