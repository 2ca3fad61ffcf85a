#pragma once
// The playlist editor's list operations, apart from the window: the items and the selected row.
#include "music/playlist_file.h"

namespace music {

struct EditedList {
  Playlist items;
  int selected = -1;  // -1: nothing selected
};

// Add: the chosen paths go to the end, in the order given.
void appendSongs(EditedList& list, const Playlist& paths);

// Insert: the chosen paths go directly before the selected entry, in reverse order (each one is
// inserted at the selected entry's index), and the same entry stays selected. Nothing happens
// when no entry is selected.
void insertSongsBeforeSelected(EditedList& list, const Playlist& paths);

// Delete: removes the selected entry (afterwards nothing is selected); nothing when none is.
void deleteSelectedSong(EditedList& list);

// Drag and drop: takes the entry at `from` out and puts it in at `to` of the shortened list, so
// it takes the place of the entry it was dropped on. Returns false, changing nothing, unless
// both indexes name existing entries. The moved entry becomes the selected one.
bool moveSong(EditedList& list, int from, int to);

// The song to start with when the editor closes with OK: the selected entry, 0 when none is
// selected, -1 when the list is empty.
int chosenSongForOk(const EditedList& list);

// The same for a double click on the list: the selected entry, or -1 when none is selected.
int chosenSongForDoubleClick(const EditedList& list);

}  // namespace music
