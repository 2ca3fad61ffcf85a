#include "cards/card_set_chooser.h"

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
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>

#include "cards/card_set_loader.h"
#include "cards/run_later.h"
#include "platform/message_box.h"
#include "platform/screen_metrics.h"

namespace cards {

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

// Where the desktop's card themes are installed, as far as they are: KDE's decks (one folder
// per deck) and AisleRiot's, under every data folder of the desktop.
QStringList cardThemeFolders() {
  QStringList folders;
  for (const QString& name : {QStringLiteral("carddecks"), QStringLiteral("aisleriot/cards")})
    folders += QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, name,
                                         QStandardPaths::LocateDirectory);
  return folders;
}

QString volumeRoot(const QString& dir) {
  const QStorageInfo volume(dir);
  return volume.isValid() ? QDir::cleanPath(volume.rootPath()) : QDir::rootPath();
}

}  // namespace

CardSetChooser::CardSetChooser(const QString& startDir, QWidget* parent)
    : CardSetChooser(startDir, cards::loadCardPreview, parent) {}

CardSetChooser::CardSetChooser(const QString& startDir, PreviewLoader loadPreview, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      loadPreview_(std::move(loadPreview)),
      listedDir_(existingFolder(startDir)) {
  setWindowTitle(QStringLiteral("Open"));
  setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
  setFixedSize(431, 302);
  move(310, 225);

  volumeList = new QComboBox(this);
  volumeList->setGeometry(0, 8, 145, 19);

  folderTree = new QTreeView(this);
  folderTree->setGeometry(0, 32, 145, 265);
  folderTree->setHeaderHidden(true);
  folderTree->setUniformRowHeights(true);
  folderTree->setItemDelegate(new FixedRowHeight(16, folderTree));
  folderTree->setIndentation(12);

  fileList = new QListWidget(this);
  fileList->setGeometry(152, 8, 177, 289);
  fileList->setUniformItemSizes(true);
  fileList->setItemDelegate(new FixedRowHeight(13, fileList));
  fileList->setSelectionMode(QAbstractItemView::SingleSelection);

  previewFrame = new QFrame(this);
  previewFrame->setGeometry(336, 8, 92, 134);
  previewFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  previewFrame->setLineWidth(2);
  previewPicture = new QLabel(previewFrame);
  previewPicture->setGeometry(2, 2, 88, 130);
  previewPicture->setScaledContents(true);

  cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
  cancelButton->setGeometry(352, 240, 75, 25);
  cancelButton->setAutoDefault(false);
  okButton = new QPushButton(QStringLiteral("&OK"), this);
  okButton->setGeometry(352, 272, 75, 25);
  okButton->setDefault(true);

  connect(volumeList, &QComboBox::activated, this,
          [this](int index) { setListedDirectory(volumeList->itemData(index).toString()); });
  revealTimer_ = new QTimer(this);
  revealTimer_->setSingleShot(true);
  revealTimer_->setInterval(0);
  connect(revealTimer_, &QTimer::timeout, this, &CardSetChooser::revealListedFolder);
  // A click, or a move of the selection by keys, shows the preview of the file.
  connect(fileList, &QListWidget::currentItemChanged, this,
          [this](QListWidgetItem* item) { fileClicked(item); });
  connect(fileList, &QListWidget::itemDoubleClicked, this, &CardSetChooser::fileDoubleClicked);
  connect(&previewLoad_, &QFutureWatcherBase::finished, this, [this] {
    if (previewLoad_.isCanceled()) return;
    const QImage preview = previewLoad_.result();
    if (preview.isNull())
      previewPicture->clear();
    else
      previewPicture->setPixmap(QPixmap::fromImage(preview));
  });
  connect(okButton, &QPushButton::clicked, this, &CardSetChooser::confirmChoice);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  // The volumes, the folder tree and the files are listed when the window is shown.
}

void CardSetChooser::createFolderModel() {
  folders_ = new QFileSystemModel(this);
  folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  folders_->setReadOnly(true);
  folderTree->setModel(folders_);
  for (int column = 1; column < folders_->columnCount(); ++column) folderTree->hideColumn(column);
  folderTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  folderTree->header()->setStretchLastSection(false);
  connect(folderTree, &QTreeView::clicked, this,
          [this](const QModelIndex& index) { setListedDirectory(folders_->filePath(index)); });
  connect(folderTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
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

bool CardSetChooser::chooseCardSet(QString& fullPath) {
  if (exec() != QDialog::Accepted) return false;
  const QString chosen = selectedFile();
  if (chosen.isEmpty()) return false;
  fullPath = chosen;
  return true;
}

QString CardSetChooser::selectedFile() const {
  const QListWidgetItem* item = fileList->currentItem();
  if (item == nullptr || !item->isSelected()) return {};
  return QDir(listedDir_).filePath(item->text());
}

void CardSetChooser::setListedDirectory(const QString& dir) {
  if (!QFileInfo(dir).isDir()) return;
  const QString folder = existingFolder(dir);
  if (folder == listedDir_) return;
  listedDir_ = folder;
  showListedFolder();
  listFiles({});
  clearPreview();  // the preview belonged to a file of the folder listed before
}

void CardSetChooser::showEvent(QShowEvent* event) {
  // The window's stated position lies partly off a small screen.
  platform::keepInsideWorkArea(this);
  // Files and volumes may have come or gone since the last use; folder and selection stay.
  listedDir_ = existingFolder(listedDir_);
  if (folders_ == nullptr) {
    // Made at the first showing, as the folder model is: the style renders each icon at every
    // size it has, and many runs never open this window.
    cancelButton->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    okButton->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    createFolderModel();
  }
  fillDriveList();
  showListedFolder();
  const QString selected = selectedFile();
  if (!listFiles(selected.isEmpty() ? QString() : QFileInfo(selected).fileName())) clearPreview();
  QDialog::showEvent(event);
  // Scrolling needs the tree laid out at its shown size.
  revealTimer_->start();
}

void CardSetChooser::fileClicked(QListWidgetItem* item) {
  // The picture shown stays until the new one is there, so that moving through the list does
  // not flicker.
  if (item != nullptr)
    awaitPreview(
        runLater([loadPreview = loadPreview_, fileName = QDir(listedDir_).filePath(item->text())](
                     const std::function<bool()>&) { return loadPreview(fileName); }));
}

void CardSetChooser::awaitPreview(const QFuture<QImage>& load) {
  // Cancelling spares the worker a load that has not started; one that has runs to its end
  // unwatched. A replaced future's pending notices are discarded with it.
  previewLoad_.cancel();
  previewLoad_.setFuture(load);
}

void CardSetChooser::clearPreview() {
  awaitPreview(QFuture<QImage>());  // an empty future counts as cancelled
  previewPicture->clear();
}

void CardSetChooser::fileDoubleClicked(QListWidgetItem* item) {
  fileList->setCurrentItem(item);
  acceptCardSet();
}

void CardSetChooser::confirmChoice() {
  if (selectedFile().isEmpty())
    reject();
  else
    acceptCardSet();
}

void CardSetChooser::acceptCardSet() {
  // The file has no preview exactly when it gives no card pictures at all (a truncated set
  // still has one); loading it would leave the table without cards.
  const QString file = selectedFile();
  if (loadPreview_(file).isNull())
    platform::showMessage(this, cards::NoCardPicturesText(file), windowTitle());
  else
    accept();
}

void CardSetChooser::fillDriveList() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    const QString root = QDir::cleanPath(volume.rootPath());
    // Bind mounts of single files (common in containers) are no places to browse.
    if (volume.isValid() && volume.isReady() && QFileInfo(root).isDir()) roots << root;
  }
  roots.sort(Qt::CaseInsensitive);
  roots.removeDuplicates();
  const QSignalBlocker quiet(volumeList);
  volumeList->clear();
  for (const QString& root : roots) volumeList->addItem(QDir::toNativeSeparators(root), root);
  // The desktop's card themes follow the volumes, so that their SVG decks are one choice away.
  for (const QString& folder : cardThemeFolders()) {
    const QString path = QDir::cleanPath(folder);
    if (volumeList->findData(path) < 0) volumeList->addItem(QDir::toNativeSeparators(path), path);
  }
}

void CardSetChooser::showListedFolder() {
  const QString root = volumeRoot(listedDir_);
  {
    const QSignalBlocker quiet(volumeList);
    int index = volumeList->findData(root);
    if (index < 0) {
      volumeList->addItem(QDir::toNativeSeparators(root), root);
      index = volumeList->count() - 1;
    }
    // A card-theme folder that holds the listed folder is the closer choice.
    for (int i = 0; i < volumeList->count(); ++i) {
      const QString place = volumeList->itemData(i).toString();
      if (isWithin(listedDir_, place) &&
          place.size() > volumeList->itemData(index).toString().size())
        index = i;
    }
    volumeList->setCurrentIndex(index);
  }
  if (folders_ == nullptr) return;  // not shown yet: the tree is filled on the first show
  folders_->setRootPath(root);
  folderTree->setRootIndex(folders_->index(root));
  const QModelIndex folder = folders_->index(listedDir_);
  const bool isRoot = !folder.isValid() || folder == folderTree->rootIndex();
  {
    const QSignalBlocker quiet(folderTree->selectionModel());
    folderTree->setCurrentIndex(isRoot ? QModelIndex() : folder);
  }
  if (isRoot) return;
  folderTree->expand(folder);
  revealListedFolder();
}

void CardSetChooser::revealListedFolder() {
  if (folders_ == nullptr || !isVisible()) return;
  const QModelIndex folder = folders_->index(listedDir_);
  if (!folder.isValid()) return;
  folderTree->scrollTo(folder, QAbstractItemView::PositionAtCenter);
  // Keep the tree's left edge in view rather than the end of a long folder name.
  folderTree->horizontalScrollBar()->setValue(0);
}

bool CardSetChooser::listFiles(const QString& selectName) {
  // Name filters of QDir match without regard to case unless told otherwise.
  const QStringList names = QDir(listedDir_)
                                .entryList({QStringLiteral("*.tvp"), QStringLiteral("*.tavi"),
                                            QStringLiteral("*.svg"), QStringLiteral("*.svgz")},
                                           QDir::Files, QDir::Name | QDir::IgnoreCase);
  const QSignalBlocker quiet(fileList);
  fileList->clear();
  fileList->addItems(names);
  if (selectName.isEmpty()) return false;
  const QList<QListWidgetItem*> found = fileList->findItems(selectName, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  fileList->setCurrentItem(found.first());
  return true;
}

}  // namespace cards
