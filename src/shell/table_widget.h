#pragma once
// The table: the central widget of the table window. It paints the game from the model and hands
// the pointer events to the rules. A zoomed table is painted through a scale and a centring
// offset; the rules and the hit-testing keep their table pixels.
#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QTransform>
#include <QWidget>
#include <vector>

#include "cards/table_painter.h"
#include "game/keyboard_focus.h"
#include "shell/card_glide.h"

namespace game {
class GameEngine;
}

namespace shell {

class TableWidget : public QWidget {
  Q_OBJECT

 public:
  TableWidget(game::GameEngine& engine, const cards::CardArt& art, QWidget* parent = nullptr);

  // Colours of the table (background, empty places, highlights, selection frame); `repaintAll`
  // repaints the whole table in them.
  void setColours(const cards::TableColours& colours, bool repaintAll = true);
  const cards::TableColours& colours() const { return colours_; }

  // The zoom: `zoom` widget pixels per table pixel, or 0 to fit the table into the widget. A
  // widget too small for the zoom shows the table fitted; the table stays centred, the rest of the
  // widget in the table colour. `tableSize` is the table's size at 100%.
  void setZoom(qreal zoom, QSize tableSize);
  qreal scale() const { return toWidget_.m11(); }
  // Device pixels per table pixel: the zoom times the screen's pixel ratio.
  qreal deviceFactor() const { return scale() * devicePixelRatio(); }
  // A widget position as the table point under it, and a table rectangle as the widget pixels
  // that show it (rounded outward).
  QPoint toTable(QPointF widgetPos) const;
  QRect toWidget(const QRect& tableRect) const;

  // Marks a rectangle of the table for repainting; repaintPending() paints everything marked, now.
  void invalidateRect(const QRect& r);
  void invalidateAll();
  void repaintPending();

  // The frames of a hinted move, drawn until replaced (by none to take them away).
  void setHintFrames(std::vector<game::Rect> frames);
  const std::vector<game::Rect>& hintFrames() const { return hintFrames_; }

  // Paints the table's picture inside `source` into the drag image at (0, 0).
  void grabDragImage(const QRect& source);

  // Paints the part `dirty` of the table with `p` (the paint handler and the drag image use it).
  void paintTable(QPainter& p, const QRegion& dirty) const;

  // Lets the cards that moved from `before` to the rules' table now glide there (with animations
  // on, in Klondike); a glide under way ends first, unless the table is as `before`. Any press or
  // key ends a glide at once.
  void glideFrom(const game::GameTable& before);
  void finishGlide();
  bool gliding() const { return glide_.active(); }
  const CardGlide& glide() const { return glide_; }
  bool animations = true;  // Options > Animations
  // The keyboard's focus frame: shown by the keys, hidden by the mouse.
  bool focusVisible() const { return focusVisible_; }
  game::Place focusPlace() const { return focus_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  game::GameEngine& engine_;
  const cards::CardArt& art_;
  cards::TableColours colours_;
  QImage dragImage_;  // the dragged card or run in device pixels; made on the first drag, since
                      // most games never drag
  QRegion pending_;   // in widget pixels
  qreal zoom_ = 1;
  QSize tableSize_;
  QTransform toWidget_;  // table pixels to widget pixels
  mutable cards::ScaledSheet scaledArt_;
  // The SVG deck and the size of its cards asked for last.
  mutable QSize cardsRequested_;
  mutable std::weak_ptr<const cards::SvgDeck> cardsRequestedFrom_;
  void drawCardsLater() const;
  game::Place focus_{game::kStockColumn, game::kRows * 2};  // the stock, or Quatro's current card
  bool focusVisible_ = false;
  QRect focusDrawn_;  // where the focus frame was last painted

  void updateScale();
  // Asks Qt to repaint the widget pixels that show a table rectangle (outside repaintPending()).
  void updateTable(const QRect& tableRect);
  void showFocus(bool visible);
  QRect focusRect() const;
  std::vector<game::Rect> hintFrames_;
  CardGlide glide_;
  QTimer glideFrames_;
};

}  // namespace shell
