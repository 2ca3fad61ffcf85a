// The help tells every command of the menus and every key they have: each item's caption and
// each shortcut appear in bold in the help file. Within a menu (and the menu bar) every item has
// its own access key.
#include <QFile>
#include <QMap>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>

#include "shell/main_menu.h"

class MenuHelpTest : public QObject {
  Q_OBJECT
 private slots:
  void everyMenuItemAndKeyIsInTheHelp() {
    QFile file(KLONDIKE_HELP_FILE);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString help = QString::fromUtf8(file.readAll());
    QMenuBar bar;
    shell::buildMainMenu(&bar);
    // In bold alone, after a menu's name ("Options &gt; Zoom") or in a list of items.
    const auto told = [&help](const QString& text) {
      const QString escaped = QRegularExpression::escape(text.toHtmlEscaped());
      return help.contains(QRegularExpression("(<b>|&gt; |, )" + escaped + "(</b>|,)"));
    };
    int items = 0;
    for (QMenu* menu : bar.findChildren<QMenu*>()) {
      for (QAction* item : menu->actions()) {
        if (item->isSeparator() || item->menu()) continue;
        const QString caption = item->text().remove('&').trimmed();
        QVERIFY2(told(caption), qPrintable(caption));
        for (const QKeySequence& key : item->shortcuts())
          QVERIFY2(told(key.toString(QKeySequence::PortableText)), qPrintable(caption));
        ++items;
      }
    }
    QVERIFY(items > 30);
  }

  // "Music &playlist" and "&Previous song" share P as they always have; no other pair may.
  void everyItemOfAMenuHasItsOwnAccessKey() {
    QMenuBar bar;
    shell::buildMainMenu(&bar);
    QList<QList<QAction*>> menus{bar.actions()};
    for (QMenu* menu : bar.findChildren<QMenu*>()) menus << menu->actions();
    QStringList shared;
    for (const QList<QAction*>& items : menus) {
      QMap<QChar, QString> owner;
      for (QAction* item : items) {
        const QString caption = item->text();
        const qsizetype amp = caption.indexOf('&');
        if (amp < 0 || amp + 1 >= caption.size()) continue;
        const QChar key = caption[amp + 1].toUpper();
        if (owner.contains(key)) shared << owner[key] + " / " + caption;
        owner[key] = caption;
      }
    }
    QCOMPARE(shared, QStringList{"Music &playlist / &Previous song"});
  }
};

QTEST_MAIN(MenuHelpTest)
#include "menu_help_test.moc"
