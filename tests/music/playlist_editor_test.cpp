// The playlist editor window on the offscreen platform.
#include "music/playlist_editor.h"
#include "tests/platform/scratch_folder.h"
#include "tests/platform/when_modal.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

using music::Playlist;
using music::PlaylistEditor;

namespace {

QPushButton* button(PlaylistEditor& editor, const QString& caption) {
  for (QPushButton* candidate : editor.findChildren<QPushButton*>())
    if (candidate->text() == caption) return candidate;
  return nullptr;
}

Playlist numbered(int count) {
  Playlist songs;
  for (int i = 0; i < count; ++i) songs.push_back(std::to_string(i));
  return songs;
}

// Runs `step` once the editor is showing modally, then returns runEditor's outcome. A step that
// fails half-way still ends the modal run (with Cancel), so a failure never hangs the test.
bool runWith(PlaylistEditor& editor, Playlist& playlist, int& chosen, std::function<void()> step) {
  QTimer::singleShot(0, &editor, [&editor, step] {
    step();
    if (editor.isVisible()) editor.reject();
  });
  return editor.runEditor(playlist, chosen);
}

// Cancels a modal dialog that is still open when the scope ends.
struct RejectWhenDone {
  QDialog* dialog;
  ~RejectWhenDone() {
    if (dialog->isVisible()) QMetaObject::invokeMethod(dialog, "reject");
  }
};

QWidget* nextTabStop(QWidget* widget) {
  do widget = widget->nextInFocusChain();
  while (!(widget->focusPolicy() & Qt::TabFocus));
  return widget;
}

QPoint rowCentre(PlaylistEditor& editor, int row) {
  editor.songList()->doItemsLayout();
  return editor.songList()->visualItemRect(editor.songList()->item(row)).center();
}

void mouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButtons held) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, pos, target->mapToGlobal(pos), button, held, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

// A double click as the window system delivers it: a click, then the double-click event.
void doubleClick(PlaylistEditor& editor, QPoint pos) {
  QTest::mouseClick(editor.songList()->viewport(), Qt::LeftButton, {}, pos);
  QTest::mouseDClick(editor.songList()->viewport(), Qt::LeftButton, {}, pos);
}

void drag(PlaylistEditor& editor, QPoint from, QPoint to) {
  QWidget* viewport = editor.songList()->viewport();
  mouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton);
  mouse(viewport, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
  mouse(viewport, QEvent::MouseMove, to, Qt::LeftButton);
  mouse(viewport, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

}  // namespace

class PlaylistEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void windowLayout() {
    PlaylistEditor editor;
    QCOMPARE(editor.windowTitle(), QString("Music Playlist"));
    QCOMPARE(editor.size(), QSize(427, 270));
    QCOMPARE(editor.minimumSize(), editor.maximumSize());
    QCOMPARE(editor.songList()->geometry(), QRect(0, 8, 353, 257));
    QCOMPARE(editor.songList()->selectionMode(), QAbstractItemView::SingleSelection);
    const struct {
      const char* caption;
      int top;
    } buttons[] = {{"Add", 8},       {"Insert", 40}, {"Delete", 72}, {"Clear", 104},
                   {"&Cancel", 208}, {"&OK", 240},   {"Save", 136}};
    QWidget* previous = editor.songList();
    for (const auto& expected : buttons) {
      QPushButton* found = button(editor, expected.caption);
      QVERIFY2(found, expected.caption);
      QCOMPARE(found->geometry(), QRect(360, expected.top, 65, 25));
      QCOMPARE(nextTabStop(previous), found);  // tab order
      previous = found;
    }
    QVERIFY(button(editor, "&OK")->isDefault());

    QFileDialog* dialog = editor.openDialog();
    QCOMPARE(dialog->nameFilters(), QStringList{"Midi / MP3 (*.mid *.mp3)"});
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFiles);
    QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
  }

  void okAndDoubleClickChooseTheSong() {
    PlaylistEditor editor;
    Playlist songs = numbered(3);
    int chosen = 99;
    QVERIFY(runWith(editor, songs, chosen, [&] { button(editor, "&OK")->click(); }));
    QCOMPARE(chosen, 0);  // nothing selected

    QVERIFY(runWith(editor, songs, chosen, [&] {
      QCOMPARE(editor.songList()->selectedItems().size(), 0);  // reloaded without selection
      editor.songList()->setCurrentRow(2);
      QTest::keyClick(&editor, Qt::Key_Return);  // the default button
    }));
    QCOMPARE(chosen, 2);

    QVERIFY(runWith(editor, songs, chosen, [&] { doubleClick(editor, rowCentre(editor, 1)); }));
    QCOMPARE(chosen, 1);

    QVERIFY(runWith(editor, songs, chosen, [&] {
      const QPoint below(20, editor.songList()->viewport()->height() - 5);
      doubleClick(editor, below);
    }));
    QCOMPARE(chosen, -1);  // double click with nothing selected

    Playlist empty;
    QVERIFY(runWith(editor, empty, chosen, [&] { button(editor, "&OK")->click(); }));
    QCOMPARE(chosen, -1);
  }

  void cancelKeepsPlaylistAndChosenSong() {
    PlaylistEditor editor;
    editor.setFileChooser([](QWidget*) { return QStringList{"/x/new.mid"}; });
    Playlist songs = numbered(2);
    int chosen = 7;
    QVERIFY(!runWith(editor, songs, chosen, [&] {
      button(editor, "Add")->click();
      button(editor, "&Cancel")->click();
    }));
    QVERIFY(!runWith(editor, songs, chosen, [&] {
      button(editor, "Clear")->click();
      QTest::keyClick(&editor, Qt::Key_Escape);
    }));
    QCOMPARE(songs, numbered(2));
    QCOMPARE(chosen, 7);
  }

  void addInsertDeleteClear() {
    PlaylistEditor editor;
    QStringList answer = {"/m/F1.mid", "/m/F2.mp3", "/m/F3.mid"};
    int asked = 0;
    editor.setFileChooser([&](QWidget*) {
      ++asked;
      return answer;
    });
    editor.loadPlaylist({"A", "B", "X", "Y"});

    button(editor, "Insert")->click();  // nothing selected: no dialog
    QCOMPARE(asked, 0);

    editor.songList()->setCurrentRow(2);
    button(editor, "Insert")->click();
    QCOMPARE(editor.playlist(),
             (Playlist{"A", "B", "/m/F3.mid", "/m/F2.mp3", "/m/F1.mid", "X", "Y"}));
    QCOMPARE(editor.songList()->currentRow(), 5);
    QCOMPARE(editor.songList()->item(5)->text(), QString("X"));

    answer = {"/m/G.mid"};
    button(editor, "Add")->click();
    QCOMPARE(editor.playlist().back(), std::string("/m/G.mid"));
    answer.clear();  // the player cancels the dialog
    button(editor, "Add")->click();
    QCOMPARE(editor.playlist().size(), std::size_t(8));

    editor.songList()->setCurrentRow(0);
    button(editor, "Delete")->click();
    QCOMPARE(editor.playlist().front(), std::string("B"));
    QCOMPARE(editor.songList()->count(), 7);
    button(editor, "Delete")->click();  // nothing selected any more
    QCOMPARE(editor.songList()->count(), 7);

    button(editor, "Clear")->click();
    QVERIFY(editor.playlist().empty());
    QCOMPARE(editor.songList()->count(), 0);
  }

  void draggingMovesTheEntryOntoTheTarget() {
    PlaylistEditor editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));

    editor.loadPlaylist(numbered(5));
    drag(editor, rowCentre(editor, 1), rowCentre(editor, 3));
    QCOMPARE(editor.playlist(), (Playlist{"0", "2", "3", "1", "4"}));

    editor.loadPlaylist(numbered(5));
    drag(editor, rowCentre(editor, 3), rowCentre(editor, 1));
    QCOMPARE(editor.playlist(), (Playlist{"0", "3", "1", "2", "4"}));

    editor.loadPlaylist(numbered(5));
    const QPoint belowLast(30, editor.songList()->viewport()->height() - 3);
    drag(editor, rowCentre(editor, 1), belowLast);
    QCOMPARE(editor.playlist(), numbered(5));
    drag(editor, rowCentre(editor, 1), QPoint(-40, rowCentre(editor, 3).y()));  // outside the list
    QCOMPARE(editor.playlist(), numbered(5));

    // A plain click is no drag, and a press on empty space with nothing selected moves nothing.
    editor.loadPlaylist(numbered(5));
    QTest::mouseClick(editor.songList()->viewport(), Qt::LeftButton, {}, rowCentre(editor, 2));
    QCOMPARE(editor.songList()->currentRow(), 2);
    QCOMPARE(editor.playlist(), numbered(5));
    editor.loadPlaylist(numbered(5));
    drag(editor, belowLast, rowCentre(editor, 0));
    QCOMPARE(editor.playlist(), numbered(5));
  }

  // Escape while the button is held cancels the drag; the editor and its edits stay.
  void escapeDuringADragCancelsOnlyTheDrag() {
    PlaylistEditor editor;
    editor.setFileChooser([](QWidget*) { return QStringList{"/x/new.mid"}; });
    Playlist songs = numbered(5);
    int chosen = -1;
    bool stayedOpen = false;
    QVERIFY(runWith(editor, songs, chosen, [&] {
      button(editor, "Add")->click();
      QWidget* viewport = editor.songList()->viewport();
      const QPoint from = rowCentre(editor, 1), to = rowCentre(editor, 3);
      mouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton);
      mouse(viewport, QEvent::MouseMove, to, Qt::LeftButton);
      QTest::keyClick(editor.songList(), Qt::Key_Escape);
      stayedOpen = editor.isVisible();
      const QPoint later = rowCentre(editor, 4);
      mouse(viewport, QEvent::MouseMove, later, Qt::LeftButton);
      mouse(viewport, QEvent::MouseButtonRelease, later, Qt::NoButton);
      button(editor, "&OK")->click();
    }));
    QVERIFY(stayedOpen);
    Playlist expected = numbered(5);
    expected.push_back("/x/new.mid");
    QCOMPARE(songs, expected);
    QCOMPARE(chosen, 1);  // the pressed entry stays selected
  }

  void saveWritesTheFileAndReportsFailure() {
    const ScratchFolder dir;
    PlaylistEditor editor(dir.str());
    editor.loadPlaylist({"a.mid", "b.mp3"});
    button(editor, "Save")->click();
    QCOMPARE(dir.read("Playlist.ini"), std::string("a.mid\r\nb.mp3\r\n"));

    editor.setStartDir(dir.file("no/such/folder"));
    QString shown;
    whenModal([&](QWidget* modal) {
      if (auto* box = qobject_cast<QMessageBox*>(modal)) shown = box->text();
    });
    button(editor, "Save")->click();
    QVERIFY2(shown.contains("Playlist.ini"), qPrintable(shown));
  }

  void cancelAfterSaveKeepsTheSavedFileButNotTheRunningList() {
    const ScratchFolder dir;
    PlaylistEditor editor(dir.str());
    Playlist songs = {"a.mid", "b.mid"};
    int chosen = 3;
    QVERIFY(!runWith(editor, songs, chosen, [&] {
      editor.songList()->setCurrentRow(0);
      button(editor, "Delete")->click();
      button(editor, "Save")->click();
      QVERIFY(editor.isVisible());  // Save leaves the editor open
      button(editor, "&Cancel")->click();
    }));
    QCOMPARE(songs, (Playlist{"a.mid", "b.mid"}));
    QCOMPARE(chosen, 3);
    QCOMPARE(dir.read("Playlist.ini"), std::string("b.mid\r\n"));
  }

  void openDialogOffersSongsWithoutRegardToCase() {
    const ScratchFolder dir;
    for (const char* name : {"SONG.MID", "tune.mp3", "notes.txt"}) dir.put(name, "x");
    const QString folder = QString::fromStdString(dir.str());
    PlaylistEditor editor;
    QFileDialog* dialog = editor.openDialog();
    dialog->setDirectory(folder);
    QStringList offered;
    QTimer::singleShot(0, [&] {
      RejectWhenDone guard{dialog};
      auto* model = dialog->findChild<QFileSystemModel*>();
      QVERIFY(model);
      const QModelIndex shown = model->index(folder);
      // Names that the filter does not match are hidden or greyed out (disabled).
      const auto enabledNames = [&] {
        QStringList names;
        for (int row = 0; row < model->rowCount(shown); ++row) {
          const QModelIndex entry = model->index(row, 0, shown);
          if (model->flags(entry) & Qt::ItemIsEnabled) names << model->fileName(entry);
        }
        names.sort();
        return names;
      };
      // The folder is read in the background; the selection settles once it has been read.
      (void)QTest::qWaitFor([&] { return enabledNames().size() >= 2; }, 5000);
      offered = enabledNames();
      // Typed into the file name box (selectFile() leaves the box alone while it has focus).
      auto* fileName = dialog->findChild<QLineEdit*>("fileNameEdit");
      QVERIFY(fileName);
      fileName->setText("SONG.MID");
      QMetaObject::invokeMethod(dialog, "accept");
    });
    button(editor, "Add")->click();
    QCOMPARE(offered, (QStringList{"SONG.MID", "tune.mp3"}));
    QCOMPARE(editor.playlist(), Playlist{dir.file("SONG.MID")});
  }
};

QTEST_MAIN(PlaylistEditorTest)
#include "playlist_editor_test.moc"
