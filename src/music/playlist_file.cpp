#include "music/playlist_file.h"

#include "platform/file_io.h"

#include <utility>

namespace music {

std::optional<Playlist> loadPlaylist(const std::string& dir, std::string* notice) {
  const auto path = platform::findFileNoCase(dir, kPlaylistFileName);
  if (!path) return std::nullopt;
  auto text = platform::loadPlayerLines(*path, notice);
  if (!text) return std::nullopt;
  return std::move(text->lines);
}

std::string playlistSavePath(const std::string& startDir) {
  return platform::joinPath(startDir, kPlaylistFileName);
}

std::optional<std::string> savePlaylist(const Playlist& playlist, const std::string& startDir) {
  const std::string path = playlistSavePath(startDir);
  std::string reason;
  if (platform::writeTextLines(path, playlist, &reason)) return std::nullopt;
  return "Cannot create file \"" + path + "\". " + reason;
}

}  // namespace music
