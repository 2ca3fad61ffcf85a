#pragma once
// Helpers of the table-window tests: a start directory of their own, settings files, a sound
// player that only counts, and a closer for the modal windows that the game opens.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cards/table_colours.h"
#include "platform/sound_cues.h"
#include "shell/main_window.h"
#include "shell/preferences.h"
#include "shell/table_widget.h"

namespace window_test {

struct CountingSounds : platform::SoundCuePlayer {
  std::vector<std::string> played;
  void play(const std::string& path) override { played.push_back(path); }
};

// What a modal window showed: its class, title and (for a message box) text.
struct ModalSeen {
  QString className, title, text;
};

// Polls for modal windows while it lives; each one is recorded and handed to `handle`, which
// closes it by default.
class ModalCloser : public QObject {
 public:
  std::vector<ModalSeen> seen;
  std::function<void(QWidget*)> handle = [](QWidget* w) { w->close(); };

  ModalCloser() {
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, [this] {
      QWidget* w = QApplication::activeModalWidget();
      if (!w || w == last_) return;
      last_ = w;
      const auto* box = qobject_cast<QMessageBox*>(w);
      seen.push_back(
          {w->metaObject()->className(), w->windowTitle(), box ? box->text() : QString()});
      handle(w);
      last_ = nullptr;
    });
    timer_.start();
  }

 private:
  QTimer timer_;
  QWidget* last_ = nullptr;
};

// A fresh start directory, made the current directory, with the default card set beside it.
class StartDir {
 public:
  explicit StartDir(bool withCardSet = true) {
    QVERIFY(dir_.isValid());
    QDir::setCurrent(dir_.path());
    if (withCardSet)
      QVERIFY(QFile::copy(QStringLiteral(KLONDIKE_PLAY_DIR "/Vessant.tvp"), path("Vessant.tvp")));
  }
  QString path(const QString& name) const { return dir_.filePath(name); }
  void writeFile(const QString& name, const QByteArray& bytes) const {
    QFile f(path(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  void writeSettings(const shell::Preferences& pref) const {
    const auto bytes = shell::toBytes(pref);
    writeFile("mirt.ini",
              QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())));
  }

 private:
  QTemporaryDir dir_;
};

inline shell::ScreenInfo screenOf(int w, int h, bool palette = false) {
  return {QRect(0, 0, w, h), 96, palette};
}

// A table window in a start directory of its own: prepare `dir`, then start() the window; the
// messages shown from then on are closed and recorded.
struct StartedWindow {
  StartDir dir;
  ModalCloser closer;
  CountingSounds sounds;
  std::unique_ptr<shell::MainWindow> main;

  explicit StartedWindow(bool withCardSet = true) : dir(withCardSet) {}
  shell::MainWindow& start(const shell::ScreenInfo& screen = screenOf(1024, 768)) {
    main = std::make_unique<shell::MainWindow>(screen, sounds);
    return *main;
  }
  // Shows the started window as the game does and waits until it is on the screen.
  void showAndWait() {
    main->showAtStart();
    if (!QTest::qWaitForWindowExposed(main.get())) qFatal("window not exposed");
  }
};

// The modal windows shown so far, each as "title: text" (the text of a message box).
inline QStringList shownMessages(const ModalCloser& closer) {
  QStringList messages;
  for (const ModalSeen& m : closer.seen) messages << m.title + ": " + m.text;
  return messages;
}

// A settings record naming the default card set.
inline shell::Preferences savedPref() {
  shell::Preferences p;
  p.setCardSetName("Vessant.tvp");
  return p;
}

// A pixel as a colour value of the game (red in the low byte).
inline std::uint32_t pixelValue(const QImage& img, int x, int y) {
  return cards::fromQColor(QColor::fromRgb(img.pixel(x, y)));
}

// A pixel of one cell of the loaded card sheet.
inline std::uint32_t sheetValue(const shell::MainWindow& main, int cell, QPoint inCard) {
  return pixelValue(main.cardArt().sheet, (cell & 7) * 88 + inCard.x(),
                    (cell >> 3) * 130 + inCard.y());
}

// The table widget's picture.
inline QImage tablePicture(shell::MainWindow& main) { return main.table().grab().toImage(); }

}  // namespace window_test
