#include "shell/table_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "game/game_engine.h"

namespace shell {
namespace {

const QColor kFocusColour(255, 200, 0);  // unlike any selection colour's usual choice: dashed
// The focus frame's pen lies inside the frame, so that a repaint of the frame covers it.
constexpr int kFocusPenWidth = 2;

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
  glideFrames_.setInterval(15);
  connect(&glideFrames_, &QTimer::timeout, this, [this] {
    if (glide_.finished()) finishGlide();
    update();
  });
}

void TableWidget::glideFrom(const game::GameTable& before) {
  // A release after the press that moved a card changes nothing: the card glides on.
  if (game::ruleStateOf(before) == game::ruleStateOf(engine_.table())) return;
  finishGlide();
  if (!animations || engine_.menu().ruleSet != game::RuleSet::Klondike ||
      !glide_.start(before, engine_.table()))
    return;
  glideFrames_.start();
  update();
}

void TableWidget::finishGlide() {
  if (!glide_.active()) return;
  glide_.stop();
  glideFrames_.stop();
  update();
}

void TableWidget::setColours(const cards::TableColours& colours, bool repaintAll) {
  colours_ = colours;
  if (repaintAll) update();
}

void TableWidget::setZoom(qreal zoom, QSize tableSize) {
  zoom_ = zoom;
  tableSize_ = tableSize;
  updateScale();
}

void TableWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  updateScale();
}

void TableWidget::updateScale() {
  QTransform t;
  if (zoom_ != 1 && !tableSize_.isEmpty()) {
    const qreal fit =
        std::min(qreal(width()) / tableSize_.width(), qreal(height()) / tableSize_.height());
    const qreal s = zoom_ > 0 ? std::min(zoom_, fit) : fit;
    t = QTransform(s, 0, 0, s, int((width() - tableSize_.width() * s) / 2),
                   int((height() - tableSize_.height() * s) / 2));
  }
  if (t == toWidget_) return;
  toWidget_ = t;
  pending_ = QRegion();
  update();
}

QPoint TableWidget::toTable(QPointF widgetPos) const {
  // The table pixel under the centre of the widget pixel; at 100% this rounds as Qt's toPoint.
  const qreal s = scale();
  return {int(std::floor((widgetPos.x() + 0.5 - toWidget_.dx()) / s)),
          int(std::floor((widgetPos.y() + 0.5 - toWidget_.dy()) / s))};
}

QRect TableWidget::toWidget(const QRect& tableRect) const {
  return toWidget_.isIdentity() ? tableRect : toWidget_.mapRect(QRectF(tableRect)).toAlignedRect();
}

void TableWidget::updateTable(const QRect& tableRect) { update(toWidget(tableRect)); }

void TableWidget::invalidateRect(const QRect& r) {
  const QRect area = toWidget(r);
  pending_ += area;
  update(area);
}

void TableWidget::invalidateAll() {
  pending_ += rect();
  update();
}

void TableWidget::repaintPending() {
  if (pending_.isEmpty()) return;
  const QRegion region = pending_;
  pending_ = QRegion();
  repaint(region);
}

void TableWidget::setHintFrames(std::vector<game::Rect> frames) {
  for (const auto* list : {&hintFrames_, &frames})
    for (const game::Rect& f : *list) updateTable(cards::toQRect(game::selectionFrameArea(f)));
  hintFrames_ = std::move(frames);
}

void TableWidget::grabDragImage(const QRect& source) {
  const qreal f = deviceFactor();
  // Kept for later drags: made anew only for a larger run or zoom.
  const QSize size(cards::deviceLength(source.width(), f), cards::deviceLength(source.height(), f));
  if (!dragImage_.rect().contains(QRect(QPoint(), size))) {
    dragImage_ = QImage(size.expandedTo(dragImage_.size()), QImage::Format_RGB32);
    dragImage_.fill(Qt::black);
  }
  QPainter p(&dragImage_);
  if (f != 1) p.scale(f, f);
  p.translate(-source.topLeft());
  paintTable(p, QRegion(source));
}

void TableWidget::paintTable(QPainter& p, const QRegion& dirty) const {
  std::array<QPoint, 4> targets;
  game::Targets places;
  const int targetCount = engine_.targets(places);
  for (int i = 0; i < targetCount; ++i) targets[i] = QPoint(places[i].column, places[i].row);
  const bool klondike = engine_.menu().ruleSet == game::RuleSet::Klondike;
  const std::span<const QPoint> highlighted(targets.data(), targetCount);
  const qreal f = deviceFactor();
  if (f != 1) {
    scaledArt_.prepare(art_, colours_.emptyPlace, f);
    drawCardsLater();
  }
  const bool gliding = glide_.active() && klondike && glide_.leadsTo(engine_.table());
  const std::vector<cards::FloatingCard> floating =
      gliding ? glide_.cardsNow() : std::vector<cards::FloatingCard>();
  const cards::TableScene scene{gliding ? glide_.shownTable() : engine_.table(),
                                klondike,
                                art_,
                                colours_,
                                highlighted,
                                &dragImage_,
                                hintFrames_,
                                f != 1 ? &scaledArt_ : nullptr,
                                floating};
  cards::paintTable(p, dirty, scene);
}

// An SVG deck draws its cards for a new size on a worker thread, so that a zoom never waits for
// it; the table shows them scaled meanwhile and repaints once they are drawn.
void TableWidget::drawCardsLater() const {
  if (!scaledArt_.waitsForDrawnCards() ||
      (cardsRequested_ == scaledArt_.cellSize() && cardsRequestedFrom_.lock() == art_.vectors))
    return;
  cardsRequested_ = scaledArt_.cellSize();
  cardsRequestedFrom_ = art_.vectors;
  auto* self = const_cast<TableWidget*>(this);
  art_.vectors->drawSheetLater(cardsRequested_).then(self, [self] { self->update(); });
}

void TableWidget::paintEvent(QPaintEvent* event) {
  pending_ -= event->region();
  QPainter p(this);
  QRegion dirty = event->region();
  if (!toWidget_.isIdentity()) {
    // The table pixels behind the widget pixels asked for, rounded outward; around a fitted
    // table they lie outside it and are painted in the table colour.
    const QTransform toTable = toWidget_.inverted();
    dirty = QRegion();
    for (const QRect& r : event->region()) dirty += toTable.mapRect(QRectF(r)).toAlignedRect();
    p.setTransform(toWidget_);
  }
  paintTable(p, dirty);
  if (!focusVisible_) return;
  const QRect frame = focusRect();
  if (frame != focusDrawn_) updateTable(focusDrawn_.united(frame));  // the cards under it moved
  focusDrawn_ = frame;
  p.setPen(QPen(kFocusColour, kFocusPenWidth, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  constexpr int inset = kFocusPenWidth / 2;
  p.drawRect(frame.adjusted(inset, inset, -inset, -inset));
}

QRect TableWidget::focusRect() const {
  return cards::toQRect(game::focusFrame(engine_.table(), engine_.menu().ruleSet, focus_));
}

void TableWidget::showFocus(bool visible) {
  if (visible == focusVisible_ && !visible) return;
  updateTable(focusDrawn_);
  focusVisible_ = visible;
  if (visible) updateTable(focusRect());
}

void TableWidget::keyPressEvent(QKeyEvent* event) {
  finishGlide();
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
      const game::GameTable before = t;
      engine_.keyPress(focus_);
      glideFrom(before);
      break;
    }
    case Qt::Key_Escape: engine_.cancelSelection(); break;
    default: QWidget::keyPressEvent(event); return;
  }
  showFocus(true);
}

void TableWidget::mousePressEvent(QMouseEvent* event) {
  finishGlide();
  showFocus(false);
  const QPoint pos = toTable(event->position());
  const game::GameTable before = engine_.table();
  engine_.mouseDown(buttonOf(event->button()), pos.x(), pos.y());
  glideFrom(before);  // a card laid down by a click, or sent home by autodrop
}

void TableWidget::mouseMoveEvent(QMouseEvent* event) {
  // While a button is held Qt keeps sending the moves here, also from outside the table.
  const QPoint pos = toTable(event->position());
  const bool inside = rect().contains(event->position().toPoint());
  engine_.mouseMove(event->buttons() & Qt::LeftButton, inside, pos.x(), pos.y());
}

void TableWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = toTable(event->position());
  const game::GameTable before = engine_.table();
  engine_.mouseUp(buttonOf(event->button()), pos.x(), pos.y());
  glideFrom(before);  // the cards autodrop sends home after a drop
}

// Qt sends the second press of a double click here; unless it sends a card home it is a press.
void TableWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  finishGlide();
  const QPoint pos = toTable(event->position());
  const game::GameTable before = engine_.table();
  if (engine_.doubleClick(buttonOf(event->button()), pos.x(), pos.y()))
    glideFrom(before);
  else
    mousePressEvent(event);
}

}  // namespace shell
