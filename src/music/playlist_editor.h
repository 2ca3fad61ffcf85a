#pragma once
// Tmidi1, the "Music Playlist" editor: a modal dialog in which the player adds, inserts, deletes,
// clears, reorders (by dragging) and saves the playlist's songs and picks the song to start with.
//
// Use: create it once and call runEditor() for "Music &playlist". Each run starts from the
// running playlist with nothing selected; OK hands back the edited list and the chosen song.
// Save writes "Playlist.ini" into the start directory at once, whatever the run's outcome.
#include "playlist_edits.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <string>

class QFileDialog;
class QListWidget;
class QPushButton;

namespace music {

class Tmidi1 : public QDialog {
  Q_OBJECT

public:
  // Asks for songs to add; an empty list means the player cancelled.
  using FileChooser = std::function<QStringList(QWidget* parent)>;

  explicit Tmidi1(const std::string& startDir = {}, QWidget* parent = nullptr);

  void setStartDir(const std::string& startDir) { startDir_ = startDir; }

  // Shows the editor modally on a copy of `playlist`. Returns true when it was closed with OK:
  // then `playlist` holds the edited list and `chosenSong` the song to start with (-1: none).
  // On Cancel, Escape or the close button both stay as they were.
  bool runEditor(Playlist& playlist, int& chosenSong);

  // The pieces of runEditor(), for callers that drive the dialog themselves.
  void loadPlaylist(const Playlist& playlist);  // nothing selected afterwards
  const Playlist& playlist() const { return list_.items; }
  int ChosenSong() const { return ChosenSong_; }

  // Replaces the open-file dialog (for tests); the default runs OpenDialog1.
  void setFileChooser(FileChooser chooser) { chooseFiles_ = std::move(chooser); }
  // The open-file dialog, created on first use: building it (a folder watcher thread, the file
  // types, the icons) is most of the editor's cost, and many games never add a song.
  QFileDialog* openDialog();
  QListWidget* listBox() const { return ListBox1; }

  // Button and list handlers.
  void addClick();
  void InsertClick();
  void DeleteClick();
  void ClearClick();
  void SaveClick();
  void BitBtn6Click();  // OK
  void BitBtn5Click();  // Cancel
  void ListBox1DblClick();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  QPushButton* addButton(const QString& caption, int top);
  QStringList runOpenDialog(QWidget* parent);
  void readSelection();
  Playlist chooseSongs();
  void showList();
  void dropAt(const QPoint& viewportPos);
  void resetDrag();

  QListWidget* ListBox1;
  QPushButton* add;
  QPushButton* Insert;
  QPushButton* Delete;
  QPushButton* Clear;
  QPushButton* BitBtn5;
  QPushButton* BitBtn6;
  QPushButton* Save;
  QFileDialog* OpenDialog1 = nullptr;
  FileChooser chooseFiles_;

  std::string startDir_;
  EditedList list_;      // the entries as bytes, exactly as they will be handed back
  int ChosenSong_ = -1;
  int DragFromIndex = -1;
  bool dragArmed_ = false;
  bool dragging_ = false;
  bool dragCancelled_ = false;  // by Escape; the list ignores the pointer until the release
  QPoint pressPos_;
};

}  // namespace music
