#pragma once
// Toolkit-free file helpers shared by every reader and writer of the player's files.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// `dir` + "/" + `name`; no separator is added when `dir` already ends in "/" (the root).
std::string joinPath(const std::string& dir, const std::string& name);

// Reads at most `maxBytes` bytes of a file; nullopt when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> readFile(const std::string& path,
                                                  std::size_t maxBytes = SIZE_MAX);

// Writes `size` bytes to a temporary file beside `path`, flushes it and renames it over `path`,
// so that a failed write never leaves a truncated file. On failure returns false, removes the
// temporary file, keeps any old file and puts the system's reason into *error (if given).
bool writeFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string* error = nullptr);

// Splits text into lines: a line ends at CR LF, a lone CR or a lone LF; the text ends at its
// end or at the first NUL byte; a last line without terminator is a line; the terminator after
// the last line makes no extra empty line.
std::vector<std::string> splitLines(std::string_view text);

// Joins lines with CR LF after every line, the last one included.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

// The path of the entry of `dir` whose name equals `name` without regard to case (an exact match
// is preferred); nullopt when there is none.
std::optional<std::string> findFileNoCase(const std::string& dir, const std::string& name);

}  // namespace platform
