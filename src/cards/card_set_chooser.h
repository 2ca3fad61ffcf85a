#pragma once
// The card-set chooser "Open": a volume list (with the desktop's card-theme folders after the
// volumes), a folder tree and a list of the card-set files (*.tvp, *.tavi, and the SVG decks
// *.svg, *.svgz, any case) of the listed folder, with a preview of the first card face of the
// file clicked last. The preview is loaded on a worker thread (parsing a large SVG deck takes a
// while), so the list answers at once; the newest selection's preview wins.
//
// The window is created once and reused: it keeps its folder, its selection and its preview
// between uses. The listed folder is state of the chooser only; the process's current
// directory is never changed.
//
// Use:
//   CardSetChooser chooser(startDir);
//   QString path;
//   if (chooser.chooseCardSet(path)) { ... load `path` ... }
#include <QDialog>
#include <QFutureWatcher>
#include <QImage>
#include <QString>
#include <functional>

class QComboBox;
class QFileSystemModel;
class QFrame;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;
class QTreeView;

namespace cards {

class CardSetChooser : public QDialog {
  Q_OBJECT

 public:
  // Gives the 88 x 130 preview picture of a file, or a null image for a file that is no
  // card set. The game passes cards::loadCardPreview. It is called on worker threads for the
  // preview and on the window's thread when OK is pressed, so it must be safe to call from any
  // thread.
  using PreviewLoader = std::function<QImage(const QString& fileName)>;

  // `startDir` is the folder listed at the first use.
  explicit CardSetChooser(const QString& startDir, QWidget* parent = nullptr);
  CardSetChooser(const QString& startDir, PreviewLoader loadPreview, QWidget* parent = nullptr);

  // Shows the chooser modally. True when it closed with OK and a file selected; `fullPath`
  // then holds that file's full path (otherwise it is left unchanged). OK on a file without
  // card pictures says so and leaves the chooser open.
  bool chooseCardSet(QString& fullPath);

  // The full path of the selected file, or an empty string when no file is selected.
  QString selectedFile() const;

  // The folder whose card-set files are listed.
  QString listedDirectory() const { return listedDir_; }
  // Lists `dir` (a folder chosen in the tree or the volume list). A folder that does not
  // exist is ignored.
  void setListedDirectory(const QString& dir);

  // Components, named as in the window's layout; public for tests and screenshots.
  QComboBox* volumeList;
  QTreeView* folderTree;
  QListWidget* fileList;
  QFrame* previewFrame;
  QLabel* previewPicture;
  QPushButton* cancelButton;  // "&Cancel"
  QPushButton* okButton;      // "&OK"

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void fileClicked(QListWidgetItem* item);
  // Watches `load` for the preview in place of any load still running, which is cancelled and
  // whose picture is never shown.
  void awaitPreview(const QFuture<QImage>& load);
  // Clears the preview, and drops one still loading: it belonged to a file no longer selected.
  void clearPreview();
  void fileDoubleClicked(QListWidgetItem* item);
  void confirmChoice();
  // Closes with OK when the selected file gives card pictures, else says so and stays open.
  void acceptCardSet();
  void fillDriveList();
  // The folder tree's model is made when the chooser is first shown: it watches folders and
  // reads them on a thread of its own, which a game that never opens the chooser need not pay.
  void createFolderModel();
  // Selects the listed folder's volume in the volume list and the folder in the tree.
  void showListedFolder();
  void revealListedFolder();
  // Lists the card-set files of the listed folder and selects `selectName` when it is among
  // them; true when it was.
  bool listFiles(const QString& selectName);

  PreviewLoader loadPreview_;
  QFutureWatcher<QImage> previewLoad_;
  QFileSystemModel* folders_ = nullptr;
  QTimer* revealTimer_;
  QString listedDir_;
};

}  // namespace cards
