#pragma once
// The highscore window: the ten best results over a background picture, with a name box per
// place for the player to type the name of a new result into.
#include <QDialog>
#include <QImage>
#include <array>
#include <functional>
#include <string>

#include "results/highscore_list.h"

class QLabel;
class QLineEdit;

namespace results {

class HighscoreWindow : public QDialog {
  Q_OBJECT

 public:
  // `list` is owned by the caller and outlives the window; the file is written into `startDir`.
  HighscoreWindow(results::HighscoreList& list, std::string startDir, QWidget* parent = nullptr);

  // Game > "&Highscore list": shows the list modally; when the window is already open without
  // being modal (a name is being entered), brings it to the front instead.
  void showModalList();

  // Ranks a won game's result (its score and seconds on the clock). Below the ten best it calls
  // `showEndGame` and changes nothing; otherwise it places the result, shows the window without
  // making it modal and gives the name box of the new place the focus.
  void enterHighscore(int score, int seconds, const std::function<void()>& showEndGame);

  // The row (0..9) of the latest placed result, 10 when it did not make the list, 0 at start.
  int entryRow() const { return entryRow_; }

  void setVisible(bool visible) override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct Row {
    QLabel* name = nullptr;
    QLabel* time = nullptr;
    QLabel* score = nullptr;
    QLineEdit* nameEdit = nullptr;
  };

  // The rows are made when the window is first shown: their fonts are measured as they are made,
  // which would load three more font files at start, and many runs never show the list.
  void createRows();
  void createRow(int row);
  void centreOnDesktop();
  void fillRows();     // writes the 30 strings into the labels
  void nameEntered();  // Enter in any name box
  void firstNameClicked();
  void pictureClicked();

  results::HighscoreList& list_;
  const std::string startDir_;
  int entryRow_ = 0;
  QImage background_;
  std::array<Row, results::kHighscoreRows> rows_;
};

}  // namespace results
