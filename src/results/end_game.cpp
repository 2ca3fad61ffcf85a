#include "end_game.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <utility>

#include "file_io.h"
#include "game_pictures.h"
#include "jpeg_decoder.h"

namespace {

constexpr QSize kClientSize(300, 200);

}  // namespace

TEndGame::TEndGame(std::string startDir, platform::SoundCuePlayer& cues, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      startDir_(std::move(startDir)),
      cues_(cues),
      Image1(new QLabel(this)) {
  setWindowTitle("EndGame");
  setFixedSize(kClientSize);
  Image1->setObjectName("Image1");
  Image1->setGeometry(rect());
  Image1->setScaledContents(true);
  Image1->setPixmap(QPixmap::fromImage(
      platform::decodeJpeg(pictures::jpeg(pictures::Id::EndGame))));
  Image1->installEventFilter(this);
}

void TEndGame::showModal() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) move(screen->geometry().center() - rect().center());
  exec();
}

bool TEndGame::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !activatedSinceShow_) {
    activatedSinceShow_ = true;
    FormActivate();
  }
  return QDialog::event(event);
}

bool TEndGame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Image1 && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
      Image1->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
    Image1Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TEndGame::showEvent(QShowEvent* event) {
  activatedSinceShow_ = false;
  QDialog::showEvent(event);
}

// The click on the picture is the one way to close the window; Escape does not dismiss it.
void TEndGame::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

void TEndGame::FormActivate() {
  cues_.play(platform::joinPath(startDir_, "mirt_2.wav"));
}

void TEndGame::Image1Click() {
  accept();
}
