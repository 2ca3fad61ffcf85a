// A later start on a play folder brings the running game's window to the front, even from a
// minimized state; a start on another folder plays on its own.
#include "shell/single_instance.h"

#include <QTest>

#include "tests/platform/scratch_folder.h"

using shell::SingleInstance;

class SingleInstanceTest : public QObject {
  Q_OBJECT
 private slots:
  void aLaterStartRaisesTheRunningWindow() {
    const ScratchFolder folder, other;
    QWidget window;
    window.showMinimized();
    SingleInstance running(QString::fromStdString(folder.str()));
    QCOMPARE(running.claim(), SingleInstance::Claim::Own);
    running.setWindow(&window);

    SingleInstance later(QString::fromStdString(folder.str()));
    QCOMPARE(later.claim(), SingleInstance::Claim::Raised);
    QTRY_VERIFY(!(window.windowState() & Qt::WindowMinimized));

    SingleInstance elsewhere(QString::fromStdString(other.str()));
    QCOMPARE(elsewhere.claim(), SingleInstance::Claim::Own);
  }
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
