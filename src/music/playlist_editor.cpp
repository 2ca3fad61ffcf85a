#include "music/playlist_editor.h"

#include "platform/message_box.h"
#include "platform/screen_metrics.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>

namespace music {

namespace {

constexpr int kItemHeight = 13;

class FixedHeightRows : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), kItemHeight};
  }
};

// Paths are kept as the bytes the file system uses; the list shows them decoded.
QString shownPath(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}
std::string storedPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

PlaylistEditor::PlaylistEditor(const std::string& startDir, QWidget* parent)
    : QDialog(parent), startDir_(startDir) {
  setWindowTitle("Music Playlist");
  setFixedSize(427, 270);
  QFont smallFont = font();
  smallFont.setPixelSize(11);
  setFont(smallFont);

  songList_ = new QListWidget(this);
  songList_->setGeometry(0, 8, 353, 257);
  songList_->setSelectionMode(QAbstractItemView::SingleSelection);
  songList_->setUniformItemSizes(true);
  songList_->setItemDelegate(new FixedHeightRows(songList_));
  songList_->setDragEnabled(false);  // reordering is done by the list's own mouse handling below
  songList_->viewport()->installEventFilter(this);

  // Created in tab order.
  addButton_ = makeButton("Add", 8);
  insertButton_ = makeButton("Insert", 40);
  deleteButton_ = makeButton("Delete", 72);
  clearButton_ = makeButton("Clear", 104);
  cancelButton_ = makeButton("&Cancel", 208);
  okButton_ = makeButton("&OK", 240);
  saveButton_ = makeButton("Save", 136);
  okButton_->setDefault(true);

  connect(addButton_, &QPushButton::clicked, this, &PlaylistEditor::addSongs);
  connect(insertButton_, &QPushButton::clicked, this, &PlaylistEditor::insertSongs);
  connect(deleteButton_, &QPushButton::clicked, this, &PlaylistEditor::deleteSong);
  connect(clearButton_, &QPushButton::clicked, this, &PlaylistEditor::clearList);
  connect(saveButton_, &QPushButton::clicked, this, &PlaylistEditor::saveList);
  connect(cancelButton_, &QPushButton::clicked, this, &PlaylistEditor::cancel);
  connect(okButton_, &QPushButton::clicked, this, &PlaylistEditor::confirm);

  chooseFiles_ = [this](QWidget* owner) { return runOpenDialog(owner); };
}

QPushButton* PlaylistEditor::makeButton(const QString& caption, int top) {
  auto* button = new QPushButton(caption, this);
  button->setGeometry(360, top, 65, 25);
  return button;
}

QFileDialog* PlaylistEditor::openDialog() {
  if (openDialog_ != nullptr) return openDialog_;
  openDialog_ = new QFileDialog(this);
  openDialog_->setOption(QFileDialog::DontUseNativeDialog);
  openDialog_->setFileMode(QFileDialog::ExistingFiles);
  openDialog_->setAcceptMode(QFileDialog::AcceptOpen);
  openDialog_->setNameFilter("Midi / MP3 (*.mid *.mp3)");
  // Song names are matched without regard to case (".MID" files are songs too).
  openDialog_->setFilter(openDialog_->filter() & ~QDir::CaseSensitive);
  return openDialog_;
}

QStringList PlaylistEditor::runOpenDialog(QWidget*) {
  QFileDialog* dialog = openDialog();
  if (dialog->exec() != QDialog::Accepted) return {};
  return dialog->selectedFiles();
}

void PlaylistEditor::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* shown = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(shown->geometry().center());
    move(frame.topLeft());
  }
  platform::keepInsideWorkArea(this);
}

bool PlaylistEditor::runEditor(Playlist& playlist, int& chosenSong) {
  loadPlaylist(playlist);
  if (exec() != QDialog::Accepted) return false;
  playlist = list_.items;
  chosenSong = chosenSong_;
  return true;
}

void PlaylistEditor::loadPlaylist(const Playlist& playlist) {
  list_ = EditedList{playlist, -1};
  showList();
}

void PlaylistEditor::readSelection() {
  const QModelIndexList rows = songList_->selectionModel()->selectedIndexes();
  list_.selected = rows.isEmpty() ? -1 : rows.front().row();
}

void PlaylistEditor::showList() {
  songList_->clear();
  for (const std::string& path : list_.items) songList_->addItem(shownPath(path));
  if (list_.selected >= 0) {
    songList_->setCurrentRow(list_.selected);
  } else {
    songList_->setCurrentRow(-1);
    songList_->clearSelection();
  }
}

// The files chosen in the open dialog as playlist entries; empty when the dialog was cancelled.
Playlist PlaylistEditor::chooseSongs() {
  Playlist paths;
  for (const QString& path : chooseFiles_(this)) paths.push_back(storedPath(path));
  return paths;
}

void PlaylistEditor::addSongs() {
  const Playlist paths = chooseSongs();
  if (paths.empty()) return;
  readSelection();
  appendSongs(list_, paths);
  showList();
}

void PlaylistEditor::insertSongs() {
  readSelection();
  if (list_.selected < 0) return;  // no dialog without a place to insert at
  const Playlist paths = chooseSongs();
  if (paths.empty()) return;
  insertSongsBeforeSelected(list_, paths);
  showList();
}

void PlaylistEditor::deleteSong() {
  readSelection();
  deleteSelectedSong(list_);
  showList();
}

void PlaylistEditor::clearList() {
  list_ = EditedList{};
  showList();
}

void PlaylistEditor::saveList() {
  if (const auto failure = savePlaylist(list_.items, startDir_))
    platform::showMessage(this, QString::fromStdString(*failure),
                          QApplication::applicationDisplayName());
}

void PlaylistEditor::confirm() {
  readSelection();
  chosenSong_ = chosenSongForOk(list_);
  done(QDialog::Accepted);
}

void PlaylistEditor::cancel() { reject(); }

void PlaylistEditor::songDoubleClicked() {
  readSelection();
  chosenSong_ = chosenSongForDoubleClick(list_);
  done(QDialog::Accepted);
}

// A left press selects an entry as usual and arms a drag; moving the pointer beyond the drag
// distance drags, and releasing it over an entry moves the selected entry there. While the
// button is held the list must not move its selection after the pointer.
bool PlaylistEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched != songList_->viewport()) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonDblClick: songDoubleClicked(); return true;
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) {
        dragArmed_ = true;
        dragging_ = dragCancelled_ = false;
        pressPos_ = mouse->position().toPoint();
      }
      return false;
    }
    case QEvent::MouseMove: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (!dragArmed_ || !(mouse->buttons() & Qt::LeftButton)) return false;
      if (dragCancelled_) return true;
      if (!dragging_ && (mouse->position().toPoint() - pressPos_).manhattanLength() >=
                            QApplication::startDragDistance()) {
        dragging_ = true;
        songList_->viewport()->setCursor(Qt::DragMoveCursor);
      }
      return true;
    }
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton || !dragArmed_) return false;
      const bool dropped = dragging_;
      resetDrag();
      if (!dropped) return false;
      dropAt(mouse->position().toPoint());
      return true;
    }
    default: return QDialog::eventFilter(watched, event);
  }
}

void PlaylistEditor::resetDrag() {
  dragArmed_ = dragging_ = dragCancelled_ = false;
  songList_->viewport()->unsetCursor();
}

// Escape while the button is held on the list cancels the drag, as it does any drag; only
// otherwise does it close the editor like Cancel.
void PlaylistEditor::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && dragArmed_ && !dragCancelled_) {
    dragging_ = false;
    dragCancelled_ = true;
    songList_->viewport()->unsetCursor();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void PlaylistEditor::dropAt(const QPoint& viewportPos) {
  if (!songList_->viewport()->rect().contains(viewportPos)) return;  // dropped outside the list
  readSelection();
  dragFromIndex_ = list_.selected;
  const QModelIndex target = songList_->indexAt(viewportPos);  // none below the last entry
  if (!target.isValid()) return;
  if (moveSong(list_, dragFromIndex_, target.row())) showList();
}

}  // namespace music
