#include "game/keyboard_focus.h"

namespace game {

namespace {

constexpr int kFrameInset = 3;  // the selection frame lies one pixel outside the cards

}  // namespace

Place validFocus(const GameTable& t, RuleSet ruleSet, Place p) {
  return rulesOf(ruleSet).validFocus(t, p);
}

Place moveFocus(const GameTable& t, RuleSet ruleSet, Place from, FocusMove move) {
  return rulesOf(ruleSet).focusStep(t, validFocus(t, ruleSet, from), move);
}

Rect focusFrame(const GameTable& t, RuleSet ruleSet, Place p) {
  p = validFocus(t, ruleSet, p);
  const bool column = rulesOf(ruleSet).fannedColumns && p.row < t.layout.bottomRow;
  const int cards = column ? t.lastRow(p.column) - p.row + 1 : 1;
  const Rect r = t.layout.placeRect(p.column, p.row);
  return {r.left + kFrameInset, r.top + kFrameInset, r.right - kFrameInset,
          r.top + t.layout.runHeight(cards) - kFrameInset};
}

}  // namespace game
