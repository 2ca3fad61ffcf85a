#include "results/statistics_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace results {

namespace {

const QStringList kHeaders = {"Played",         "Won",        "Win rate",   "Streak",
                              "Longest streak", "Best score", "Fastest win"};

QString orDash(const std::optional<int>& v, QString (*format)(int)) {
  return v ? format(*v) : QStringLiteral("-");
}

QString number(int v) { return QString::number(v); }
QString minutes(int seconds) {
  return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

StatisticsWindow::StatisticsWindow(StatisticsFile& file, QWidget* parent)
    : QDialog(parent), file_(file) {
  setWindowTitle("Statistics");
  resize(760, 400);
}

QTableWidget& StatisticsWindow::table() {
  createContents();
  return *table_;
}

void StatisticsWindow::createContents() {
  if (table_ != nullptr) return;
  table_ = new QTableWidget(game::kStatisticsKinds, 7, this);
  table_->setHorizontalHeaderLabels(kHeaders);
  table_->horizontalHeaderItem(int(kHeaders.size()) - 1)
      ->setToolTip(
          "On the game clock (Normal and Timed) as the status bar shows it; otherwise from "
          "the first move to the win");
  QStringList kinds;
  for (int k = 0; k < game::kStatisticsKinds; ++k)
    kinds << QString::fromStdString(game::statisticsKindName(k));
  table_->setVerticalHeaderLabels(kinds);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->setFocusPolicy(Qt::NoFocus);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* reset = buttons->addButton("&Reset", QDialogButtonBox::ResetRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(reset, &QPushButton::clicked, this, &StatisticsWindow::askReset);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addWidget(buttons);
}

void StatisticsWindow::fill() {
  createContents();
  for (int k = 0; k < game::kStatisticsKinds; ++k) {
    const game::GameRecord& r = file_.statistics()[k];
    const QString cells[] = {number(r.played),
                             number(r.won),
                             number(game::winRate(r)) + " %",
                             number(r.streak),
                             number(r.longestStreak),
                             orDash(r.bestScore, number),
                             orDash(r.fastestWin, minutes)};
    for (int c = 0; c < int(std::size(cells)); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(k, c, item);
    }
  }
}

void StatisticsWindow::showModal() {
  fill();
  exec();
}

void StatisticsWindow::askReset() {
  const auto answer =
      QMessageBox::question(this, "Statistics", "Forget the statistics of all games played?");
  if (answer != QMessageBox::Yes) return;
  file_.reset();
  fill();
}

}  // namespace results
