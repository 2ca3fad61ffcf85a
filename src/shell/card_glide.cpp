#include "shell/card_glide.h"

#include <algorithm>
#include <optional>

namespace shell {
namespace {

// Where a card lies face up on a Klondike table in a place of its own: a tableau place, the
// waste's top, or a foundation (which holds its suit up to its top card).
std::optional<game::Place> placeInSight(const game::GameTable& t, std::uint8_t value) {
  for (int column = 0; column < game::kColumns; ++column)
    for (int row = 0; row < game::kRows; ++row)
      if (t.tableau[column][row] == value) return game::Place{column, row};
  const int bottom = t.layout.bottomRow;
  if (t.wasteTop >= 0 && t.waste[t.wasteTop] == value)
    return game::Place{game::kWasteColumn, bottom};
  for (int k = 0; k < 4; ++k) {
    const game::Card top{t.foundation[k]}, card{value};
    if (top.occupied() && top.suit() == card.suit() && card.rank() <= top.rank())
      return game::Place{game::kFirstFoundationColumn + k, bottom};
  }
  return std::nullopt;
}

QPoint cornerOf(const game::GameTable& t, game::Place p) {
  const game::Rect r = t.layout.placeRect(p.column, p.row);
  return {r.left, r.top};
}

}  // namespace

bool CardGlide::start(const game::GameTable& before, const game::GameTable& after) {
  cards_.clear();
  shown_ = after;
  target_ = game::ruleStateOf(after);
  struct Arrival {
    game::Place to;
    Gliding card;
  };
  std::vector<Arrival> arrivals;
  for (std::uint8_t value = 0; value < 52; ++value) {
    const std::optional<game::Place> from = placeInSight(before, value);
    const std::optional<game::Place> to = placeInSight(after, value);
    if (from && to && !(*from == *to))
      arrivals.push_back(
          {*to,
           {cards::faceCell(game::Card{value}), cornerOf(before, *from), cornerOf(after, *to)}});
  }
  // Cards arrive on top of their piles: until they do, each pile shows what it held before.
  const int bottom = after.layout.bottomRow;
  for (const Arrival& a : arrivals) {
    if (a.to.row < bottom)
      shown_.tableau[a.to.column][a.to.row] = game::kEmpty;
    else if (a.to.column == game::kWasteColumn)
      shown_.wasteTop = std::int8_t(std::min<int>(shown_.wasteTop, after.wasteTop - 1));
    else
      shown_.foundation[a.to.column - game::kFirstFoundationColumn] =
          before.foundation[a.to.column - game::kFirstFoundationColumn];
  }
  // A run glides in the order it lies, the card nearest the top of the table first.
  std::stable_sort(arrivals.begin(), arrivals.end(),
                   [](const Arrival& a, const Arrival& b) { return a.to.row < b.to.row; });
  for (const Arrival& a : arrivals) cards_.push_back(a.card);
  clock_.start();
  return active();
}

std::vector<cards::FloatingCard> CardGlide::cardsNow() const {
  const double t = std::min(1.0, double(clock_.elapsed()) / kDurationMs);
  const double eased = 1 - (1 - t) * (1 - t) * (1 - t);  // fast away, gently in
  std::vector<cards::FloatingCard> now;
  for (const Gliding& g : cards_)
    now.push_back({g.code, g.from + (QPointF(g.to - g.from) * eased).toPoint()});
  return now;
}

}  // namespace shell
