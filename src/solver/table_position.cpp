// The solver's link to the game's table record and its places.
#include "solver/table_position.h"

#include <algorithm>

#include "game/game_engine.h"
#include "game/silent_view.h"
#include "solver/position_text.h"
#include "solver/suggestion.h"

namespace solver {

using game::kFirstFoundationColumn;
using game::kStockColumn;
using game::kWasteColumn;

Position positionOf(const game::GameTable& t) {
  Position p;
  for (int c = 0; c < game::kColumns; ++c) {
    Position::Column& column = p.columns[c];
    for (int r = 0; r < game::kRows && t.card(c, r).occupied(); ++r) {
      const std::uint8_t code = t.tableau[c][r];
      if (game::Card{code}.faceDown()) {
        // Face-down cards below a face-up one are no Klondike column: keep the code, which the
        // solver refuses as a card.
        column.cards.push_back(column.faceDown == r ? game::Card{code}.turnedUp().code : code);
        if (column.faceDown == r) ++column.faceDown;
      } else {
        column.cards.push_back(code);
      }
    }
  }
  p.stock.assign(t.stock, t.stock + std::clamp<int>(t.stockCount, 0, 52));
  p.waste.assign(t.waste, t.waste + std::clamp<int>(t.wasteTop + 1, 0, 52));
  std::copy(std::begin(t.foundation), std::end(t.foundation), p.foundation);
  return p;
}

int refillsLeft(const game::GameTable& t, bool vegas) {
  if (vegas) return std::max(0, 2 - t.vegasRedeals);
  return t.vegasRedeals < 3 ? kUnlimitedRefills : 0;
}

game::GameTable dealtTable(std::uint32_t seed) {
  game::SilentView view;
  game::GameEngine engine(view);
  engine.seedSource = [seed] { return seed; };
  engine.dealKlondike();
  return engine.table();
}

MovePlaces placesOf(const Move& move, const game::GameTable& t) {
  const int bottom = t.layout.bottomRow;
  const game::Place waste{kWasteColumn, bottom};
  const game::Place foundation{kFirstFoundationColumn + move.target, bottom};
  const game::Place column{move.target, t.lastRow(move.target)};
  const game::Place tableau{move.column, move.row};
  switch (move.kind) {
    case MoveKind::Stock: return {{kStockColumn, bottom}, {kStockColumn, bottom}, true};
    case MoveKind::Flip: return {tableau, tableau, true};
    case MoveKind::WasteToFoundation: return {waste, foundation};
    case MoveKind::WasteToColumn: return {waste, column};
    case MoveKind::ColumnToFoundation: return {tableau, foundation};
    case MoveKind::ColumnToColumn: return {tableau, column};
  }
  return {};
}

bool isWonTable(const game::GameTable& t) { return t.allKingsHome(); }

bool hasNoMove(const game::GameTable& t, Level level, bool vegas) {
  const Position p = positionOf(t);
  const int refills = refillsLeft(t, vegas);
  return !canTurnStock(p, refills) && suggestMove(p, level, refills).empty();
}

std::vector<Move> suggestionFor(const game::GameTable& t, Level level, bool vegas) {
  return suggestMove(positionOf(t), level, refillsLeft(t, vegas));
}

std::string positionTextOf(const game::GameTable& t, Level level, bool vegas) {
  return positionText(
      {positionOf(t), level, vegas || t.vegasRedeals >= 3 ? std::min(t.vegasRedeals, 3) : -1});
}

TableSearch::TableSearch(const game::GameTable& t, Level level, bool vegas)
    : table_(t), position_(positionOf(t)), level_(level), refills_(refillsLeft(t, vegas)) {}

const Result& TableSearch::run(const Limits& limits, const std::atomic<bool>* cancel) {
  result_ = solve(position_, level_, refills_, limits, cancel);
  return result_;
}

std::optional<MovePlaces> TableSearch::nextMove() const {
  if (result_.outcome != Outcome::Won || result_.moves.empty()) return std::nullopt;
  return placesOf(result_.moves.front(), table_);
}

std::optional<MovePlaces> TableSearch::suggestedMove() const {
  const std::vector<Move> moves = suggestMove(position_, level_, refills_);
  if (moves.empty()) return std::nullopt;
  return placesOf(moves.front(), table_);
}

}  // namespace solver
