#include "shell/table_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <array>

#include "game/game_engine.h"

namespace shell {
namespace {

constexpr int kDragImageHeight = 600;
const QColor kFocusColour(255, 200, 0);  // unlike any selection colour's usual choice: dashed

game::MouseButton buttonOf(Qt::MouseButton b) {
  if (b == Qt::LeftButton) return game::MouseButton::Left;
  if (b == Qt::RightButton) return game::MouseButton::Right;
  return game::MouseButton::Other;
}

}  // namespace

TableWidget::TableWidget(game::GameEngine& engine, const cards::CardArt& art, QWidget* parent)
    : QWidget(parent), engine_(engine), art_(art) {
  // The paint handler covers every pixel it is asked for, background included.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void TableWidget::setColours(const cards::TableColours& colours, bool repaintAll) {
  colours_ = colours;
  if (repaintAll) update();
}

void TableWidget::invalidateRect(const QRect& r) {
  pending_ += r;
  update(r);
}

void TableWidget::repaintPending() {
  if (pending_.isEmpty()) return;
  const QRegion region = pending_;
  pending_ = QRegion();
  repaint(region);
}

void TableWidget::setHintFrames(std::vector<game::Rect> frames) {
  for (const auto* list : {&hintFrames_, &frames})
    for (const game::Rect& f : *list) update(cards::toQRect(game::selectionFrameArea(f)));
  hintFrames_ = std::move(frames);
}

void TableWidget::grabDragImage(const QRect& source) {
  if (dragImage_.isNull()) {  // made on the first drag: most games never drag
    dragImage_ = QImage(game::kCardWidth, kDragImageHeight, QImage::Format_RGB32);
    dragImage_.fill(Qt::black);
  }
  QPainter p(&dragImage_);
  p.translate(-source.topLeft());
  paintTable(p, QRegion(source));
}

void TableWidget::paintTable(QPainter& p, const QRegion& dirty) const {
  std::array<QPoint, 4> targets;
  int targetCount = 0;
  const bool klondike = engine_.menu().ruleSet == game::RuleSet::Klondike;
  if (!klondike) {
    int columns[4], rows[4];
    targetCount = engine_.quatroTargets(columns, rows);
    for (int i = 0; i < targetCount; ++i) targets[i] = QPoint(columns[i], rows[i]);
  }
  const std::span<const QPoint> highlighted(targets.data(), targetCount);
  const cards::TableScene scene{engine_.table(), klondike,    art_,       colours_,
                                highlighted,     &dragImage_, hintFrames_};
  cards::paintTable(p, dirty, scene);
}

void TableWidget::paintEvent(QPaintEvent* event) {
  pending_ -= event->region();
  QPainter p(this);
  paintTable(p, event->region());
  if (!focusVisible_) return;
  const QRect frame = focusRect();
  if (frame != focusDrawn_) update(focusDrawn_.united(frame));  // the cards under it moved
  focusDrawn_ = frame;
  p.setPen(QPen(kFocusColour, 2, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(frame.adjusted(1, 1, -1, -1));
}

QRect TableWidget::focusRect() const {
  return cards::toQRect(game::focusFrame(engine_.table(), engine_.menu().ruleSet, focus_));
}

void TableWidget::showFocus(bool visible) {
  if (visible == focusVisible_ && !visible) return;
  update(focusDrawn_);
  focusVisible_ = visible;
  if (visible) update(focusRect());
}

void TableWidget::keyPressEvent(QKeyEvent* event) {
  const game::RuleSet rules = engine_.menu().ruleSet;
  const game::GameTable& t = engine_.table();
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
      using game::FocusMove;
      const FocusMove move = event->key() == Qt::Key_Left    ? FocusMove::Left
                             : event->key() == Qt::Key_Right ? FocusMove::Right
                             : event->key() == Qt::Key_Up    ? FocusMove::Up
                                                             : FocusMove::Down;
      // The first key shows the frame where it was; the next ones move it.
      focus_ = focusVisible_ ? game::moveFocus(t, rules, focus_, move)
                             : game::validFocus(t, rules, focus_);
      break;
    }
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      focus_ = game::validFocus(t, rules, focus_);
      const game::Point at = game::focusPressPoint(t, rules, focus_);
      engine_.keyPress(at.x, at.y);
      break;
    }
    case Qt::Key_Escape: engine_.dropPickUp(); break;
    default: QWidget::keyPressEvent(event); return;
  }
  showFocus(true);
  if (afterInput) afterInput();
}

void TableWidget::mousePressEvent(QMouseEvent* event) {
  showFocus(false);
  const QPoint pos = event->position().toPoint();
  engine_.mouseDown(buttonOf(event->button()), pos.x(), pos.y());
  if (afterInput) afterInput();
}

void TableWidget::mouseMoveEvent(QMouseEvent* event) {
  // While a button is held Qt keeps sending the moves here, also from outside the table.
  const QPoint pos = event->position().toPoint();
  engine_.mouseMove(event->buttons() & Qt::LeftButton, rect().contains(pos), pos.x(), pos.y());
}

void TableWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  engine_.mouseUp(buttonOf(event->button()), pos.x(), pos.y());
  if (afterInput) afterInput();
}

// Qt sends the second press of a double click here; unless it sends a card home it is a press.
void TableWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (!engine_.doubleClick(buttonOf(event->button()), pos.x(), pos.y())) mousePressEvent(event);
}

}  // namespace shell
