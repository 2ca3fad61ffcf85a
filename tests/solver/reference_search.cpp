#include "tests/solver/reference_search.h"

#include <string>
#include <unordered_set>

namespace solver::reference {

namespace {

int rankOf(std::uint8_t card) { return card >> 2; }
int suitOf(std::uint8_t card) { return card & 3; }
bool isRed(std::uint8_t card) { return suitOf(card) == 1 || suitOf(card) == 2; }
bool sameColour(std::uint8_t a, std::uint8_t b) { return isRed(a) == isRed(b); }

bool fitsOnCard(std::uint8_t card, std::uint8_t target) {
  return rankOf(target) == rankOf(card) + 1 && !sameColour(card, target) && rankOf(card) > 0;
}

bool fitsColumn(const Position::Column& column, std::uint8_t card, std::size_t count) {
  if (column.cards.empty()) return rankOf(card) == 12;
  return column.cards.size() + count <= 19 &&
         static_cast<std::size_t>(column.faceDown) < column.cards.size() &&
         fitsOnCard(card, column.cards.back());
}

// The pile a card may go to: its suit's pile or, for an Ace, the first empty one (the empty
// piles are alike); -1 when none.
int foundationFor(const Position& p, std::uint8_t card) {
  for (int f = 0; f < 4; ++f)
    if (rankOf(card) == 0 ? p.foundation[f] == kNoCard
                          : p.foundation[f] != kNoCard && p.foundation[f] + 4 == card)
      return f;
  return -1;
}

void turnLastCard(Position::Column& column) {
  if (!column.cards.empty() && static_cast<std::size_t>(column.faceDown) == column.cards.size())
    --column.faceDown;
}

bool pressStock(Table& t) {
  Position& p = t.position;
  if (!p.stock.empty()) {
    const int turn = t.level == Level::Easy ? 1 : 3;
    for (int i = 0; i < turn && !p.stock.empty(); ++i) {
      p.waste.push_back(p.stock.back());
      p.stock.pop_back();
    }
    return true;
  }
  if (p.waste.size() < 2 || t.refillsLeft == 0) return false;
  p.stock.assign(p.waste.rbegin(), p.waste.rend());
  p.waste.clear();
  if (t.refillsLeft > 0) --t.refillsLeft;
  return true;
}

bool wasteToFoundation(Table& t) {
  Position& p = t.position;
  if (p.waste.empty()) return false;
  const int f = foundationFor(p, p.waste.back());
  if (f < 0) return false;
  p.foundation[f] = p.waste.back();
  p.waste.pop_back();
  return true;
}

bool wasteToColumn(Table& t, int target) {
  Position& p = t.position;
  if (p.waste.empty() || !fitsColumn(p.columns[target], p.waste.back(), 1)) return false;
  p.columns[target].cards.push_back(p.waste.back());
  p.waste.pop_back();
  return true;
}

bool columnToFoundation(Table& t, int c) {
  Position::Column& column = t.position.columns[c];
  if (static_cast<std::size_t>(column.faceDown) >= column.cards.size()) return false;
  const int f = foundationFor(t.position, column.cards.back());
  if (f < 0) return false;
  t.position.foundation[f] = column.cards.back();
  column.cards.pop_back();
  turnLastCard(column);
  return true;
}

// The cards of column c from row down onto column target.
bool columnToColumn(Table& t, int c, int row, int target) {
  Position::Column& from = t.position.columns[c];
  Position::Column& to = t.position.columns[target];
  const auto size = static_cast<int>(from.cards.size());
  if (c == target || row < from.faceDown || row >= size) return false;
  if (t.level == Level::Hard && row != from.faceDown) return false;
  if (!fitsColumn(to, from.cards[row], static_cast<std::size_t>(size - row))) return false;
  to.cards.insert(to.cards.end(), from.cards.begin() + row, from.cards.end());
  from.cards.resize(static_cast<std::size_t>(row));
  turnLastCard(from);
  return true;
}

std::string keyOf(const Table& t) {
  std::string key;
  const Position& p = t.position;
  for (const Position::Column& column : p.columns) {
    key += static_cast<char>(column.faceDown);
    key.append(column.cards.begin(), column.cards.end());
    key += '|';
  }
  key.append(p.stock.begin(), p.stock.end());
  key += '|';
  key.append(p.waste.begin(), p.waste.end());
  key += '|';
  key.append(std::begin(p.foundation), std::end(p.foundation));
  key += static_cast<char>(t.refillsLeft);
  return key;
}

}  // namespace

std::vector<Table> successors(const Table& table) {
  std::vector<Table> out;
  const auto tryMove = [&](auto&& move) {
    Table next = table;
    if (move(next)) out.push_back(std::move(next));
  };
  tryMove(pressStock);
  tryMove(wasteToFoundation);
  for (int c = 0; c < 7; ++c) {
    tryMove([c](Table& t) { return wasteToColumn(t, c); });
    tryMove([c](Table& t) { return columnToFoundation(t, c); });
    const Position::Column& column = table.position.columns[c];
    for (int row = column.faceDown; row < static_cast<int>(column.cards.size()); ++row)
      for (int target = 0; target < 7; ++target) {
        // A King from row 0 to an empty column changes nothing.
        if (row == 0 && table.position.columns[target].cards.empty()) continue;
        tryMove([=](Table& t) { return columnToColumn(t, c, row, target); });
      }
  }
  return out;
}

bool apply(Table& t, const Move& m) {
  switch (m.kind) {
    case MoveKind::Stock: return pressStock(t);
    case MoveKind::Flip: return true;  // this model turns the last card at once
    case MoveKind::WasteToFoundation: return wasteToFoundation(t);
    case MoveKind::WasteToColumn: return wasteToColumn(t, m.target);
    case MoveKind::ColumnToFoundation:
      return m.row + 1 == static_cast<int>(t.position.columns[m.column].cards.size()) &&
             columnToFoundation(t, m.column);
    case MoveKind::ColumnToColumn: return columnToColumn(t, m.column, m.row, m.target);
  }
  return false;
}

bool playRandomMove(Table& table, std::mt19937& random) {
  std::vector<Table> next = successors(table);
  if (next.empty()) return false;
  table = next[std::uniform_int_distribution<std::size_t>(0, next.size() - 1)(random)];
  return true;
}

bool isWon(const Table& table) {
  for (std::uint8_t top : table.position.foundation)
    if (top == kNoCard || rankOf(top) != 12) return false;
  return true;
}

Outcome search(const Table& start, std::size_t maxTables) {
  std::unordered_set<std::string> seen{keyOf(start)};
  std::vector<Table> open{start};
  while (!open.empty()) {
    const Table table = std::move(open.back());
    open.pop_back();
    if (isWon(table)) return Outcome::Won;
    for (Table& next : successors(table)) {
      if (!seen.insert(keyOf(next)).second) continue;
      if (seen.size() > maxTables) return Outcome::Undecided;
      open.push_back(std::move(next));
    }
  }
  return Outcome::Lost;
}

}  // namespace solver::reference
