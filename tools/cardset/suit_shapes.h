#pragma once
// The four suit symbols as filled outlines, and the suit order and colours of our decks.
#include <QColor>
#include <QPainter>
#include <QPainterPath>

namespace cardset {

// Suit numbers as the card code uses them: value = rank * 4 + suit.
enum Suit { Clubs = 0, Diamonds = 1, Hearts = 2, Spades = 3 };

// Clubs and spades are black, diamonds and hearts red.
bool IsRed(int suit);
QColor SuitColour(int suit);

// The symbol centred on (0, 0), 1 unit wide and about 1.1 units high.
QPainterPath SuitPath(int suit);

// Fills the symbol `size` pixels wide around `centre`, turned round when `upsideDown`.
void DrawSuit(QPainter& painter, int suit, QPointF centre, double size, QColor colour,
              bool upsideDown = false);

}  // namespace cardset
