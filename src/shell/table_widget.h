#pragma once
// The table: the central widget of the table window. It paints the game from the model and hands
// the pointer events to the rules.
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <vector>

#include "cards/table_painter.h"
#include "game/keyboard_focus.h"

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

  // Marks a rectangle for repainting; repaintPending() paints everything marked, now.
  void invalidateRect(const QRect& r);
  void repaintPending();

  // The frames of a hinted move, drawn until replaced (by none to take them away).
  void setHintFrames(std::vector<game::Rect> frames);
  const std::vector<game::Rect>& hintFrames() const { return hintFrames_; }

  // Paints the table's picture inside `source` into the drag image at (0, 0).
  void grabDragImage(const QRect& source);

  // Paints the part `dirty` of the table with `p` (the paint handler and the drag image use it).
  void paintTable(QPainter& p, const QRegion& dirty) const;

  // Called after every press, release and key that may have moved a card.
  std::function<void()> afterInput;
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

 private:
  game::GameEngine& engine_;
  const cards::CardArt& art_;
  cards::TableColours colours_;
  QImage dragImage_;  // 88 x 600: the dragged card or run; null before the first drag
  QRegion pending_;
  game::Place focus_{game::kStockColumn, game::kRows * 2};  // the stock, or Quatro's current card
  bool focusVisible_ = false;
  QRect focusDrawn_;  // where the focus frame was last painted

  void showFocus(bool visible);
  QRect focusRect() const;
  std::vector<game::Rect> hintFrames_;
};

}  // namespace shell
