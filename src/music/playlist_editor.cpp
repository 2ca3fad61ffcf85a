#include "playlist_editor.h"

#include "message_box.h"
#include "screen_metrics.h"

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
QString shownPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string storedPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

Tmidi1::Tmidi1(const std::string& startDir, QWidget* parent)
    : QDialog(parent), startDir_(startDir) {
  setWindowTitle("Music Playlist");
  setFixedSize(427, 270);
  QFont smallFont = font();
  smallFont.setPixelSize(11);
  setFont(smallFont);

  ListBox1 = new QListWidget(this);
  ListBox1->setGeometry(0, 8, 353, 257);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setUniformItemSizes(true);
  ListBox1->setItemDelegate(new FixedHeightRows(ListBox1));
  ListBox1->setDragEnabled(false);  // reordering is done by the list's own mouse handling below
  ListBox1->viewport()->installEventFilter(this);

  // Created in tab order.
  add = addButton("Add", 8);
  Insert = addButton("Insert", 40);
  Delete = addButton("Delete", 72);
  Clear = addButton("Clear", 104);
  BitBtn5 = addButton("&Cancel", 208);
  BitBtn6 = addButton("&OK", 240);
  Save = addButton("Save", 136);
  BitBtn6->setDefault(true);

  connect(add, &QPushButton::clicked, this, &Tmidi1::addClick);
  connect(Insert, &QPushButton::clicked, this, &Tmidi1::InsertClick);
  connect(Delete, &QPushButton::clicked, this, &Tmidi1::DeleteClick);
  connect(Clear, &QPushButton::clicked, this, &Tmidi1::ClearClick);
  connect(Save, &QPushButton::clicked, this, &Tmidi1::SaveClick);
  connect(BitBtn5, &QPushButton::clicked, this, &Tmidi1::BitBtn5Click);
  connect(BitBtn6, &QPushButton::clicked, this, &Tmidi1::BitBtn6Click);

  chooseFiles_ = [this](QWidget* owner) { return runOpenDialog(owner); };
}

QPushButton* Tmidi1::addButton(const QString& caption, int top) {
  auto* button = new QPushButton(caption, this);
  button->setGeometry(360, top, 65, 25);
  return button;
}

QFileDialog* Tmidi1::openDialog() {
  if (OpenDialog1 != nullptr) return OpenDialog1;
  OpenDialog1 = new QFileDialog(this);
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
  OpenDialog1->setFileMode(QFileDialog::ExistingFiles);
  OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
  OpenDialog1->setNameFilter("Midi / MP3 (*.mid *.mp3)");
  // Song names are matched without regard to case (".MID" files are songs too).
  OpenDialog1->setFilter(OpenDialog1->filter() & ~QDir::CaseSensitive);
  return OpenDialog1;
}

QStringList Tmidi1::runOpenDialog(QWidget*) {
  QFileDialog* dialog = openDialog();
  if (dialog->exec() != QDialog::Accepted) return {};
  return dialog->selectedFiles();
}

void Tmidi1::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* shown = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(shown->geometry().center());
    move(frame.topLeft());
  }
  platform::keepInsideWorkArea(this);
}

bool Tmidi1::runEditor(Playlist& playlist, int& chosenSong) {
  loadPlaylist(playlist);
  if (exec() != QDialog::Accepted) return false;
  playlist = list_.items;
  chosenSong = ChosenSong_;
  return true;
}

void Tmidi1::loadPlaylist(const Playlist& playlist) {
  list_ = EditedList{playlist, -1};
  showList();
}

void Tmidi1::readSelection() {
  const QModelIndexList rows = ListBox1->selectionModel()->selectedIndexes();
  list_.selected = rows.isEmpty() ? -1 : rows.front().row();
}

void Tmidi1::showList() {
  ListBox1->clear();
  for (const std::string& path : list_.items) ListBox1->addItem(shownPath(path));
  if (list_.selected >= 0) {
    ListBox1->setCurrentRow(list_.selected);
  } else {
    ListBox1->setCurrentRow(-1);
    ListBox1->clearSelection();
  }
}

// The files chosen in the open dialog as playlist entries; empty when the dialog was cancelled.
Playlist Tmidi1::chooseSongs() {
  Playlist paths;
  for (const QString& path : chooseFiles_(this)) paths.push_back(storedPath(path));
  return paths;
}

void Tmidi1::addClick() {
  const Playlist paths = chooseSongs();
  if (paths.empty()) return;
  readSelection();
  appendSongs(list_, paths);
  showList();
}

void Tmidi1::InsertClick() {
  readSelection();
  if (list_.selected < 0) return;  // no dialog without a place to insert at
  const Playlist paths = chooseSongs();
  if (paths.empty()) return;
  insertSongsBeforeSelected(list_, paths);
  showList();
}

void Tmidi1::DeleteClick() {
  readSelection();
  deleteSelectedSong(list_);
  showList();
}

void Tmidi1::ClearClick() {
  list_ = EditedList{};
  showList();
}

void Tmidi1::SaveClick() {
  if (const auto failure = savePlaylist(list_.items, startDir_))
    platform::showMessage(this, QString::fromStdString(*failure),
                          QApplication::applicationDisplayName());
}

void Tmidi1::BitBtn6Click() {
  readSelection();
  ChosenSong_ = chosenSongForOk(list_);
  done(QDialog::Accepted);
}

void Tmidi1::BitBtn5Click() { reject(); }

void Tmidi1::ListBox1DblClick() {
  readSelection();
  ChosenSong_ = chosenSongForDoubleClick(list_);
  done(QDialog::Accepted);
}

// A left press selects an entry as usual and arms a drag; moving the pointer beyond the drag
// distance drags, and releasing it over an entry moves the selected entry there. While the
// button is held the list must not move its selection after the pointer.
bool Tmidi1::eventFilter(QObject* watched, QEvent* event) {
  if (watched != ListBox1->viewport()) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonDblClick:
      ListBox1DblClick();
      return true;
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
        ListBox1->viewport()->setCursor(Qt::DragMoveCursor);
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
    default:
      return QDialog::eventFilter(watched, event);
  }
}

void Tmidi1::resetDrag() {
  dragArmed_ = dragging_ = dragCancelled_ = false;
  ListBox1->viewport()->unsetCursor();
}

// Escape while the button is held on the list cancels the drag, as it does any drag; only
// otherwise does it close the editor like Cancel.
void Tmidi1::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && dragArmed_ && !dragCancelled_) {
    dragging_ = false;
    dragCancelled_ = true;
    ListBox1->viewport()->unsetCursor();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void Tmidi1::dropAt(const QPoint& viewportPos) {
  if (!ListBox1->viewport()->rect().contains(viewportPos)) return;  // dropped outside the list
  readSelection();
  DragFromIndex = list_.selected;
  const QModelIndex target = ListBox1->indexAt(viewportPos);  // none below the last entry
  if (!target.isValid()) return;
  if (moveSong(list_, DragFromIndex, target.row())) showList();
}

}  // namespace music
