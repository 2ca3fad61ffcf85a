#pragma once
// Geometry of the table, shared by the rules, the hit-testing and the painter: the card size, the
// place rectangles of both rule sets on every screen class, the Quatro places and the selection
// frame. Toolkit-free.
#include <array>
#include <cstdint>

#include "game/rule_state.h"

namespace game {

constexpr int kCardWidth = 88;
constexpr int kCardHeight = 130;
constexpr int kColumnPitch = 90;  // a card and the 2-pixel gap right of it
// A press more than this far below the top of a card lies below it: it starts no drag.
constexpr int kGrabbableHeight = kCardHeight - 3;

// Window rectangle in client pixels, right and bottom exclusive.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

// A place of the table: screen column and row (Klondike: tableau rows, or the layout's bottomRow).
struct Place {
  int column = 0, row = 0;
  bool operator==(const Place&) const = default;
};

// The piles of the Klondike bottom row, by screen column: stock, waste, a gap, four foundations.
constexpr int kStockColumn = 0;
constexpr int kWasteColumn = 1;
constexpr int kGapColumn = 2;
constexpr int kFirstFoundationColumn = 3;

// Quatro: the current card left of a 4 x 4 grid whose column g is screen column g + 2.
constexpr int kQuatroFirstGridColumn = 2;
constexpr Place kQuatroCurrentCard{0, 1};
constexpr Place quatroGridPlace(int gridColumn, int row) {
  return {gridColumn + kQuatroFirstGridColumn, row};
}

// Where the places lie: place (column, row) starts at (originX + column * kColumnPitch,
// originY + row * rowStep). In Klondike, row bottomRow holds stock, waste and foundations.
struct TableLayout {
  int originX = 5, originY = 5, rowStep = 15, bottomRow = 26;
  bool operator==(const TableLayout&) const = default;

  Rect placeRect(int column, int row) const;
  // From the top of place (column, fromRow) to the bottom of the column's last possible row.
  Rect columnRect(int column, int fromRow) const;
  // Height of a fanned run of `cards` cards.
  int runHeight(int cards) const { return (cards - 1) * rowStep + kCardHeight; }
  // Table area of Klondike presses, both ends included.
  bool insideKlondikeArea(int x, int y) const;
  // The place under a client point (integer division toward zero; gaps belong to the place left
  // of and above them).
  Place hitPlace(int x, int y) const;
  // The selection frame's path around `cards` cards from `top` down: its corners are (left, top)
  // and (right, bottom), one pixel outside the cards and one below the last.
  Rect selectionFrame(Place top, int cards) const;
};

// The layouts on a screen of class 1 (up to 640 x 480), 2 (up to 800 x 600) or 3. Quatro, which
// needs a screen of class 2 or 3, keeps Klondike's bottomRow of that class.
TableLayout klondikeLayout(int screenClass);
TableLayout quatroLayout(int screenClass);

// The four strips that a repaint of the selection frame `frame` needs: its 2-pixel pen paints
// one pixel either side of each line, and the strips reach one pixel further.
std::array<Rect, 4> selectionFrameStrips(const Rect& frame);
// The rectangle that holds all four strips.
Rect selectionFrameArea(const Rect& frame);

}  // namespace game
