#include "results/clickable_label.h"

#include <QMouseEvent>

void ClickableLabel::mousePressEvent(QMouseEvent* event) { event->accept(); }

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
}
