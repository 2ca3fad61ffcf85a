#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <filesystem>

#include "platform/file_io.h"
#include "platform/screen_metrics.h"
#include "results/highscore_window.h"
#include "tests/platform/when_modal.h"

using results::HighscoreWindow;

using results::defaultHighscores;
using results::HighscoreList;

class HighscoreWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::string startDir() const { return dir_.path().toStdString(); }
  std::vector<std::string> fileLines() const {
    const auto bytes = platform::readFile(results::highscorePath(startDir()));
    if (!bytes) return {};
    return platform::splitLines(std::string(bytes->begin(), bytes->end()));
  }
  static QLineEdit* box(HighscoreWindow& w, int place) {
    return w.findChild<QLineEdit*>(QString("nameEdit%1").arg(place));
  }
  static QString label(HighscoreWindow& w, const char* prefix, int place) {
    return w.findChild<QLabel*>(QString("%1%2").arg(prefix).arg(place))->text();
  }
  static const std::function<void()> kNoEndGame;

 private slots:
  void cleanup() { std::filesystem::remove(results::highscorePath(startDir())); }

  void placedResultOpensWindowWithFocusedBox() {
    HighscoreList list = defaultHighscores();
    HighscoreWindow w(list, startDir());
    w.enterHighscore(200, 41, kNoEndGame);
    QCOMPARE(w.entryRow(), 4);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(!w.isModal());
    QCOMPARE(w.size(), QSize(351, 451));
    QCOMPARE(w.windowTitle(), QString("Highscore list"));
    QCOMPARE(w.geometry().center(), platform::workArea().center());
    QVERIFY(box(w, 5)->isVisible());
    QVERIFY(box(w, 5)->hasFocus());
    for (int place : {1, 2, 3, 4, 6, 7, 8, 9, 10}) QVERIFY(!box(w, place)->isVisible());
    QCOMPARE(label(w, "scoreLabel", 5), QString("200"));
    QCOMPARE(label(w, "timeLabel", 5), QString("41"));
    QCOMPARE(label(w, "timeLabel", 4), QString("40"));
    QCOMPARE(label(w, "scoreLabel", 10), QString("30"));
    QVERIFY(fileLines().empty());  // nothing written before a name is confirmed
  }

  void enterStoresTypedNameAndWritesFile() {
    HighscoreList list = defaultHighscores();
    HighscoreWindow w(list, startDir());
    w.enterHighscore(400, 300, kNoEndGame);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClicks(box(w, 1), "Alice in Wonderland");  // more than 15 characters
    QTest::keyClick(box(w, 1), Qt::Key_Return);
    QCOMPARE(list.name(0), std::string("Alice in Wonder"));
    QCOMPARE(label(w, "nameLabel", 1), QString("Alice in Wonder"));
    QVERIFY(!box(w, 1)->isVisible());
    QVERIFY(w.isVisible());  // stays open until the picture is clicked
    QCOMPARE(fileLines(), list.lines);
    QCOMPARE(fileLines()[10], std::string("400"));
    QCOMPARE(fileLines()[20], std::string("300"));
  }

  void resultBelowListShowsEndGameAndEnterStoresNoName() {
    HighscoreList list = defaultHighscores();
    HighscoreWindow w(list, startDir());
    int endGameShown = 0;
    w.enterHighscore(20, 101, [&] { ++endGameShown; });
    QCOMPARE(endGameShown, 1);
    QCOMPARE(w.entryRow(), 10);
    QVERIFY(!w.isVisible());
    QCOMPARE(list.lines, defaultHighscores().lines);

    // firstNameClicked shows the first box without focus; Enter then writes the file, storing no
    // name.
    whenModal([&](QWidget*) {
      QTest::mouseClick(w.findChild<QLabel*>("nameLabel1"), Qt::LeftButton);
      QVERIFY(box(w, 1)->isVisible());
      QVERIFY(!box(w, 1)->hasFocus());
      QTest::keyClicks(box(w, 1), "Nobody");
      QTest::keyClick(box(w, 1), Qt::Key_Return);
    });
    w.showModalList();
    QCOMPARE(list.lines, defaultHighscores().lines);
    QCOMPARE(fileLines(), defaultHighscores().lines);
  }

  void twoResultsBeforeEnterNameOnlyTheLater() {
    HighscoreList list = defaultHighscores();
    HighscoreWindow w(list, startDir());
    w.enterHighscore(300, 15, kNoEndGame);
    QCOMPARE(w.entryRow(), 1);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClicks(box(w, 2), "Earlier");
    w.enterHighscore(500, 99, kNoEndGame);
    QCOMPARE(w.entryRow(), 0);
    QVERIFY(box(w, 1)->hasFocus());
    QVERIFY(box(w, 2)->isVisible());
    QTest::keyClicks(box(w, 1), "Later");
    QTest::keyClick(box(w, 2), Qt::Key_Return);  // Enter in the earlier box stores the later row
    QCOMPARE(list.name(0), std::string("Later"));
    QCOMPARE(list.name(1), std::string("TAVI"));
    QCOMPARE(list.name(2), std::string("TAVI"));
    QCOMPARE(list.score(2), std::string("300"));
    QVERIFY(!box(w, 1)->isVisible());
    QVERIFY(!box(w, 2)->isVisible());
    QCOMPARE(fileLines(), list.lines);
  }

  void menuWhileOpenBringsWindowToFront() {
    HighscoreList list = defaultHighscores();
    HighscoreWindow w(list, startDir());
    w.enterHighscore(400, 300, kNoEndGame);
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    bool wentModal = false;
    whenModal([&](QWidget* modal) { wentModal = modal != nullptr; });
    w.showModalList();
    QVERIFY(!wentModal);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.isVisible());
    QVERIFY(box(w, 1)->isVisible());
  }

  void openBoxSurvivesClosingAndMenuReopening() {
    HighscoreList list = defaultHighscores();
    HighscoreWindow w(list, startDir());
    w.enterHighscore(260, 5, kNoEndGame);
    QCOMPARE(w.entryRow(), 2);
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(10, 440));
    QVERIFY(!w.isVisible());
    whenModal([&](QWidget*) {
      QVERIFY(box(w, 3)->isVisible());
      QTest::keyClicks(box(w, 3), "Late");
      QTest::keyClick(box(w, 3), Qt::Key_Return);
    });
    w.showModalList();
    QCOMPARE(list.name(2), std::string("Late"));
    QCOMPARE(fileLines(), list.lines);
  }

  void activationRefreshesLabels() {
    HighscoreList list = defaultHighscores();
    HighscoreWindow w(list, startDir());
    w.enterHighscore(400, 300, kNoEndGame);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    list.name(5) = "Changed";
    QCOMPARE(label(w, "nameLabel", 6), QString("TAVI"));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(label(w, "nameLabel", 6), QString("Changed"));
  }

  void modalListClosesOnPictureClickOnly() {
    HighscoreList list = defaultHighscores();
    list.name(9) = "Tenth";
    HighscoreWindow w(list, startDir());
    bool modal = false;
    QTimer::singleShot(0, [&] {
      modal = QApplication::activeModalWidget() == &w;
      QCOMPARE(label(w, "nameLabel", 10), QString("Tenth"));
      QTest::keyClick(&w, Qt::Key_Escape);
      QVERIFY(w.isVisible());
      QTest::mouseClick(w.findChild<QLabel*>("scoreLabel3"), Qt::LeftButton);  // label over picture
    });
    w.showModalList();
    QVERIFY(modal);
    QVERIFY(!w.isVisible());
  }

  // Numbers too long for their room are drawn smaller or cut short, never over "T:" or "S:".
  void longNumbersStayInTheirColumns() {
    HighscoreList list = defaultHighscores();
    list.score(0) = "99999999999999999999";
    list.time(0) = "-2147483648";
    list.score(1) = "-2147483648";
    list.time(1) = "99999999999999999999";
    HighscoreWindow w(list, startDir());
    QVERIFY(w.findChildren<QLabel*>().isEmpty());  // the rows are made on the first showing
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));  // activation fills the labels
    const auto fixedLabelBefore = [&](const QRect& rect) -> QLabel* {
      for (QLabel* fixed : w.findChildren<QLabel*>())
        if ((fixed->text() == "T:" || fixed->text() == "S:") &&
            fixed->geometry().contains(rect.left() - 2, rect.center().y()))
          return fixed;
      return nullptr;
    };
    for (int place : {1, 2, 3})
      for (const char* prefix : {"timeLabel", "scoreLabel"}) {
        QLabel* number = w.findChild<QLabel*>(QString("%1%2").arg(prefix).arg(place));
        const QRect rect = number->geometry();
        const QLabel* fixed = fixedLabelBefore(rect);
        QVERIFY(fixed);
        QVERIFY(fixed->fontMetrics().horizontalAdvance(fixed->text()) < rect.left() - fixed->x());
        QCOMPARE(rect.right() + 1, prefix[0] == 't' ? 239 : 289);
        QVERIFY2(number->fontMetrics().horizontalAdvance(number->text()) <= rect.width(),
                 qPrintable(number->text()));
      }
    QCOMPARE(label(w, "timeLabel", 3), QString("30"));  // short numbers show whole
    QVERIFY(label(w, "timeLabel", 1).startsWith("-2"));
    QVERIFY(label(w, "scoreLabel", 1).startsWith("99"));
  }

  // The file keeps names as Latin-1 bytes: they show as their letters, a typed name is stored in
  // Latin-1, and other rows keep their bytes when the file is written.
  void namesAreLatin1InTheFile() {
    HighscoreList list = defaultHighscores();
    list.name(1) = "J\xF6rg";
    HighscoreWindow w(list, startDir());
    w.enterHighscore(400, 300, kNoEndGame);
    QCOMPARE(label(w, "nameLabel", 3), QString::fromUtf8("Jörg"));
    box(w, 1)->insert(QString::fromUtf8("Zoë Dvořák ☃"));  // as typed or pasted
    QTest::keyClick(box(w, 1), Qt::Key_Return);
    QCOMPARE(list.name(0), std::string("Zo\xEB Dvor\xE1k ?"));
    QCOMPARE(label(w, "nameLabel", 1), QString::fromUtf8("Zoë Dvorák ?"));
    QCOMPARE(fileLines()[2], std::string("J\xF6rg"));
    QCOMPARE(fileLines()[0], list.name(0));
  }

  void failedWriteShowsMessageAndKeepsList() {
    HighscoreList list = defaultHighscores();
    const std::string missing = startDir() + "/gone";
    HighscoreWindow w(list, missing);
    w.enterHighscore(400, 300, kNoEndGame);
    QTest::keyClicks(box(w, 1), "Zoe");
    QString shown;
    whenModal([&](QWidget* modal) {
      if (auto* box = qobject_cast<QMessageBox*>(modal)) shown = box->text();
    });
    QTest::keyClick(box(w, 1), Qt::Key_Return);
    QCOMPARE(shown, QString::fromStdString("Cannot create file " + missing + "/Highscore.ini"));
    QCOMPARE(list.name(0), std::string("Zoe"));
    QCOMPARE(label(w, "nameLabel", 1), QString("Zoe"));
    QVERIFY(!box(w, 1)->isVisible());
  }
};

const std::function<void()> HighscoreWindowTest::kNoEndGame = [] { QFAIL("end-game screen"); };

QTEST_MAIN(HighscoreWindowTest)
#include "highscore_window_test.moc"
