#include "shell/table_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <array>

#include "game/game_engine.h"

namespace shell {
namespace {

constexpr int kDragImageHeight = 600;

game::MouseButton buttonOf(Qt::MouseButton b) {
  if (b == Qt::LeftButton) return game::MouseButton::Left;
  if (b == Qt::RightButton) return game::MouseButton::Right;
  return game::MouseButton::Other;
}

}  // namespace

TableWidget::TableWidget(game::GameEngine& engine, const cards::CardArt& art, QWidget* parent)
    : QWidget(parent),
      engine_(engine),
      art_(art),
      dragImage_(game::kCardWidth, kDragImageHeight, QImage::Format_RGB32) {
  dragImage_.fill(Qt::black);
  // The paint handler covers every pixel it is asked for, background included.
  setAttribute(Qt::WA_OpaquePaintEvent);
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
  const cards::TableScene scene{engine_.table(), klondike, art_, colours_, highlighted,
                                &dragImage_, hintFrames_};
  cards::paintTable(p, dirty, scene);
}

void TableWidget::paintEvent(QPaintEvent* event) {
  pending_ -= event->region();
  QPainter p(this);
  paintTable(p, event->region());
}

void TableWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  engine_.mouseDown(buttonOf(event->button()), pos.x(), pos.y());
}

void TableWidget::mouseMoveEvent(QMouseEvent* event) {
  // While a button is held Qt keeps sending the moves here, also from outside the table.
  const QPoint pos = event->position().toPoint();
  engine_.mouseMove(event->buttons() & Qt::LeftButton, rect().contains(pos), pos.x(), pos.y());
}

void TableWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  engine_.mouseUp(buttonOf(event->button()), pos.x(), pos.y());
}

}  // namespace shell
