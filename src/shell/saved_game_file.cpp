#include "shell/saved_game_file.h"

#include <filesystem>

#include "platform/file_io.h"

namespace fs = std::filesystem;

namespace shell {
namespace {

constexpr std::size_t kFileCap = std::size_t{32} << 20;  // far beyond the longest game

std::string savedGamePath(const std::string& dir) {
  return platform::joinPath(dir, game::kSavedGameFileName);
}

// Renames the file to the first free "Game.ini.unread", "Game.ini.unread-2", ...; the new name,
// or nullopt when it cannot be renamed.
std::optional<std::string> keepAside(const std::string& path) {
  for (int n = 1; n < 1000; ++n) {
    const std::string aside = path + ".unread" + (n == 1 ? "" : "-" + std::to_string(n));
    std::error_code code;
    if (fs::exists(aside, code) || code) continue;
    fs::rename(path, aside, code);
    if (!code) return aside;
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

SavedGameLoad loadSavedGame(const std::string& dir) {
  const std::string path = savedGamePath(dir);
  std::error_code code;
  if (!fs::exists(path, code)) return {};
  const auto bytes = platform::readFile(path, kFileCap + 1);
  const game::SavedGameRead read =
      bytes && bytes->size() <= kFileCap
          ? game::parseSavedGame(
                std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()))
          : game::SavedGameRead{};
  if (read.game) return {.game = read.game, .message = std::nullopt, .writable = true};
  const std::string why =
      read.futureVersion ? " was saved by a later version of the game" : " cannot be read";
  const auto aside = keepAside(path);
  const std::string kept = aside ? "; it is kept as " + *aside : "; it is left as it is";
  return {.game = std::nullopt,
          .message = "The game in progress " + path + why + kept + ". A new game is dealt.",
          .writable = aside.has_value()};
}

bool storeSavedGame(const game::SavedGame& game, const std::string& dir, std::string* error) {
  const std::string text = game::formatSavedGame(game);
  return platform::writeFileAtomically(savedGamePath(dir), text.data(), text.size(), error);
}

void removeSavedGame(const std::string& dir) {
  std::error_code code;
  fs::remove(savedGamePath(dir), code);
}

}  // namespace shell
