#include "playlist_file.h"

#include "file_io.h"

#include <string_view>

namespace music {

namespace {

// A playlist of this size would hold tens of thousands of songs; larger files are not playlists.
constexpr std::size_t kMaxPlaylistBytes = 4u << 20;

}  // namespace

std::optional<Playlist> loadPlaylist(const std::string& dir) {
  const auto path = platform::findFileNoCase(dir, kPlaylistFileName);
  if (!path) return std::nullopt;
  const auto bytes = platform::readFile(*path, kMaxPlaylistBytes);
  if (!bytes) return std::nullopt;
  return platform::splitLines(
      std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

std::string playlistSavePath(const std::string& startDir) {
  return platform::joinPath(startDir, kPlaylistFileName);
}

std::optional<std::string> savePlaylist(const Playlist& playlist, const std::string& startDir) {
  const std::string path = playlistSavePath(startDir);
  const std::string text = platform::joinLinesCrLf(playlist);
  std::string reason;
  if (platform::writeFileAtomically(path, text.data(), text.size(), &reason)) return std::nullopt;
  return "Cannot create file \"" + path + "\". " + reason;
}

}  // namespace music
