#pragma once
// Game > Statistics: a table of the games played, won and the streaks, best score and fastest win
// of every Klondike level and score mode and of Quatro, with a reset that asks first.
#include <QDialog>

#include "results/statistics_file.h"

class QTableWidget;

namespace results {

class StatisticsWindow : public QDialog {
  Q_OBJECT

 public:
  // `file` is owned by the caller and outlives the window.
  explicit StatisticsWindow(StatisticsFile& file, QWidget* parent = nullptr);

  void showModal();  // fills the table from the file's statistics and shows it modally
  void askReset();   // the Reset button: after a Yes the statistics start afresh
  QTableWidget& table();

 private:
  // The table and its buttons are made when first needed: the table measures its headers in a
  // bold face as it is made, which would load another font file at start.
  void createContents();
  void fill();

  StatisticsFile& file_;
  QTableWidget* table_ = nullptr;
};

}  // namespace results
