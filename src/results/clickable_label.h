#pragma once
// A label that reports a click of the left button released over it: the About box's author
// names, links and portraits, and the end-of-game picture.
#include <QLabel>

namespace results {

class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace results
