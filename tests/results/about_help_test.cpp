// The About box (layout, portraits, links, closing) and the help viewer with the game's help
// file.
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <functional>

#include <sys/stat.h>

#include "about_box.h"
#include "clickable_label.h"
#include "help_viewer.h"

namespace {

void click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// Shows the box modally and runs `steps` in it; false when the box was still open five seconds
// later (it is then closed, so that a fault fails the test instead of hanging it).
bool closedBy(TAbout& about, const std::function<void()>& steps) {
  bool stillOpen = false;
  QTimer::singleShot(0, &about, steps);
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &about, [&] {
    stillOpen = true;
    about.reject();
  });
  guard.start(5000);
  about.showModal();
  return !stillOpen && !about.isVisible();
}

struct DocumentLinks {
  QSet<QString> anchors;   // names that links can jump to
  QStringList hrefs;       // targets of the links
};

DocumentLinks linksOf(const QTextDocument& document) {
  DocumentLinks links;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      for (const QString& name : format.anchorNames()) links.anchors.insert(name);
      if (format.isAnchor() && !format.anchorHref().isEmpty()) links.hrefs << format.anchorHref();
    }
  return links;
}

}  // namespace

class AboutHelpTest : public QObject {
  Q_OBJECT

  QTemporaryDir withHelp_;  // a start folder holding the game's help file

 private slots:
  void initTestCase() { QVERIFY(QFile::copy(KLONDIKE_HELP_FILE, withHelp_.filePath("mirt.hlp"))); }

  void aboutBoxLayout() {
    TAbout about([](const QString&) {});
    about.show();  // the pictures are decoded on the first showing
    QCOMPARE(about.windowTitle(), QString("About Klondike Zelora"));
    QCOMPARE(about.size(), QSize(498, 172));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowContextHelpButtonHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowMaximizeButtonHint)));

    QCOMPARE(about.Panel1->geometry(), QRect(2, 2, 495, 143));
    QCOMPARE(about.Panel1->frameShadow(), QFrame::Sunken);
    QCOMPARE(about.Image1->geometry(), QRect(2, 2, 169, 130));
    QVERIFY(!about.Image1->pixmap().isNull());

    const QList<QLabel*> firstColumn{about.Label1, about.Label2, about.Label3, about.Label4,
                                     about.Label5};
    const QList<QLabel*> secondColumn{about.Label6, about.Label7, about.Label8, about.Label9,
                                      about.Label10};
    for (int row = 0; row < 5; ++row) {
      QCOMPARE(firstColumn[row]->pos(), QPoint(192, 24 + 16 * row));
      QCOMPARE(secondColumn[row]->pos(), QPoint(368, 24 + 16 * row));
      QVERIFY(!firstColumn[row]->text().isEmpty());
      // The columns must not run into each other or out of the panel.
      QVERIFY2(firstColumn[row]->geometry().right() < 368, qPrintable(firstColumn[row]->text()));
      QVERIFY2(secondColumn[row]->geometry().right() < 495, qPrintable(secondColumn[row]->text()));
    }
    QCOMPARE(about.Label11->pos(), QPoint(176, 108));
    QVERIFY(about.Label11->text().startsWith("Homepage : "));
    QCOMPARE(about.Label13->pos(), QPoint(248, 127));
    for (QLabel* link : {about.Label5, about.Label10, about.Label11, about.Label13}) {
      QVERIFY(link->font().underline());
      QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
      QVERIFY2(link->geometry().right() < 495, qPrintable(link->text()));
    }
    QVERIFY(about.Label11->font().bold());
    QVERIFY(about.Label13->font().bold());

    QCOMPARE(about.Image3->geometry(), QRect(193, 3, 100, 120));
    QCOMPARE(about.Image2->geometry(), QRect(369, 3, 100, 120));
    QVERIFY(!about.Image3->pixmap().isNull());
    QVERIFY(!about.Image2->pixmap().isNull());

    QCOMPARE(about.Label12->parentWidget(), &about);
    QCOMPARE(about.Label12->pos(), QPoint(408, 158));
    QVERIFY(about.Label12->font().bold());
    QVERIFY(about.Label12->geometry().right() < 498 && about.Label12->geometry().bottom() < 172);
    QCOMPARE(about.BitBtn1->parentWidget(), &about);
    QCOMPARE(about.BitBtn1->geometry(), QRect(220, 147, 75, 25));
    QCOMPARE(about.BitBtn1->text(), QString("Ok"));
    QVERIFY(about.BitBtn1->isDefault());
  }

  void portraitsShowOnTheNameAndHideOnThemselves() {
    TAbout about([](const QString&) {});
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.Image3->isHidden());
    QVERIFY(about.Image2->isHidden());

    click(about.Label1);
    QVERIFY(about.Image3->isVisible());
    QVERIFY(about.Image2->isHidden());
    click(about.Label6);
    QVERIFY(about.Image2->isVisible());
    // A shown portrait lies over its author's column.
    QCOMPARE(about.Panel1->childAt(about.Label2->geometry().center()), about.Image3);

    click(about.Image3);
    QVERIFY(about.Image3->isHidden());
    QVERIFY(about.Image2->isVisible());
    click(about.Image2);
    QVERIFY(about.Image2->isHidden());
  }

  // A shown portrait hides every line of its author's column, and the web links stay whole.
  void shownPortraitsCoverTheColumnsButNotTheLinks() {
    TAbout about([](const QString&) {});
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QImage withText = about.Panel1->grab().toImage();
    click(about.Label1);
    click(about.Label6);
    const QImage withPortraits = about.Panel1->grab().toImage();
    for (QLabel* line : std::initializer_list<QLabel*>{about.Label1, about.Label2, about.Label3,
                                                        about.Label4, about.Label5, about.Label6,
                                                        about.Label7, about.Label8, about.Label9,
                                                        about.Label10})
      line->hide();
    QCOMPARE(about.Panel1->grab().toImage(), withPortraits);
    for (QLabel* link : {about.Label11, about.Label13}) {
      const QRect area = link->geometry();
      QVERIFY2(withPortraits.copy(area) == withText.copy(area), qPrintable(link->text()));
    }
  }

  void everyWayOfClosingHidesThePortraits() {
    TAbout about([](const QString&) {});
    const auto showBoth = [&] {
      click(about.Label1);
      click(about.Label6);
      QVERIFY(about.Image3->isVisible() && about.Image2->isVisible());
    };

    // Ok, reached with Enter (the default button). The box opens in the middle of the screen.
    QPoint centre;
    QVERIFY(closedBy(about, [&] {
      centre = about.geometry().center();
      showBoth();
      QTest::keyClick(&about, Qt::Key_Return);
    }));
    QVERIFY(about.Image3->isHidden() && about.Image2->isHidden());
    QCOMPARE(centre, about.screen()->geometry().center());

    // Escape; the box opened with both portraits hidden.
    bool openedWithText = false;
    QVERIFY(closedBy(about, [&] {
      openedWithText = about.Image3->isHidden() && about.Image2->isHidden();
      showBoth();
      QTest::keyClick(&about, Qt::Key_Escape);
    }));
    QVERIFY(openedWithText);
    QVERIFY(about.Image3->isHidden() && about.Image2->isHidden());

    // The title bar's close button.
    QVERIFY(closedBy(about, [&] {
      showBoth();
      about.close();
    }));
    QVERIFY(about.Image3->isHidden() && about.Image2->isHidden());

    // The Ok button itself, and the box opens again with the text columns.
    QVERIFY(closedBy(about, [&] {
      showBoth();
      click(about.BitBtn1);
    }));
    about.show();
    QVERIFY(about.Image3->isHidden() && about.Image2->isHidden());
    QVERIFY(about.Label2->isVisible());
  }

  void linksGoToTheOpenerAndTheBoxStaysOpen() {
    QStringList opened;
    TAbout about([&](const QString& url) { opened << url; });
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    for (ClickableLabel* link : {about.Label5, about.Label10, about.Label11, about.Label13})
      click(link);
    QCOMPARE(opened.size(), 4);
    QCOMPARE(opened[0], "mailto:" + about.Label5->text());
    QCOMPARE(opened[1], "mailto:" + about.Label10->text());
    QCOMPARE("Homepage : " + opened[2], about.Label11->text());
    QCOMPARE(opened[3], about.Label13->text());
    for (const QString& url : opened) {
      const QString host = QUrl(url).scheme() == "mailto" ? url.section('@', 1) : QUrl(url).host();
      QVERIFY2(host.endsWith("example.org") || host.endsWith("example.com") ||
                   host.endsWith("example.net"),
               qPrintable(url));
    }
    QVERIFY(about.isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    // Names and plain lines open nothing.
    click(about.Label1);
    click(about.Label2);
    QCOMPARE(opened.size(), 4);
  }

  void helpOpensTheFileAtItsContents() {
    HelpViewer help(withHelp_.path());
    QCOMPARE(help.helpFilePath(), withHelp_.path() + "/mirt.hlp");
    help.showContents();
    QVERIFY(help.isVisible());
    QVERIFY(!help.isModal());
    QCOMPARE(help.windowTitle(), QString("TAVI's Klondike Help"));
    QCOMPARE(help.browser()->source().fragment(), QString("contents"));
    QCOMPARE(help.browser()->source().toLocalFile(),
             QFileInfo(withHelp_.filePath("mirt.hlp")).absoluteFilePath());
    QVERIFY(help.browser()->toPlainText().contains("Contents"));

    // Following a link moves away from the contents; asking for the contents returns there.
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    help.showContents();
    const int atContents = help.browser()->verticalScrollBar()->value();
    help.browser()->setSource(QUrl("#files"));
    QVERIFY(help.browser()->verticalScrollBar()->value() > atContents + 100);
    help.showContents();
    QCOMPARE(help.browser()->verticalScrollBar()->value(), atContents);
    QCOMPARE(help.browser()->source().fragment(), QString("contents"));
  }

  void helpFileLinksAllLeadSomewhere() {
    HelpViewer help(withHelp_.path());
    help.showContents();
    const DocumentLinks links = linksOf(*help.browser()->document());
    for (const char* section : {"contents", "klondike-rules", "levels", "moving", "autofinish",
                                "scoring", "clock", "highscores", "quatro", "menus", "cardsets",
                                "colours", "music"})
      QVERIFY2(links.anchors.contains(section), section);
    QVERIFY(links.hrefs.size() > 20);
    for (const QString& href : links.hrefs) {
      QVERIFY2(href.startsWith('#'), qPrintable(href));
      QVERIFY2(links.anchors.contains(href.mid(1)), qPrintable(href));
    }
  }

  // Rules the help once stated wrongly: Sound on governs only the refusal click, a Hard-level
  // card from the middle of a run cannot be taken, and only a Klondike deal stops the clock.
  void helpStatesTheSoundHardLevelAndClockRules() {
    HelpViewer help(withHelp_.path());
    help.showContents();
    const QString text = help.browser()->toPlainText().simplified();
    QVERIFY(text.contains("The fanfare at the end of a game plays whether or not Sound on is "
                          "checked."));
    QVERIFY(text.contains("The fanfare at the end of a game plays either way."));
    QVERIFY(!text.contains("switches the two short sounds"));
    QVERIFY(text.contains("At Hard, the last card of a column that has more face-up cards above "
                          "it may still go to a foundation, but not to another column."));
    QVERIFY(!text.contains("from the middle of a face-up run may still go"));
    QVERIFY(text.contains("A new Klondike deal and the winning move stop the clock"));
  }

  void missingHelpFileIsExplainedInTheViewer() {
    QTemporaryDir dir;
    HelpViewer help(dir.path());
    help.showContents();
    QVERIFY(help.isVisible());
    const QString text = help.browser()->toPlainText();
    QVERIFY2(text.contains("could not be found"), qPrintable(text));
    QVERIFY(text.contains(dir.path() + "/mirt.hlp"));

    // A folder of that name is no help file either.
    QVERIFY(QDir(dir.path()).mkdir("mirt.hlp"));
    help.showContents();
    QVERIFY(help.browser()->toPlainText().contains("could not be found"));

    // The same window shows the file once it is there.
    QVERIFY(QDir(dir.path()).rmdir("mirt.hlp"));
    QVERIFY(QFile::copy(KLONDIKE_HELP_FILE, dir.filePath("mirt.hlp")));
    help.showContents();
    QVERIFY(!help.browser()->toPlainText().contains("could not be found"));
    QCOMPARE(help.browser()->source().fragment(), QString("contents"));
  }

  // A help page shows only regular files of bounded size from the start folder: a device, a pipe,
  // a file elsewhere, a web address and a huge file are refused, and the page still opens.
  void helpPageReadsOnlyRegularFilesOfItsFolder() {
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(dir.filePath("inside.png")));
    QVERIFY(picture.save(elsewhere.filePath("outside.png")));
    QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600) == 0);
    QFile huge(dir.filePath("huge.png"));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(4 * 1024 * 1024 + 1));
    huge.close();
    const QString outside = QUrl::fromLocalFile(elsewhere.filePath("outside.png")).toString();
    const QStringList refused{"pipe", "/dev/zero", "file:///dev/zero", outside,
                              "../" + QFileInfo(elsewhere.path()).fileName() + "/outside.png",
                              "http://example.org/picture.png", "huge.png"};

    // The pipe comes first: a viewer that waits on it never reaches /dev/zero to fill the memory.
    QString page = "<html><head><link rel=\"stylesheet\" href=\"pipe\"></head><body>"
                   "<p>Pictures follow.</p><img src=\"inside.png\">";
    for (const QString& name : refused) page += "<img src=\"" + name + "\">";
    page += "<p>End of the page.</p></body></html>";
    QFile help(dir.filePath("mirt.hlp"));
    QVERIFY(help.open(QIODevice::WriteOnly) && help.write(page.toUtf8()) == page.toUtf8().size());
    help.close();

    // The game runs in its start folder, where a relative name finds the pipe.
    const QString oldCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const auto restoreCurrent = qScopeGuard([&] { QDir::setCurrent(oldCurrent); });
    HelpViewer viewer(dir.path());
    viewer.showContents();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    viewer.browser()->document()->documentLayout()->documentSize();  // lays out the pictures
    QVERIFY(viewer.browser()->toPlainText().contains("End of the page."));
    const auto load = [&](const QString& name) {
      return viewer.browser()
          ->loadResource(QTextDocument::StyleSheetResource, QUrl(name))
          .toByteArray();
    };
    QVERIFY(!load("inside.png").isEmpty());
    for (const QString& name : refused) QVERIFY2(load(name).isEmpty(), qPrintable(name));
  }

  void helpPathAtTheRootHasOneSeparator() {
    QCOMPARE(HelpViewer("/").helpFilePath(), QString("/mirt.hlp"));
  }
};

QTEST_MAIN(AboutHelpTest)
#include "about_help_test.moc"
