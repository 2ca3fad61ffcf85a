#pragma once
// PlaylistEditor, the "Music Playlist" editor: a modal dialog in which the player adds, inserts,
// deletes, clears, reorders (by dragging) and saves the playlist's songs and picks the song to
// start with.
//
// Use: create it once and call runEditor() for "Music &playlist". Each run starts from the
// running playlist with nothing selected; OK hands back the edited list and the chosen song.
// Save writes "Playlist.ini" into the start directory at once, whatever the run's outcome.
#include "music/playlist_edits.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <string>

class QFileDialog;
class QListWidget;
class QPushButton;

namespace music {

class PlaylistEditor : public QDialog {
  Q_OBJECT

 public:
  // Asks for songs to add; an empty list means the player cancelled.
  using FileChooser = std::function<QStringList(QWidget* parent)>;

  explicit PlaylistEditor(const std::string& startDir = {}, QWidget* parent = nullptr);

  void setStartDir(const std::string& startDir) { startDir_ = startDir; }

  // Shows the editor modally on a copy of `playlist`. Returns true when it was closed with OK:
  // then `playlist` holds the edited list and `chosenSong` the song to start with (-1: none).
  // On Cancel, Escape or the close button both stay as they were.
  bool runEditor(Playlist& playlist, int& chosenSong);

  // The pieces of runEditor(), for callers that drive the dialog themselves.
  void loadPlaylist(const Playlist& playlist);  // nothing selected afterwards
  const Playlist& playlist() const { return list_.items; }
  int chosenSong() const { return chosenSong_; }

  // Replaces the open-file dialog (for tests); the default runs openDialog_.
  void setFileChooser(FileChooser chooser) { chooseFiles_ = std::move(chooser); }
  // The open-file dialog, created on first use: building it (a folder watcher thread, the file
  // types, the icons) is most of the editor's cost, and many games never add a song.
  QFileDialog* openDialog();
  QListWidget* songList() const { return songList_; }

  // Button and list handlers.
  void addSongs();
  void insertSongs();
  void deleteSong();
  void clearList();
  void saveList();
  void confirm();  // OK
  void cancel();   // Cancel
  void songDoubleClicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QPushButton* makeButton(const QString& caption, int top);
  QStringList runOpenDialog(QWidget* parent);
  void readSelection();
  Playlist chooseSongs();
  void showList();
  void dropAt(const QPoint& viewportPos);
  void resetDrag();

  QListWidget* songList_;
  QPushButton* addButton_;
  QPushButton* insertButton_;
  QPushButton* deleteButton_;
  QPushButton* clearButton_;
  QPushButton* cancelButton_;
  QPushButton* okButton_;
  QPushButton* saveButton_;
  QFileDialog* openDialog_ = nullptr;
  FileChooser chooseFiles_;

  std::string startDir_;
  EditedList list_;  // the entries as bytes, exactly as they will be handed back
  int chosenSong_ = -1;
  int dragFromIndex_ = -1;
  bool dragArmed_ = false;
  bool dragging_ = false;
  bool dragCancelled_ = false;  // by Escape; the list ignores the pointer until the release
  QPoint pressPos_;
};

}  // namespace music
