#include "shell/status_panels.h"

#include <algorithm>
#include <numeric>

namespace shell {

namespace {
constexpr int kNoteMs = 6000;
}

StatusPanels::StatusPanels(std::span<const int> widths, std::span<const char* const> texts)
    : widths_(widths.begin(), widths.end()) {
  for (std::size_t i = 0; i < widths_.size(); ++i) {
    auto* label = new QLabel(i < texts.size() ? texts[i] : "", this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(widths_[i]);
    if (i + 1 < widths_.size()) label->setFixedWidth(widths_[i]);
    panels_.push_back(label);
  }
  note_ = new QLabel(this);
  note_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  note_->setAutoFillBackground(true);
  note_->hide();
  noteTimer_.setSingleShot(true);
  noteTimer_.setInterval(kNoteMs);
  connect(&noteTimer_, &QTimer::timeout, note_, &QWidget::hide);
}

void StatusPanels::showNote(const QString& text, std::size_t firstPanel) {
  noteFrom_ = std::min(firstPanel, panels_.size() - 1);
  note_->setText(text);
  placeNote();
  note_->raise();
  note_->show();
  noteTimer_.start();
}

void StatusPanels::placeNote() {
  const QRect from = panels_[noteFrom_]->geometry();
  note_->setGeometry(from.left(), 0, width() - from.left(), height());
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
  placeNote();
  QWidget::resizeEvent(event);
}

}  // namespace shell
