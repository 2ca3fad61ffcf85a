#pragma once
// The row of sunken text panels in the table window's status bar.
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <span>
#include <vector>

namespace shell {

// The row places its panels itself instead of through a layout: a panel whose text changes (the
// clock, every second) then repaints alone, where a layout would lay out the status bar again and
// repaint all of it.
class StatusPanels : public QWidget {
 public:
  // One panel per width, side by side from the left; the last one takes the rest of the row, at
  // least its width.
  StatusPanels(std::span<const int> widths, std::span<const char* const> texts);

  QLabel* panel(std::size_t index) const { return panels_.at(index); }
  // A passing note over the panels from `firstPanel` to the right end, for a few seconds.
  void showNote(const QString& text, std::size_t firstPanel);
  QString note() const { return note_->isVisible() ? note_->text() : QString(); }
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::vector<int> widths_;
  std::vector<QLabel*> panels_;
  QLabel* note_;
  std::size_t noteFrom_ = 0;
  QTimer noteTimer_;
  void placeNote();
};

}  // namespace shell
