#include "results/end_game.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <utility>

#include "platform/file_io.h"
#include "platform/game_pictures.h"
#include "platform/jpeg_decoder.h"
#include "platform/screen_metrics.h"
#include "results/clickable_label.h"

namespace results {

namespace {

constexpr QSize kClientSize(300, 200);

}  // namespace

EndGameScreen::EndGameScreen(std::string startDir, platform::SoundCuePlayer& cues, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      startDir_(std::move(startDir)),
      cues_(cues),
      picture_(new ClickableLabel(this)) {
  setWindowTitle("EndGame");
  setFixedSize(kClientSize);
  picture_->setObjectName("endGamePicture");
  picture_->setGeometry(rect());
  picture_->setScaledContents(true);
  connect(picture_, &ClickableLabel::clicked, this, &EndGameScreen::pictureClicked);
}

void EndGameScreen::showModal() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) move(screen->geometry().center() - rect().center());
  platform::keepInsideWorkArea(this);
  exec();
}

bool EndGameScreen::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !activatedSinceShow_) {
    activatedSinceShow_ = true;
    playEndSound();
  }
  return QDialog::event(event);
}

void EndGameScreen::showEvent(QShowEvent* event) {
  // Decoded when first needed: many runs never win a game.
  if (picture_->pixmap().isNull())
    picture_->setPixmap(QPixmap::fromImage(
        platform::decodeJpeg(platform::pictures::jpeg(platform::pictures::Id::EndGame))));
  activatedSinceShow_ = false;
  QDialog::showEvent(event);
}

// Besides the click on the picture, the keys that dismiss a message close the window.
void EndGameScreen::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: accept(); return;
    default: QDialog::keyPressEvent(event);
  }
}

void EndGameScreen::playEndSound() { cues_.play(platform::joinPath(startDir_, "mirt_2.wav")); }

void EndGameScreen::pictureClicked() { accept(); }

}  // namespace results
