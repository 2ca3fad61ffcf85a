#pragma once
// The playlist and its file "Playlist.ini": one song path per line, CR LF after every line.
#include <optional>
#include <string>
#include <vector>

namespace music {

// Song paths in playing order; duplicates and empty entries are allowed.
using Playlist = std::vector<std::string>;

inline constexpr const char* kPlaylistFileName = "Playlist.ini";

// Reads "Playlist.ini" (its name matched without regard to case) from `dir`. nullopt when there
// is no such file or it cannot be read. Lines end at CR LF, CR or LF; a NUL byte ends the text of
// its line; a blank line is an empty entry. A file that is damaged (NUL bytes) or too large for
// platform::readTextLines gives the entries that could be read, and *notice (if given) gets the
// message that tells the player so; such a file is never saved over.
std::optional<Playlist> loadPlaylist(const std::string& dir, std::string* notice = nullptr);

// Where Save writes: "Playlist.ini" in the start directory.
std::string playlistSavePath(const std::string& startDir);

// Writes the entries with CR LF after each one (an empty list gives an empty file), replacing the
// old file only when the whole text was written and the old file could be read whole and written
// by the player. On failure returns the message to show.
std::optional<std::string> savePlaylist(const Playlist& playlist, const std::string& startDir);

}  // namespace music
