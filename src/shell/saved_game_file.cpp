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

void removeSavedGame(const std::string& dir) {
  std::error_code code;
  fs::remove(savedGamePath(dir), code);
}

SavedGameWriter::SavedGameWriter(std::string dir)
    : dir_(std::move(dir)), thread_([this] { run(); }) {}

SavedGameWriter::~SavedGameWriter() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

// The text is made here, so that the thread never sees the game change under it.
void SavedGameWriter::store(const game::SavedGame& game) {
  std::string text = game::formatSavedGame(game);
  {
    const std::lock_guard lock(mutex_);
    request_ = std::optional(std::move(text));
  }
  wake_.notify_one();
}

void SavedGameWriter::remove() {
  {
    const std::lock_guard lock(mutex_);
    request_ = std::optional<std::string>();
  }
  wake_.notify_one();
}

void SavedGameWriter::waitUntilDone() {
  std::unique_lock lock(mutex_);
  done_.wait(lock, [this] { return !request_ && !busy_; });
}

// A failed write keeps the file written before; the next request tries again.
void SavedGameWriter::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return request_ || stopping_; });
    if (!request_) return;  // stopping with nothing left to do
    const std::optional<std::string> text = std::move(*request_);
    request_.reset();
    busy_ = true;
    lock.unlock();
    if (text)
      platform::writeFileAtomically(savedGamePath(dir_), text->data(), text->size());
    else
      removeSavedGame(dir_);
    lock.lock();
    busy_ = false;
    done_.notify_all();
  }
}

}  // namespace shell
