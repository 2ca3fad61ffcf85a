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

#include "results/about_box.h"
#include "results/clickable_label.h"
#include "results/help_viewer.h"

using results::AboutBox;
using results::ClickableLabel;
using results::HelpViewer;

namespace {

void click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// Shows the box modally and runs `steps` in it; false when the box was still open five seconds
// later (it is then closed, so that a fault fails the test instead of hanging it).
bool closedBy(AboutBox& about, const std::function<void()>& steps) {
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
  QSet<QString> anchors;  // names that links can jump to
  QStringList hrefs;      // targets of the links
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
    AboutBox about([](const QString&) {});
    QVERIFY(about.okButton->icon().isNull());
    about.show();  // the pictures and the icon are made and the lines measured on the first showing
    QCOMPARE(about.windowTitle(), QString("About Klondike Zelora"));
    QCOMPARE(about.size(), QSize(498, 172));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowContextHelpButtonHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowMaximizeButtonHint)));

    QCOMPARE(about.panel->geometry(), QRect(2, 2, 495, 143));
    QCOMPARE(about.panel->frameShadow(), QFrame::Sunken);
    QCOMPARE(about.logo->geometry(), QRect(2, 2, 169, 130));
    QVERIFY(!about.logo->pixmap().isNull());

    const QList<QLabel*> firstColumn{about.firstAuthorName, about.firstAuthorStreet,
                                     about.firstAuthorTown, about.firstAuthorCountry,
                                     about.firstAuthorEmail};
    const QList<QLabel*> secondColumn{about.secondAuthorName, about.secondAuthorStreet,
                                      about.secondAuthorTown, about.secondAuthorCountry,
                                      about.secondAuthorEmail};
    for (int row = 0; row < 5; ++row) {
      QCOMPARE(firstColumn[row]->pos(), QPoint(192, 24 + 16 * row));
      QCOMPARE(secondColumn[row]->pos(), QPoint(368, 24 + 16 * row));
      QVERIFY(!firstColumn[row]->text().isEmpty());
      // The columns must not run into each other or out of the panel.
      QVERIFY2(firstColumn[row]->geometry().right() < 368, qPrintable(firstColumn[row]->text()));
      QVERIFY2(secondColumn[row]->geometry().right() < 495, qPrintable(secondColumn[row]->text()));
    }
    QCOMPARE(about.homepageLink->pos(), QPoint(176, 108));
    QVERIFY(about.homepageLink->text().startsWith("Homepage : "));
    QCOMPARE(about.secondLink->pos(), QPoint(248, 127));
    for (QLabel* link :
         {about.firstAuthorEmail, about.secondAuthorEmail, about.homepageLink, about.secondLink}) {
      QVERIFY(link->font().underline());
      QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
      QVERIFY2(link->geometry().right() < 495, qPrintable(link->text()));
    }
    QVERIFY(about.homepageLink->font().bold());
    QVERIFY(about.secondLink->font().bold());

    QCOMPARE(about.firstPortrait->geometry(), QRect(193, 3, 100, 120));
    QCOMPARE(about.secondPortrait->geometry(), QRect(369, 3, 100, 120));
    QVERIFY(!about.firstPortrait->pixmap().isNull());
    QVERIFY(!about.secondPortrait->pixmap().isNull());

    QCOMPARE(about.versionLabel->parentWidget(), &about);
    QCOMPARE(about.versionLabel->pos(), QPoint(408, 158));
    QVERIFY(about.versionLabel->font().bold());
    QVERIFY(about.versionLabel->geometry().right() < 498 &&
            about.versionLabel->geometry().bottom() < 172);
    QCOMPARE(about.okButton->parentWidget(), &about);
    QCOMPARE(about.okButton->geometry(), QRect(220, 147, 75, 25));
    QCOMPARE(about.okButton->text(), QString("Ok"));
    QVERIFY(about.okButton->isDefault());
    QVERIFY(!about.okButton->icon().isNull());
  }

  void portraitsShowOnTheNameAndHideOnThemselves() {
    AboutBox about([](const QString&) {});
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.firstPortrait->isHidden());
    QVERIFY(about.secondPortrait->isHidden());

    click(about.firstAuthorName);
    QVERIFY(about.firstPortrait->isVisible());
    QVERIFY(about.secondPortrait->isHidden());
    click(about.secondAuthorName);
    QVERIFY(about.secondPortrait->isVisible());
    // A shown portrait lies over its author's column.
    QCOMPARE(about.panel->childAt(about.firstAuthorStreet->geometry().center()),
             about.firstPortrait);

    click(about.firstPortrait);
    QVERIFY(about.firstPortrait->isHidden());
    QVERIFY(about.secondPortrait->isVisible());
    click(about.secondPortrait);
    QVERIFY(about.secondPortrait->isHidden());
  }

  // A shown portrait hides every line of its author's column, and the web links stay whole.
  void shownPortraitsCoverTheColumnsButNotTheLinks() {
    AboutBox about([](const QString&) {});
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QImage withText = about.panel->grab().toImage();
    click(about.firstAuthorName);
    click(about.secondAuthorName);
    const QImage withPortraits = about.panel->grab().toImage();
    for (QLabel* line : std::initializer_list<QLabel*>{
             about.firstAuthorName, about.firstAuthorStreet, about.firstAuthorTown,
             about.firstAuthorCountry, about.firstAuthorEmail, about.secondAuthorName,
             about.secondAuthorStreet, about.secondAuthorTown, about.secondAuthorCountry,
             about.secondAuthorEmail})
      line->hide();
    QCOMPARE(about.panel->grab().toImage(), withPortraits);
    for (QLabel* link : {about.homepageLink, about.secondLink}) {
      const QRect area = link->geometry();
      QVERIFY2(withPortraits.copy(area) == withText.copy(area), qPrintable(link->text()));
    }
  }

  void everyWayOfClosingHidesThePortraits() {
    AboutBox about([](const QString&) {});
    const auto showBoth = [&] {
      click(about.firstAuthorName);
      click(about.secondAuthorName);
      QVERIFY(about.firstPortrait->isVisible() && about.secondPortrait->isVisible());
    };

    // Ok, reached with Enter (the default button). The box opens in the middle of the screen.
    QPoint centre;
    QVERIFY(closedBy(about, [&] {
      centre = about.geometry().center();
      showBoth();
      QTest::keyClick(&about, Qt::Key_Return);
    }));
    QVERIFY(about.firstPortrait->isHidden() && about.secondPortrait->isHidden());
    QCOMPARE(centre, about.screen()->geometry().center());

    // Escape; the box opened with both portraits hidden.
    bool openedWithText = false;
    QVERIFY(closedBy(about, [&] {
      openedWithText = about.firstPortrait->isHidden() && about.secondPortrait->isHidden();
      showBoth();
      QTest::keyClick(&about, Qt::Key_Escape);
    }));
    QVERIFY(openedWithText);
    QVERIFY(about.firstPortrait->isHidden() && about.secondPortrait->isHidden());

    // The title bar's close button.
    QVERIFY(closedBy(about, [&] {
      showBoth();
      about.close();
    }));
    QVERIFY(about.firstPortrait->isHidden() && about.secondPortrait->isHidden());

    // The Ok button itself, and the box opens again with the text columns.
    QVERIFY(closedBy(about, [&] {
      showBoth();
      click(about.okButton);
    }));
    about.show();
    QVERIFY(about.firstPortrait->isHidden() && about.secondPortrait->isHidden());
    QVERIFY(about.firstAuthorStreet->isVisible());
  }

  void linksGoToTheOpenerAndTheBoxStaysOpen() {
    QStringList opened;
    AboutBox about([&](const QString& url) { opened << url; });
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    for (ClickableLabel* link :
         {about.firstAuthorEmail, about.secondAuthorEmail, about.homepageLink, about.secondLink})
      click(link);
    QCOMPARE(opened.size(), 4);
    QCOMPARE(opened[0], "mailto:" + about.firstAuthorEmail->text());
    QCOMPARE(opened[1], "mailto:" + about.secondAuthorEmail->text());
    QCOMPARE("Homepage : " + opened[2], about.homepageLink->text());
    QCOMPARE(opened[3], about.secondLink->text());
    for (const QString& url : opened) {
      const QString host = QUrl(url).scheme() == "mailto" ? url.section('@', 1) : QUrl(url).host();
      QVERIFY2(host.endsWith("example.org") || host.endsWith("example.com") ||
                   host.endsWith("example.net"),
               qPrintable(url));
    }
    QVERIFY(about.isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    // Names and plain lines open nothing.
    click(about.firstAuthorName);
    click(about.firstAuthorStreet);
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
    for (const char* section :
         {"contents", "klondike-rules", "levels", "moving", "autofinish", "scoring", "clock",
          "highscores", "quatro", "menus", "cardsets", "colours", "music"})
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
    QVERIFY(
        text.contains("The fanfare at the end of a game plays whether or not Sound on is "
                      "checked."));
    QVERIFY(text.contains("The fanfare at the end of a game plays either way."));
    QVERIFY(!text.contains("switches the two short sounds"));
    QVERIFY(
        text.contains("At Hard, the last card of a column that has more face-up cards above "
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
    const QStringList refused{"pipe",
                              "/dev/zero",
                              "file:///dev/zero",
                              outside,
                              "../" + QFileInfo(elsewhere.path()).fileName() + "/outside.png",
                              "http://example.org/picture.png",
                              "huge.png"};

    // The pipe comes first: a viewer that waits on it never reaches /dev/zero to fill the memory.
    QString page =
        "<html><head><link rel=\"stylesheet\" href=\"pipe\"></head><body>"
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
