// The card-set chooser: which files it lists, the preview and its loading in the background,
// OK / Cancel / double click, the refusal of files without card pictures, and what it keeps
// between uses.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "cards/card_set_chooser.h"
#include "tools/cardset/card_set_encode.h"
#include "tools/cardset/svg_deck_writer.h"

using cards::CardSetChooser;

namespace {

// The face of card value 0 in both test sets: 8 x 8 squares of red and blue.
bool isRed(int x, int y) { return ((x / 8) + (y / 8)) % 2 == 0; }
const QColor kRed(248, 0, 0);
const QColor kBlue(0, 0, 248);

void writeFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

// Pictures of a set in which card value 0 (sheet cell 3) shows the squares and every other
// picture is black.
std::vector<cards::CardImage> squaresDeck(int cells) {
  std::vector<cards::CardImage> images(cells);
  cards::CardImage& face = images[3];
  for (int y = 0; y < cards::kCardHeight; ++y)
    for (int x = 0; x < cards::kCardWidth; ++x)
      face.set(x, y, isRed(x, y) ? cards::Rgb{248, 0, 0} : cards::Rgb{0, 0, 248});
  return images;
}

// A PC set stores sheet cells 2..58: its image i is cell i + 2.
std::vector<std::uint8_t> pcSet() {
  const std::vector<cards::CardImage> cells = squaresDeck(59);
  return cards::EncodePcSet(std::span(cells).subspan(2), false);
}

std::vector<std::uint8_t> planarSet() {
  const std::vector<cards::CardImage> cells = squaresDeck(59);
  return cards::EncodePlanarSet(cells, cards::PlanarOptions{});
}

QStringList listedNames(const CardSetChooser& chooser) {
  QStringList names;
  for (int row = 0; row < chooser.fileList->count(); ++row)
    names << chooser.fileList->item(row)->text();
  return names;
}

QListWidgetItem* fileItem(const CardSetChooser& chooser, const QString& name) {
  const auto found = chooser.fileList->findItems(name, Qt::MatchExactly);
  return found.isEmpty() ? nullptr : found.first();
}

void clickFile(CardSetChooser& chooser, const QString& name) {
  QListWidgetItem* item = fileItem(chooser, name);
  QVERIFY2(item != nullptr, qPrintable(name));
  const QPoint centre = chooser.fileList->visualItemRect(item).center();
  QTest::mouseClick(chooser.fileList->viewport(), Qt::LeftButton, {}, centre);
}

enum class Outcome { Chosen, Cancelled, StillOpen };

// Shows the chooser modally and runs `steps` in it. A chooser still open after five seconds is
// closed, so that a fault fails the test instead of hanging it.
Outcome choose(CardSetChooser& chooser, QString& path, const std::function<void()>& steps) {
  bool stillOpen = false;
  QTimer::singleShot(0, &chooser, steps);
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &chooser, [&] {
    stillOpen = true;
    chooser.reject();
  });
  guard.start(5000);
  const bool chosen = chooser.chooseCardSet(path);
  if (stillOpen) return Outcome::StillOpen;
  return chosen ? Outcome::Chosen : Outcome::Cancelled;
}

QImage shownPreview(const CardSetChooser& chooser) {
  return chooser.previewPicture->pixmap().toImage();
}

}  // namespace

class CardSetChooserTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    root_ = dir_->path();
    writeFile(root_ + "/pc.tvp", pcSet());
    writeFile(root_ + "/planar.TAVI", planarSet());
    writeFile(root_ + "/notes.tvp", {'h', 'e', 'l', 'l', 'o'});
    QVERIFY(QDir(root_).mkdir("more"));
    writeFile(root_ + "/more/other.tavi", planarSet());
  }

  void cleanup() { dir_.reset(); }

  void windowLayout() {
    CardSetChooser chooser(root_);
    QCOMPARE(chooser.windowTitle(), QString("Open"));
    QCOMPARE(chooser.size(), QSize(431, 302));
    QCOMPARE(chooser.minimumSize(), chooser.maximumSize());
    QCOMPARE(chooser.pos(), QPoint(310, 225));
    QCOMPARE(chooser.volumeList->geometry(), QRect(0, 8, 145, 19));
    QCOMPARE(chooser.folderTree->geometry(), QRect(0, 32, 145, 265));
    QCOMPARE(chooser.fileList->geometry(), QRect(152, 8, 177, 289));
    QCOMPARE(chooser.previewFrame->geometry(), QRect(336, 8, 92, 134));
    QCOMPARE(chooser.previewPicture->parentWidget(), chooser.previewFrame);
    QCOMPARE(chooser.previewPicture->geometry(), QRect(2, 2, 88, 130));
    QCOMPARE(chooser.cancelButton->geometry(), QRect(352, 240, 75, 25));
    QCOMPARE(chooser.cancelButton->text(), QString("&Cancel"));
    QCOMPARE(chooser.okButton->geometry(), QRect(352, 272, 75, 25));
    QCOMPARE(chooser.okButton->text(), QString("&OK"));
    QVERIFY(chooser.okButton->isDefault());
    QVERIFY(chooser.okButton->icon().isNull());  // fetched on the first showing

    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QVERIFY(!chooser.okButton->icon().isNull() && !chooser.cancelButton->icon().isNull());
    QVERIFY(chooser.fileList->count() > 0);
    QCOMPARE(chooser.fileList->visualItemRect(chooser.fileList->item(0)).height(), 13);
    const QPersistentModelIndex more =
        static_cast<QFileSystemModel*>(chooser.folderTree->model())->index(root_ + "/more");
    QTRY_COMPARE(chooser.folderTree->visualRect(more).height(), 16);
  }

  void treeShowsTheListedFolder() {
    // Enough folders beside the listed one that it lies below the first screenful.
    for (int i = 0; i < 40; ++i)
      QVERIFY(QDir(root_).mkdir(QString("folder %1").arg(i, 2, 10, QChar('0'))));
    CardSetChooser chooser(root_ + "/more");
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    const QPersistentModelIndex more =
        static_cast<QFileSystemModel*>(chooser.folderTree->model())->index(root_ + "/more");
    QCOMPARE(QPersistentModelIndex(chooser.folderTree->currentIndex()), more);
    QTRY_VERIFY(
        chooser.folderTree->viewport()->rect().intersects(chooser.folderTree->visualRect(more)));
  }

  void listsOnlyCardSetFilesWithoutRegardToCase() {
    for (const char* name :
         {"a.tvp", "B.TAVI", "c.txt", "d.TvP", "e.tvpx", "ftvp", "g.svg", "H.SVGZ", "i.svgx"})
      writeFile(root_ + "/" + name, {});
    QVERIFY(QDir(root_).mkdir("folder.tvp"));

    CardSetChooser chooser(root_);
    chooser.show();  // the files are listed when the window is shown
    QCOMPARE(chooser.listedDirectory(), QDir::cleanPath(root_));
    QCOMPARE(listedNames(chooser), QStringList({"a.tvp", "B.TAVI", "d.TvP", "g.svg", "H.SVGZ",
                                                "notes.tvp", "pc.tvp", "planar.TAVI"}));
  }

  void previewShowsCardValueZeroOfEitherVariant() {
    CardSetChooser chooser(root_);
    chooser.show();
    QVERIFY(chooser.previewPicture->pixmap().isNull());

    // The preview is loaded on a worker thread and arrives through the event loop.
    clickFile(chooser, "pc.tvp");
    QTRY_VERIFY(!chooser.previewPicture->pixmap().isNull());
    const QImage pc = shownPreview(chooser);
    QCOMPARE(pc.size(), QSize(88, 130));
    QCOMPARE(pc.pixelColor(0, 0), kRed);
    QCOMPARE(pc.pixelColor(8, 0), kBlue);
    QCOMPARE(pc.pixelColor(87, 129), isRed(87, 129) ? kRed : kBlue);

    clickFile(chooser, "notes.tvp");
    QTRY_VERIFY(chooser.previewPicture->pixmap().isNull());

    clickFile(chooser, "planar.TAVI");
    QTRY_COMPARE(shownPreview(chooser).convertToFormat(pc.format()), pc);

    // Our SVG deck's ace of clubs: white with a black pip in the middle.
    const QByteArray svg = cardset::WriteSvgDeck();
    writeFile(root_ + "/deck.svg", std::vector<std::uint8_t>(svg.begin(), svg.end()));
    chooser.setListedDirectory(root_ + "/more");
    chooser.setListedDirectory(root_);
    clickFile(chooser, "deck.svg");
    QTRY_VERIFY(!chooser.previewPicture->pixmap().isNull());
    const QImage ace = shownPreview(chooser);
    QCOMPARE(ace.size(), QSize(88, 130));
    QCOMPARE(ace.pixelColor(20, 40), QColor(Qt::white));
    QVERIFY(qGray(ace.pixel(44, 65)) < 64);
  }

  // A preview still loading when the player moves to another file, lists another folder or
  // closes the chooser is never shown, and the chooser waits for it neither way.
  void previewOfTheNewestSelectionWins() {
    QThreadPool* workers = QThreadPool::globalInstance();
    workers->setMaxThreadCount(std::max(2, workers->maxThreadCount()));  // two loads at once
    for (const QString then : {"other file", "other folder", "close"}) {
      const auto slowStarted = std::make_shared<QSemaphore>();
      const auto slowLoad = std::make_shared<QSemaphore>();  // released by the test
      auto chooser = std::make_unique<CardSetChooser>(root_, [=](const QString& file) {
        const bool slow = file.endsWith("pc.tvp");
        if (slow) {
          slowStarted->release();
          slowLoad->tryAcquire(1, 5000);
        }
        QImage picture(88, 130, QImage::Format_RGB32);
        picture.fill(slow ? kRed : kBlue);
        return picture;
      });
      chooser->show();
      clickFile(*chooser, "pc.tvp");
      QVERIFY(slowStarted->tryAcquire(1, 5000));
      if (then == "other file") {
        clickFile(*chooser, "planar.TAVI");
        QTRY_VERIFY(!chooser->previewPicture->pixmap().isNull());
      } else if (then == "other folder") {
        chooser->setListedDirectory(root_ + "/more");
      } else {
        chooser.reset();
      }
      slowLoad->release();
      QVERIFY(workers->waitForDone(5000));
      QCoreApplication::sendPostedEvents();
      QVERIFY2(slowLoad->available() == 0, qPrintable(then));  // the chooser did not wait for it
      if (then == "other file") QCOMPARE(shownPreview(*chooser).pixelColor(0, 0), kBlue);
      if (then == "other folder") QVERIFY(chooser->previewPicture->pixmap().isNull());
    }
  }

  // OK with no file chosen, and Cancel with one chosen: both cancel and keep the path.
  void okWithoutSelectionAndCancelKeepThePath() {
    for (const bool pickFirst : {false, true}) {
      CardSetChooser chooser(root_);
      QString path = "unchanged";
      QCOMPARE(choose(chooser, path,
                      [&] {
                        if (pickFirst) clickFile(chooser, "pc.tvp");
                        (pickFirst ? chooser.cancelButton : chooser.okButton)->click();
                      }),
               Outcome::Cancelled);
      QCOMPARE(chooser.result(), int(QDialog::Rejected));
      QCOMPARE(path, QString("unchanged"));
    }
  }

  void okAndDoubleClickAcceptWithTheFullPath() {
    CardSetChooser chooser(root_);
    QString path;
    QCOMPARE(choose(chooser, path,
                    [&] {
                      clickFile(chooser, "pc.tvp");
                      chooser.okButton->click();
                    }),
             Outcome::Chosen);
    QCOMPARE(path, QDir::cleanPath(root_) + "/pc.tvp");

    QCOMPARE(choose(chooser, path,
                    [&] {
                      // A double click arrives as press, release, double click, release.
                      clickFile(chooser, "planar.TAVI");
                      QListWidgetItem* item = fileItem(chooser, "planar.TAVI");
                      QTest::mouseDClick(chooser.fileList->viewport(), Qt::LeftButton, {},
                                         chooser.fileList->visualItemRect(item).center());
                    }),
             Outcome::Chosen);
    QCOMPARE(path, QDir::cleanPath(root_) + "/planar.TAVI");
  }

  // A file without card pictures is refused by name and the chooser stays for another choice;
  // so is an SVG file that lacks the deck's pictures.
  void fileWithoutCardPicturesIsRefused() {
    writeFile(root_ + "/empty.tvp", {});
    const std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\"><rect id=\"back\" "
        "width=\"88\" height=\"130\"/></svg>";
    writeFile(root_ + "/broken.svg", std::vector<std::uint8_t>(svg.begin(), svg.end()));
    for (const QString name : {"notes.tvp", "empty.tvp", "broken.svg"}) {
      CardSetChooser chooser(root_);
      QStringList messages;
      QTimer closer;
      QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
          messages << box->text();
          box->close();
        }
      });
      closer.start(0);
      QString path;
      QCOMPARE(choose(chooser, path,
                      [&] {
                        clickFile(chooser, name);
                        chooser.okButton->click();
                        QVERIFY(chooser.isVisible());
                        clickFile(chooser, "pc.tvp");
                        chooser.okButton->click();
                      }),
               Outcome::Chosen);
      QCOMPARE(path, QDir::cleanPath(root_) + "/pc.tvp");
      QCOMPARE(messages.size(), 1);
      QVERIFY2(messages[0].contains(name), qPrintable(messages[0]));
    }
  }

  void choosingAFolderListsItWithoutChangingTheProcessDirectory() {
    const QString processDir = QDir::currentPath();
    CardSetChooser chooser(root_);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    clickFile(chooser, "pc.tvp");

    auto* model = static_cast<QFileSystemModel*>(chooser.folderTree->model());
    const QPersistentModelIndex more = model->index(root_ + "/more");
    QVERIFY(more.isValid());
    // The folder model adds and sorts entries in the background, so the folder may move
    // under the pointer until the model is through; click until the click lands.
    const auto clickMore = [&] {
      // Near the left end of the name: the name's column may reach past the narrow view.
      const QRect name = chooser.folderTree->visualRect(more);
      QTest::mouseClick(chooser.folderTree->viewport(), Qt::LeftButton, {},
                        QPoint(std::max(name.left(), 0) + 4, name.center().y()));
      return chooser.listedDirectory() == QDir::cleanPath(root_ + "/more");
    };
    QTRY_VERIFY(clickMore());
    QCOMPARE(listedNames(chooser), QStringList({"other.tavi"}));
    QVERIFY(chooser.selectedFile().isEmpty());
    QVERIFY(chooser.previewPicture->pixmap().isNull());
    QCOMPARE(QDir::currentPath(), processDir);

    // The volume list shows the volume of the listed folder; choosing it lists its root.
    const int current = chooser.volumeList->currentIndex();
    QVERIFY(current >= 0);
    const QString volume = chooser.volumeList->itemData(current).toString();
    QVERIFY(chooser.listedDirectory().startsWith(volume));
    emit chooser.volumeList->activated(current);
    QCOMPARE(chooser.listedDirectory(), volume);
    QCOMPARE(QDir::currentPath(), processDir);
  }

  void reopeningKeepsFolderSelectionAndPreview() {
    CardSetChooser chooser(root_);
    chooser.setListedDirectory(root_ + "/more");
    QString path;
    QCOMPARE(choose(chooser, path,
                    [&] {
                      clickFile(chooser, "other.tavi");
                      chooser.okButton->click();
                    }),
             Outcome::Chosen);
    QTRY_VERIFY(!chooser.previewPicture->pixmap().isNull());
    const QImage preview = shownPreview(chooser);

    writeFile(root_ + "/more/newer.tvp", pcSet());
    chooser.show();
    QCOMPARE(chooser.listedDirectory(), QDir::cleanPath(root_ + "/more"));
    QCOMPARE(listedNames(chooser), QStringList({"newer.tvp", "other.tavi"}));
    QCOMPARE(chooser.selectedFile(), path);
    QCOMPARE(shownPreview(chooser), preview);
    chooser.hide();

    // The chosen file vanished meanwhile: no selection, no stale preview.
    QVERIFY(QFile::remove(path));
    chooser.show();
    QVERIFY(chooser.selectedFile().isEmpty());
    QVERIFY(chooser.previewPicture->pixmap().isNull());
  }

  void vanishedFolderFallsBackToItsParent() {
    CardSetChooser chooser(root_ + "/more");
    QVERIFY(QDir(root_ + "/more").removeRecursively());
    chooser.show();
    QCOMPARE(chooser.listedDirectory(), QDir::cleanPath(root_));
    chooser.setListedDirectory(root_ + "/no such folder");
    QCOMPARE(chooser.listedDirectory(), QDir::cleanPath(root_));
  }

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  QString root_;
};

QTEST_MAIN(CardSetChooserTest)
#include "card_set_chooser_test.moc"
