#pragma once
// Drawing pieces shared by the game's pictures.
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

enum class Suit { Spades, Hearts, Diamonds, Clubs };

QFont pictureFont(const QString& family, double pixelSize, bool bold = false, bool italic = false);

// Text with a soft drop shadow below and to the right of it.
void drawShadowedText(QPainter& painter, const QRectF& box, int alignment, const QString& text,
                      const QColor& colour, const QColor& shadow, double offset = 1.5);

// A playing card face with its rank and suit in the top-left corner and a large pip in the
// middle, turned by `degrees` about its centre.
void drawCard(QPainter& painter, const QRectF& card, double degrees, const QString& rank,
              Suit suit);

// A suit sign centred on `centre`, `size` pixels high, in the suit's colour or the given one.
void drawSuit(QPainter& painter, QPointF centre, double size, Suit suit,
              const QColor& colour = QColor());

// A firework burst: rays of sparks that fade outwards from `centre`.
void drawFirework(QPainter& painter, QPointF centre, double radius, const QColor& colour, int rays);

// A radial gradient from `inner` in the middle of `area` to `outer` at its corners.
void fillGlow(QPainter& painter, const QRectF& area, const QColor& inner, const QColor& outer);
