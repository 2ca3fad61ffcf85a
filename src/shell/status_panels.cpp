#include "shell/status_panels.h"

#include <algorithm>
#include <numeric>

namespace shell {

StatusPanels::StatusPanels(std::span<const int> widths, std::span<const char* const> texts)
    : widths_(widths.begin(), widths.end()) {
  for (std::size_t i = 0; i < widths_.size(); ++i) {
    auto* label = new QLabel(i < texts.size() ? texts[i] : "", this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(widths_[i]);
    if (i + 1 < widths_.size()) label->setFixedWidth(widths_[i]);
    panels_.push_back(label);
  }
}

// As a row layout would size it: the fixed panels' widths, the last panel's own width at least.
QSize StatusPanels::sizeHint() const {
  QSize size = minimumSizeHint();
  if (!panels_.empty())
    size.rwidth() += std::max(0, panels_.back()->sizeHint().width() - widths_.back());
  for (const QLabel* label : panels_)
    size.setHeight(std::max(size.height(), label->sizeHint().height()));
  return size;
}

QSize StatusPanels::minimumSizeHint() const {
  int height = 0;
  for (const QLabel* label : panels_) height = std::max(height, label->minimumSizeHint().height());
  return {std::accumulate(widths_.begin(), widths_.end(), 0), height};
}

void StatusPanels::resizeEvent(QResizeEvent* event) {
  int x = 0;
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    const int width = i + 1 < panels_.size() ? widths_[i] : std::max(widths_[i], this->width() - x);
    panels_[i]->setGeometry(x, 0, width, height());
    x += width;
  }
  QWidget::resizeEvent(event);
}

}  // namespace shell
