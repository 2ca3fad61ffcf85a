// The highscore window: labels and name boxes over the background picture.
#include "results/highscore_window.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "platform/game_pictures.h"
#include "platform/jpeg_decoder.h"
#include "platform/message_box.h"
#include "platform/screen_metrics.h"
#include "results/highscore_layout.h"

namespace results {

namespace {

constexpr int kWidth = 351;
constexpr int kHeight = 451;

// Top of each place's name box, place 1 first: two or three pixels above its text line.
constexpr std::array<int, results::kHighscoreRows> kNameBoxY = {64,  102, 140, 177, 216,
                                                                254, 291, 329, 368, 405};

constexpr int kLineHeight = 16;
constexpr int kNameX = 88;
constexpr int kNameWidth = 112;  // up to the "T:" column
constexpr int kTimeX = 205;      // "T:"
constexpr int kTimeRight = 239;
constexpr int kScoreX = 255;  // "S:"
constexpr int kScoreRight = 289;
constexpr int kSmallestNumberPixels = 8;

const QColor kTextColour(20, 28, 56);

QFont textFont(bool bold) {
  QFont font("DejaVu Sans");
  font.setPixelSize(12);
  font.setBold(bold);
  return font;
}

// Times and scores get a narrow face: four digits fit between "T:" / "S:" and the right edge.
QFont numberFont(bool bold) {
  QFont font("DejaVu Sans Condensed");
  font.setPixelSize(11);
  font.setBold(bold);
  return font;
}

// A number fills the room between its "T:" / "S:" and its right edge: a long one is drawn smaller,
// and one still too long is cut short with an ellipsis rather than run over its neighbours.
void showNumber(QLabel* label, const QString& number) {
  QFont font = numberFont(false);
  for (int pixels = font.pixelSize(); pixels > kSmallestNumberPixels; --pixels) {
    if (QFontMetrics(font).horizontalAdvance(number) <= label->width()) break;
    font.setPixelSize(pixels - 1);
  }
  label->setFont(font);
  label->setText(QFontMetrics(font).elidedText(number, Qt::ElideRight, label->width()));
}

// The file holds names in a single-byte character set (Latin-1).
QString fromFileText(const std::string& bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A typed name in Latin-1: a letter outside it becomes its base letter when that is in Latin-1
// ("ř" gives "r"), a lone accent is dropped, anything else becomes "?".
std::string toFileText(const QString& text) {
  std::string bytes;
  for (const char32_t c : text.normalized(QString::NormalizationForm_C).toUcs4()) {
    if (c <= 0xFF) {
      bytes += static_cast<char>(c);
    } else if (QChar::category(c) == QChar::Mark_NonSpacing) {
      continue;
    } else {
      const QString base = QChar::decomposition(c);
      bytes += !base.isEmpty() && base[0].unicode() <= 0xFF ? base[0].toLatin1() : '?';
    }
  }
  return bytes;
}

}  // namespace

HighscoreWindow::HighscoreWindow(results::HighscoreList& list, std::string startDir,
                                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      list_(list),
      startDir_(std::move(startDir)) {
  setWindowTitle("Highscore list");
  setFixedSize(kWidth, kHeight);
}

void HighscoreWindow::createRows() {
  if (rows_[0].name != nullptr) return;
  for (int row = 0; row < results::kHighscoreRows; ++row) createRow(row);
  rows_[0].name->installEventFilter(this);
  rows_[0].name->setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

void HighscoreWindow::createRow(int row) {
  const int y = results::kHighscoreLineY[row];
  const auto addLabel = [&](const QString& text, const QRect& rect, const QFont& font,
                            Qt::Alignment align) {
    auto* label = new QLabel(text, this);
    label->setGeometry(rect);
    label->setFont(font);
    label->setAlignment(align | Qt::AlignVCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kTextColour);
    label->setPalette(palette);
    // A click on a label counts as a click on the picture beneath it.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
  };
  const int placeX = row == 9 ? 50 : 56;
  addLabel(QString("%1.").arg(row + 1), QRect(placeX, y, kNameX - placeX, kLineHeight),
           textFont(true), Qt::AlignLeft);
  addLabel("T:", QRect(kTimeX, y, 16, kLineHeight), numberFont(true), Qt::AlignLeft);
  addLabel("S:", QRect(kScoreX, y, 16, kLineHeight), numberFont(true), Qt::AlignLeft);
  // A number's column runs from a pixel right of its "T:" / "S:" to its right edge.
  const auto column = [&](int fixedX, const char* fixedText, int right) {
    const int left = fixedX + QFontMetrics(numberFont(true)).horizontalAdvance(fixedText) + 1;
    return QRect(left, y, right - left, kLineHeight);
  };

  Row& r = rows_[row];
  r.name = addLabel(QString(), QRect(kNameX, y, kNameWidth, kLineHeight), textFont(false),
                    Qt::AlignLeft);
  r.time = addLabel(QString(), column(kTimeX, "T:", kTimeRight), numberFont(false), Qt::AlignRight);
  r.score =
      addLabel(QString(), column(kScoreX, "S:", kScoreRight), numberFont(false), Qt::AlignRight);
  r.name->setObjectName(QString("nameLabel%1").arg(row + 1));
  r.time->setObjectName(QString("timeLabel%1").arg(row + 1));
  r.score->setObjectName(QString("scoreLabel%1").arg(row + 1));

  r.nameEdit = new QLineEdit(this);
  r.nameEdit->setObjectName(QString("nameEdit%1").arg(row + 1));
  r.nameEdit->setGeometry(kNameX, kNameBoxY[row], 110, 18);
  r.nameEdit->setMaxLength(15);
  QFont fixed("DejaVu Sans Mono");
  fixed.setStyleHint(QFont::Monospace);
  fixed.setPixelSize(10);
  r.nameEdit->setFont(fixed);
  r.nameEdit->setTextMargins(1, 0, 1, 0);
  QPalette palette = r.nameEdit->palette();
  palette.setColor(QPalette::Base, results::highscoreRowColour(row));
  palette.setColor(QPalette::Text, Qt::black);
  r.nameEdit->setPalette(palette);
  r.nameEdit->hide();
  connect(r.nameEdit, &QLineEdit::returnPressed, this, &HighscoreWindow::nameEntered);
}

void HighscoreWindow::centreOnDesktop() {
  const QRect area = platform::workArea();
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  platform::keepInsideWorkArea(this);
}

void HighscoreWindow::showModalList() {
  if (isVisible()) {
    raise();
    activateWindow();
    return;
  }
  fillRows();
  centreOnDesktop();
  exec();
}

void HighscoreWindow::enterHighscore(int score, int seconds,
                                     const std::function<void()>& showEndGame) {
  entryRow_ = results::placeResult(list_, std::to_string(score), std::to_string(seconds));
  if (entryRow_ == results::kNotPlaced) {
    if (showEndGame) showEndGame();
    return;
  }
  // Refreshed here too, as a window manager may refuse to activate the window.
  fillRows();
  if (!isVisible()) centreOnDesktop();
  show();
  raise();
  activateWindow();
  QLineEdit* box = rows_[entryRow_].nameEdit;
  box->show();
  box->setFocus();
}

void HighscoreWindow::fillRows() {
  createRows();
  for (int row = 0; row < results::kHighscoreRows; ++row) {
    rows_[row].name->setText(fromFileText(list_.name(row)));
    showNumber(rows_[row].score, fromFileText(list_.score(row)));
    showNumber(rows_[row].time, fromFileText(list_.time(row)));
  }
}

void HighscoreWindow::nameEntered() {
  if (entryRow_ >= 0 && entryRow_ < results::kHighscoreRows)
    list_.name(entryRow_) = toFileText(rows_[entryRow_].nameEdit->text());
  for (Row& row : rows_) row.nameEdit->hide();
  fillRows();
  if (const auto failure = results::saveHighscores(list_, startDir_))
    platform::showMessage(this, QString::fromStdString(*failure), "Error");
}

void HighscoreWindow::firstNameClicked() { rows_[0].nameEdit->show(); }

void HighscoreWindow::pictureClicked() { reject(); }  // hides; also ends a modal show

bool HighscoreWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) fillRows();
  return QDialog::event(event);
}

void HighscoreWindow::setVisible(bool visible) {
  if (visible) createRows();  // every way of showing comes here; the rows are shown along
  QDialog::setVisible(visible);
}

bool HighscoreWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == rows_[0].name && event->type() == QEvent::MouseButtonRelease) {
    firstNameClicked();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void HighscoreWindow::paintEvent(QPaintEvent*) {
  if (background_.isNull())  // decoded when the list is first shown
    background_ =
        platform::decodeJpeg(platform::pictures::jpeg(platform::pictures::Id::HighscoreBackground));
  QPainter painter(this);
  painter.drawImage(0, 0, background_);
}

void HighscoreWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    pictureClicked();
}

// The window closes only by a click on its picture, not by Escape.
void HighscoreWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

}  // namespace results
