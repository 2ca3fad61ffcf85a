// Messages, screen metrics and links on the offscreen platform.
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>
#include <QtTest>

#include "platform/links.h"
#include "platform/message_box.h"
#include "platform/screen_metrics.h"
#include "tests/platform/when_modal.h"

class LinkCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened.append(url); }
};

class PlatformServicesTest : public QObject {
  Q_OBJECT

 private slots:
  void messageShowsExactlyTheTextCaptionIconAndOneOkButton() {
    const QString text = "The game requires 32000 colors or higher for optimal performance !!!";
    bool seen = false;
    whenModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      seen = true;
      QCOMPARE(box->text(), text);
      QCOMPARE(box->windowTitle(), QString("System Message"));
      QCOMPARE(box->icon(), QMessageBox::Information);
      QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
      QCOMPARE(box->parentWidget(), nullptr);
    });
    platform::showMessage(nullptr, text, "System Message", platform::MessageIcon::Information);
    QVERIFY(seen);
  }

  void messageTextIsNeverReadAsMarkup() {
    QWidget owner;
    whenModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      QCOMPARE(box->textFormat(), Qt::PlainText);
      QCOMPARE(box->icon(), QMessageBox::NoIcon);
      QCOMPARE(box->parentWidget(), &owner);
    });
    platform::showMessage(&owner, "Cannot create file <b>/x</b>", "Error",
                          platform::MessageIcon::None);
  }

  void screenMetricsDescribeThePrimaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen != nullptr);
    QVERIFY(!platform::workArea().isEmpty());
    QCOMPARE(platform::workArea(), screen->availableGeometry());
    QCOMPARE(platform::pixelsPerInch(), qRound(screen->logicalDotsPerInch()));
    QWidget window;
    QCOMPARE(platform::pixelsPerInch(&window), platform::pixelsPerInch());
    QVERIFY(screen->depth() > 8);
    QVERIFY(!platform::displayHasPalette());
  }

  void linksGoToTheDesktopsHandlerUnchanged() {
    LinkCatcher catcher;
    QDesktopServices::setUrlHandler("mailto", &catcher, "open");
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    platform::openLink("mailto:dealer@example.org");
    platform::openLink("https://example.org/klondike");
    QDesktopServices::unsetUrlHandler("mailto");
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(catcher.opened, QList<QUrl>({QUrl("mailto:dealer@example.org"),
                                          QUrl("https://example.org/klondike")}));
  }
};

QTEST_MAIN(PlatformServicesTest)
#include "platform_services_test.moc"
