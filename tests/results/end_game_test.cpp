#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "results/end_game.h"

using results::EndGameScreen;

namespace {

class CountingCues : public platform::SoundCuePlayer {
 public:
  void play(const std::string& path) override { played.push_back(path); }
  std::vector<std::string> played;
};

}  // namespace

class EndGameTest : public QObject {
  Q_OBJECT

  // Shows the window modally and runs `whileShown` inside the modal loop once the window has been
  // activated; the window is closed afterwards in any case so that a failure cannot hang.
  void showAndRun(EndGameScreen& window, const std::function<void()>& whileShown) {
    QTimer::singleShot(0, [&] {
      if (!QTest::qWaitForWindowActive(&window))
        qWarning("the end-of-game window never became active");
      whileShown();
      if (window.isVisible()) window.reject();
    });
    window.showModal();
  }

  QLabel* picture(EndGameScreen& window) { return window.findChild<QLabel*>("endGamePicture"); }

 private slots:
  void isABorderlessPictureOf300By200CentredOnTheScreen() {
    CountingCues cues;
    EndGameScreen window("/games/klondike", cues);
    QCOMPARE(window.windowTitle(), QString("EndGame"));
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(window.size(), QSize(300, 200));
    QLabel* image = picture(window);
    QVERIFY(image != nullptr);
    QCOMPARE(image->geometry(), window.rect());
    QVERIFY(image->hasScaledContents());

    QRect shownAt;
    bool modal = false;
    bool pictured = false;  // the picture is decoded on the first showing
    showAndRun(window, [&] {
      pictured = !image->pixmap().isNull();
      shownAt = window.geometry();
      modal = QApplication::activeModalWidget() == &window;
    });
    QVERIFY(modal);
    QVERIFY(pictured);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(shownAt.size(), QSize(300, 200));
    QVERIFY(qAbs(shownAt.center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(shownAt.center().y() - screen.center().y()) <= 1);
  }

  void aClickOnThePictureOrEscapeReturnOrSpaceClosesTheWindow() {
    CountingCues cues;
    EndGameScreen window("/games/klondike", cues);
    bool closedByClick = false;
    showAndRun(window, [&] {
      QTest::mouseClick(picture(window), Qt::LeftButton, {}, QPoint(290, 195));
      closedByClick = !window.isVisible();
    });
    QVERIFY(closedByClick);
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
      bool openBefore = false, closedByKey = false;
      showAndRun(window, [&] {
        QTest::keyClick(&window, Qt::Key_A);  // other keys leave it up
        openBefore = window.isVisible();
        QTest::keyClick(&window, key);
        closedByKey = !window.isVisible();
      });
      QVERIFY2(openBefore && closedByKey, qPrintable(QString::number(key)));
    }
  }

  void eachShowPlaysTheWinSoundOnceFromTheStartFolder() {
    CountingCues cues;
    EndGameScreen window("/games/klondike", cues);
    showAndRun(window, [&] {
      // Coming back to the window while it is up does not play the sound again.
      QEvent activate(QEvent::WindowActivate);
      QApplication::sendEvent(&window, &activate);
      QTest::mouseClick(picture(window), Qt::LeftButton, {}, QPoint(10, 10));
    });
    QCOMPARE(cues.played, std::vector<std::string>{"/games/klondike/mirt_2.wav"});
    showAndRun(window,
               [&] { QTest::mouseClick(picture(window), Qt::LeftButton, {}, QPoint(150, 100)); });
    QCOMPARE(cues.played.size(), std::size_t{2});
  }

  void aStartFolderAtTheRootGetsNoDoubledSeparator() {
    CountingCues cues;
    EndGameScreen window("/", cues);
    showAndRun(window, [] {});
    QCOMPARE(cues.played, std::vector<std::string>{"/mirt_2.wav"});
  }
};

QTEST_MAIN(EndGameTest)
#include "end_game_test.moc"
