#include "music/playlist_edits.h"

namespace music {

namespace {

bool isEntry(const EditedList& list, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.items.size();
}

}  // namespace

void appendSongs(EditedList& list, const Playlist& paths) {
  list.items.insert(list.items.end(), paths.begin(), paths.end());
}

void insertSongsBeforeSelected(EditedList& list, const Playlist& paths) {
  if (!isEntry(list, list.selected)) return;
  // Each path goes in at the index the selected entry had, pushing the earlier ones down.
  const int at = list.selected;
  for (const std::string& path : paths) list.items.insert(list.items.begin() + at, path);
  list.selected += static_cast<int>(paths.size());  // the selection stays on the same entry
}

void deleteSelectedSong(EditedList& list) {
  if (!isEntry(list, list.selected)) return;
  list.items.erase(list.items.begin() + list.selected);
  list.selected = -1;
}

bool moveSong(EditedList& list, int from, int to) {
  if (!isEntry(list, from) || !isEntry(list, to)) return false;
  std::string song = std::move(list.items[from]);
  list.items.erase(list.items.begin() + from);
  list.items.insert(list.items.begin() + to, std::move(song));
  list.selected = to;
  return true;
}

int chosenSongForOk(const EditedList& list) {
  if (list.items.empty()) return -1;
  return isEntry(list, list.selected) ? list.selected : 0;
}

int chosenSongForDoubleClick(const EditedList& list) {
  return isEntry(list, list.selected) ? list.selected : -1;
}

}  // namespace music
