#include "end_game.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <utility>

#include "clickable_label.h"
#include "file_io.h"
#include "game_pictures.h"
#include "jpeg_decoder.h"
#include "screen_metrics.h"

namespace {

constexpr QSize kClientSize(300, 200);

}  // namespace

TEndGame::TEndGame(std::string startDir, platform::SoundCuePlayer& cues, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      startDir_(std::move(startDir)),
      cues_(cues),
      Image1(new ClickableLabel(this)) {
  setWindowTitle("EndGame");
  setFixedSize(kClientSize);
  Image1->setObjectName("Image1");
  Image1->setGeometry(rect());
  Image1->setScaledContents(true);
  connect(Image1, &ClickableLabel::clicked, this, &TEndGame::Image1Click);
}

void TEndGame::showModal() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) move(screen->geometry().center() - rect().center());
  platform::keepInsideWorkArea(this);
  exec();
}

bool TEndGame::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !activatedSinceShow_) {
    activatedSinceShow_ = true;
    FormActivate();
  }
  return QDialog::event(event);
}

void TEndGame::showEvent(QShowEvent* event) {
  // Decoded when first needed: many runs never win a game.
  if (Image1->pixmap().isNull())
    Image1->setPixmap(QPixmap::fromImage(
        platform::decodeJpeg(pictures::jpeg(pictures::Id::EndGame))));
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
