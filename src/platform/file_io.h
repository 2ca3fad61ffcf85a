#pragma once
// Toolkit-free file helpers shared by every reader and writer of the player's files. Paths are
// UTF-8 on every system; on Windows they may be longer than the classic 260 characters.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// `dir` + "/" + `name`; no separator is added when `dir` already ends in "/" (the root).
std::string joinPath(const std::string& dir, const std::string& name);

// The folder of the running program, "" where the system does not tell it.
std::string programFolder();

// Reads at most `maxBytes` bytes of a regular file into one buffer of the file's size; nullopt
// when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> readFile(const std::string& path,
                                                  std::size_t maxBytes = SIZE_MAX);

// True when something exists at `path` (links followed), whether or not it can be read.
bool pathExists(const std::string& path);

// Writes `size` bytes to a temporary file beside `path`, flushes it and renames it over `path`,
// so that a failed write never leaves a truncated file. An existing `path` keeps its permission
// bits, and one without write permission is not replaced. A `path` that is a symbolic link stays
// one: the file it leads to is replaced, in its own folder. On failure returns false, removes the
// temporary file, keeps any old file and puts the system's reason into *error (if given).
bool writeFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string* error = nullptr);

// As writeFileAtomically, but never replaces a file: `path` appears whole or not at all, and
// false is returned when something exists there already.
bool createFileAtomically(const std::string& path, const void* data, std::size_t size,
                          std::string* error = nullptr);

// Moves the file `path` to the first free name of "<path>.damaged", "<path>.damaged-2", ...,
// so that a new file may take its place without losing what it held. Returns the name, or
// nullopt with the system's reason in *error.
std::optional<std::string> keepAside(const std::string& path, std::string* error = nullptr);

// Removes from `dir` the temporary files of writeFileAtomically and createFileAtomically whose
// writing process no longer runs (a save or a copy killed half-way), and the "<name>.default-<pid>"
// copies that earlier versions of the game left the same way; the files they were to replace are
// intact.
void removeStaleTemporaries(const std::string& dir);

// Splits text into lines: a line ends at CR LF, a lone CR or a lone LF; a NUL byte ends the text
// of its line (the rest of that line is dropped); a last line without terminator is a line; the
// terminator after the last line makes no extra empty line.
std::vector<std::string> splitLines(std::string_view text);

// The lines of a text file that the player keeps (highscores, playlist).
struct TextLines {
  std::vector<std::string> lines;
  // False when the lines are not all of the file: it is larger than the cap (the lines that end
  // within the cap are kept) or holds NUL bytes (the lines are cut there).
  bool whole = true;
};

// Far beyond any list of the player's, small enough to be read at once.
constexpr std::size_t kTextFileCap = std::size_t{64} << 20;

// Reads the lines of a text file, at most `cap` bytes of it; nullopt when the file cannot be
// opened or read.
std::optional<TextLines> readTextLines(const std::string& path, std::size_t cap = kTextFileCap);

// The message that tells the player that `path` was read only in part and is kept as it is.
std::string partlyReadMessage(const std::string& path);

// The lines of a player's file at start-up: nullopt without a notice when there is no file;
// nullopt with the notice that it is left alone when it exists but cannot be read; the lines,
// with partlyReadMessage as the notice when they are not the whole file.
std::optional<TextLines> loadPlayerLines(const std::string& path, std::string* notice);

// Writes the lines, CR LF after each, over `path` by writeFileAtomically. An existing file that
// readTextLines does not read whole, or cannot read at all, is never replaced: the lines taken
// from it would lack the rest. On failure returns false and puts the reason into *error (if
// given).
bool writeTextLines(const std::string& path, const std::vector<std::string>& lines,
                    std::string* error = nullptr);

// Joins lines with CR LF after every line, the last one included.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

// The path of the entry of `dir` whose name equals `name` without regard to case (an exact match
// is preferred), spelled as on disk; nullopt when there is none or `name` is not a name alone (it
// holds a "/", or on Windows a backslash or ":").
std::optional<std::string> findFileNoCase(const std::string& dir, const std::string& name);

}  // namespace platform
