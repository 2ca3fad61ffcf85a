// The status bar's panels sit side by side at their widths, the last one taking the rest of the
// row but never less than its own width.
#include <QtTest>

#include "shell/status_panels.h"

class StatusPanelsTest : public QObject {
  Q_OBJECT

 private slots:
  void panelsFillTheRowFromTheLeft() {
    const int widths[] = {50, 60, 90};
    const char* const texts[] = {"Score :", "", "Now playing :"};
    shell::StatusPanels row(widths, texts);
    QCOMPARE(row.minimumSizeHint().width(), 200);
    QCOMPARE(row.panel(2)->text(), QString("Now playing :"));
    row.show();  // a shown row is placed at once on every resize
    struct Case {
      int rowWidth, lastWidth;
    };
    for (const Case c : {Case{300, 190}, Case{200, 90}, Case{150, 90}}) {
      row.resize(c.rowWidth, 16);
      QCOMPARE(row.panel(0)->geometry(), QRect(0, 0, 50, 16));
      QCOMPARE(row.panel(1)->geometry(), QRect(50, 0, 60, 16));
      QCOMPARE(row.panel(2)->geometry(), QRect(110, 0, c.lastWidth, 16));
    }
  }
};

QTEST_MAIN(StatusPanelsTest)
#include "status_panels_test.moc"
