#include "card_set_chooser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>

#include "card_set_loader.h"
#include "platform/message_box.h"
#include "platform/screen_metrics.h"

namespace {

// Rows of one fixed height, as the folder tree (16) and the file list (13) want them.
class FixedRowHeight : public QStyledItemDelegate {
 public:
  FixedRowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
  }

 private:
  int height_;
};

// The nearest existing folder at or above `dir`, as a clean absolute path.
QString existingFolder(const QString& dir) {
  QString path = QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
  while (!QFileInfo(path).isDir()) {
    const QString parent = QFileInfo(path).path();
    if (parent == path) return QDir::rootPath();
    path = parent;
  }
  return path;
}

// True when `dir` is `folder` or lies inside it.
bool isWithin(const QString& dir, const QString& folder) {
  if (dir == folder) return true;
  return dir.startsWith(folder.endsWith('/') ? folder : folder + '/');
}

QString volumeRoot(const QString& dir) {
  const QStorageInfo volume(dir);
  return volume.isValid() ? QDir::cleanPath(volume.rootPath()) : QDir::rootPath();
}

}  // namespace

TOpenBestand::TOpenBestand(const QString& startDir, QWidget* parent)
    : TOpenBestand(startDir, cards::LoadCardPreview, parent) {}

TOpenBestand::TOpenBestand(const QString& startDir, PreviewLoader loadPreview, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      loadPreview_(std::move(loadPreview)),
      listedDir_(existingFolder(startDir)) {
  setWindowTitle(QStringLiteral("Open"));
  setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
  setFixedSize(431, 302);
  move(310, 225);

  DriveComboBox1 = new QComboBox(this);
  DriveComboBox1->setGeometry(0, 8, 145, 19);

  DirectoryListBox1 = new QTreeView(this);
  DirectoryListBox1->setGeometry(0, 32, 145, 265);
  DirectoryListBox1->setHeaderHidden(true);
  DirectoryListBox1->setUniformRowHeights(true);
  DirectoryListBox1->setItemDelegate(new FixedRowHeight(16, DirectoryListBox1));
  DirectoryListBox1->setIndentation(12);

  FileListBox1 = new QListWidget(this);
  FileListBox1->setGeometry(152, 8, 177, 289);
  FileListBox1->setUniformItemSizes(true);
  FileListBox1->setItemDelegate(new FixedRowHeight(13, FileListBox1));
  FileListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

  Panel1 = new QFrame(this);
  Panel1->setGeometry(336, 8, 92, 134);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setLineWidth(2);
  PreImage = new QLabel(Panel1);
  PreImage->setGeometry(2, 2, 88, 130);
  PreImage->setScaledContents(true);

  BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                            QStringLiteral("&Cancel"), this);
  BitBtn2->setGeometry(352, 240, 75, 25);
  BitBtn2->setAutoDefault(false);
  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                            QStringLiteral("&OK"), this);
  BitBtn1->setGeometry(352, 272, 75, 25);
  BitBtn1->setDefault(true);

  connect(DriveComboBox1, &QComboBox::activated, this, [this](int index) {
    setListedDirectory(DriveComboBox1->itemData(index).toString());
  });
  revealTimer_ = new QTimer(this);
  revealTimer_->setSingleShot(true);
  revealTimer_->setInterval(0);
  connect(revealTimer_, &QTimer::timeout, this, &TOpenBestand::revealListedFolder);
  // A click, or a move of the selection by keys, shows the preview of the file.
  connect(FileListBox1, &QListWidget::currentItemChanged, this,
          [this](QListWidgetItem* item) { FileListBox1Click(item); });
  connect(FileListBox1, &QListWidget::itemDoubleClicked, this,
          &TOpenBestand::FileListBox1DblClick);
  connect(BitBtn1, &QPushButton::clicked, this, &TOpenBestand::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

  fillDriveList();
  showListedFolder();
  listFiles({});
}

void TOpenBestand::createFolderModel() {
  folders_ = new QFileSystemModel(this);
  folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  folders_->setReadOnly(true);
  DirectoryListBox1->setModel(folders_);
  for (int column = 1; column < folders_->columnCount(); ++column)
    DirectoryListBox1->hideColumn(column);
  DirectoryListBox1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  DirectoryListBox1->header()->setStretchLastSection(false);
  connect(DirectoryListBox1, &QTreeView::clicked, this, [this](const QModelIndex& index) {
    setListedDirectory(folders_->filePath(index));
  });
  connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) {
            if (index.isValid()) setListedDirectory(folders_->filePath(index));
          });
  // The folder model reads folders in the background and adds and sorts their entries in
  // batches; each time the folders on the way to the listed one change, the listed folder is
  // scrolled into view again once the batch is through.
  const auto revealAfterChangeIn = [this](const QModelIndex& parent) {
    if (parent.isValid() && isWithin(listedDir_, folders_->filePath(parent))) revealTimer_->start();
  };
  connect(folders_, &QAbstractItemModel::rowsInserted, this, revealAfterChangeIn);
  connect(folders_, &QAbstractItemModel::layoutChanged, this,
          [this, revealAfterChangeIn](const QList<QPersistentModelIndex>& parents) {
            if (parents.isEmpty()) revealTimer_->start();
            for (const QPersistentModelIndex& parent : parents) revealAfterChangeIn(parent);
          });
}

bool TOpenBestand::chooseCardSet(QString& fullPath) {
  if (exec() != QDialog::Accepted) return false;
  const QString chosen = selectedFile();
  if (chosen.isEmpty()) return false;
  fullPath = chosen;
  return true;
}

QString TOpenBestand::selectedFile() const {
  const QListWidgetItem* item = FileListBox1->currentItem();
  if (item == nullptr || !item->isSelected()) return {};
  return QDir(listedDir_).filePath(item->text());
}

void TOpenBestand::setListedDirectory(const QString& dir) {
  if (!QFileInfo(dir).isDir()) return;
  const QString folder = existingFolder(dir);
  if (folder == listedDir_) return;
  listedDir_ = folder;
  showListedFolder();
  listFiles({});
  PreImage->clear();  // the preview belonged to a file of the folder listed before
}

void TOpenBestand::showEvent(QShowEvent* event) {
  // The window's stated position lies partly off a small screen.
  platform::keepInsideWorkArea(this);
  // Files and volumes may have come or gone since the last use; folder and selection stay.
  listedDir_ = existingFolder(listedDir_);
  if (folders_ == nullptr) createFolderModel();
  fillDriveList();
  showListedFolder();
  const QString selected = selectedFile();
  if (!listFiles(selected.isEmpty() ? QString() : QFileInfo(selected).fileName()))
    PreImage->clear();
  QDialog::showEvent(event);
  // Scrolling needs the tree laid out at its shown size.
  revealTimer_->start();
}

void TOpenBestand::FileListBox1Click(QListWidgetItem* item) {
  if (item == nullptr) return;
  const QImage preview = loadPreview_(QDir(listedDir_).filePath(item->text()));
  if (preview.isNull())
    PreImage->clear();
  else
    PreImage->setPixmap(QPixmap::fromImage(preview));
}

void TOpenBestand::FileListBox1DblClick(QListWidgetItem* item) {
  FileListBox1->setCurrentItem(item);
  acceptCardSet();
}

void TOpenBestand::BitBtn1Click() {
  if (selectedFile().isEmpty())
    reject();
  else
    acceptCardSet();
}

void TOpenBestand::acceptCardSet() {
  // The file has no preview exactly when it gives no card pictures at all (a truncated set
  // still has one); loading it would leave the table without cards.
  const QString file = selectedFile();
  if (loadPreview_(file).isNull())
    platform::showMessage(this, cards::NoCardPicturesText(file), windowTitle());
  else
    accept();
}

void TOpenBestand::fillDriveList() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    const QString root = QDir::cleanPath(volume.rootPath());
    // Bind mounts of single files (common in containers) are no places to browse.
    if (volume.isValid() && volume.isReady() && QFileInfo(root).isDir()) roots << root;
  }
  roots.sort(Qt::CaseInsensitive);
  roots.removeDuplicates();
  const QSignalBlocker quiet(DriveComboBox1);
  DriveComboBox1->clear();
  for (const QString& root : roots) DriveComboBox1->addItem(QDir::toNativeSeparators(root), root);
}

void TOpenBestand::showListedFolder() {
  const QString root = volumeRoot(listedDir_);
  {
    const QSignalBlocker quiet(DriveComboBox1);
    int index = DriveComboBox1->findData(root);
    if (index < 0) {
      DriveComboBox1->addItem(QDir::toNativeSeparators(root), root);
      index = DriveComboBox1->count() - 1;
    }
    DriveComboBox1->setCurrentIndex(index);
  }
  if (folders_ == nullptr) return;  // not shown yet: the tree is filled on the first show
  folders_->setRootPath(root);
  DirectoryListBox1->setRootIndex(folders_->index(root));
  const QModelIndex folder = folders_->index(listedDir_);
  const bool isRoot = !folder.isValid() || folder == DirectoryListBox1->rootIndex();
  {
    const QSignalBlocker quiet(DirectoryListBox1->selectionModel());
    DirectoryListBox1->setCurrentIndex(isRoot ? QModelIndex() : folder);
  }
  if (isRoot) return;
  DirectoryListBox1->expand(folder);
  revealListedFolder();
}

void TOpenBestand::revealListedFolder() {
  if (folders_ == nullptr || !isVisible()) return;
  const QModelIndex folder = folders_->index(listedDir_);
  if (!folder.isValid()) return;
  DirectoryListBox1->scrollTo(folder, QAbstractItemView::PositionAtCenter);
  // Keep the tree's left edge in view rather than the end of a long folder name.
  DirectoryListBox1->horizontalScrollBar()->setValue(0);
}

bool TOpenBestand::listFiles(const QString& selectName) {
  // Name filters of QDir match without regard to case unless told otherwise.
  const QStringList names =
      QDir(listedDir_).entryList({QStringLiteral("*.tvp"), QStringLiteral("*.tavi")},
                                 QDir::Files, QDir::Name | QDir::IgnoreCase);
  const QSignalBlocker quiet(FileListBox1);
  FileListBox1->clear();
  FileListBox1->addItems(names);
  if (selectName.isEmpty()) return false;
  const QList<QListWidgetItem*> found = FileListBox1->findItems(selectName, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  FileListBox1->setCurrentItem(found.first());
  return true;
}
