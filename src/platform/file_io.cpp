// Toolkit-free file helpers: path joining, whole-file reading, atomic replacement and the
// clean-up after it, line splitting and case-insensitive lookup of a file in a folder.
#include "platform/file_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <windows.h>

#include <fstream>
#include <system_error>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

std::string joinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

namespace {

unsigned long currentProcessId();
bool processRuns(unsigned long id);

// A name beside `path` that no other writer (another thread or program) uses at the same time:
// "<path>.tmp<process id>.<salt>.<counter>". The process id tells a later start whether the
// writer of a temporary file left behind still runs.
std::string temporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  static const unsigned salt = std::random_device{}();
  return path + ".tmp" + std::to_string(currentProcessId()) + "." + std::to_string(salt) + "." +
         std::to_string(counter.fetch_add(1));
}

// The process id in a name made by temporaryNameFor; nullopt for any other name.
std::optional<unsigned long> temporaryWriter(std::string_view name) {
  const std::size_t mark = name.rfind(".tmp");
  if (mark == std::string_view::npos || mark == 0) return std::nullopt;
  std::string_view rest = name.substr(mark + 4);
  unsigned long numbers[3] = {};
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      if (rest.empty() || rest.front() != '.') return std::nullopt;
      rest.remove_prefix(1);
    }
    const auto [end, failure] = std::from_chars(rest.data(), rest.data() + rest.size(), numbers[i]);
    if (failure != std::errc() || end == rest.data()) return std::nullopt;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
  }
  if (!rest.empty() || numbers[0] == 0 || numbers[0] > INT_MAX) return std::nullopt;
  return numbers[0];
}

}  // namespace

void removeStaleTemporaries(const std::string& dir) {
  namespace fs = std::filesystem;
  std::error_code code;
  const fs::path folder = dir.empty() ? fs::path(".") : fs::path(dir);
  for (fs::directory_iterator it(folder, code), end; !code && it != end; it.increment(code)) {
    const auto writer = temporaryWriter(it->path().filename().string());
    std::error_code ignored;
    if (writer && !processRuns(*writer) &&
        it->symlink_status(ignored).type() == fs::file_type::regular) {
      fs::remove(it->path(), ignored);
    }
  }
}

#ifdef _WIN32

namespace {

unsigned long currentProcessId() { return GetCurrentProcessId(); }

bool processRuns(unsigned long id) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;  // denied: it runs
  DWORD exitCode = 0;
  const bool runs = GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE;
  CloseHandle(process);
  return runs;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> readFile(const std::string& path, std::size_t maxBytes) {
  // Regular files only: a device or a pipe in place of a player's file must not hang the game.
  std::error_code code;
  if (!std::filesystem::is_regular_file(std::filesystem::u8path(path), code)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(std::filesystem::u8path(path), code);
  std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
  if (!file) return std::nullopt;
  // One buffer of the file's size; a file that grows meanwhile gets the rest appended.
  std::vector<std::uint8_t> bytes(
      static_cast<std::size_t>(std::min<std::uintmax_t>(code ? 0 : size, maxBytes)));
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  char chunk[65536];
  while (bytes.size() < maxBytes && file) {
    const std::size_t want = std::min(sizeof chunk, maxBytes - bytes.size());
    file.read(chunk, static_cast<std::streamsize>(want));
    bytes.insert(bytes.end(), chunk, chunk + file.gcount());
  }
  if (file.bad()) return std::nullopt;
  return bytes;
}

bool writeFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string* error) {
  // Replacing a read-only file would bypass its attribute: it stays as it is.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
      (attributes & FILE_ATTRIBUTE_READONLY)) {
    if (error) *error = std::system_category().message(ERROR_ACCESS_DENIED);
    return false;
  }
  const std::string temporary = temporaryNameFor(path);
  const HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = file != INVALID_HANDLE_VALUE;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  for (std::size_t done = 0; ok && done < size;) {
    DWORD written = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
    ok = WriteFile(file, bytes + done, want, &written, nullptr) != 0;
    done += written;
  }
  ok = ok && FlushFileBuffers(file) != 0;
  DWORD reason = ok ? 0 : GetLastError();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (ok && !MoveFileExA(temporary.c_str(), path.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ok = false;
    reason = GetLastError();
  }
  if (!ok) {
    DeleteFileA(temporary.c_str());
    if (error) *error = std::system_category().message(static_cast<int>(reason));
  }
  return ok;
}

#else

namespace {

unsigned long currentProcessId() { return static_cast<unsigned long>(::getpid()); }

bool processRuns(unsigned long id) {
  return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> readFile(const std::string& path, std::size_t maxBytes) {
  // Non-blocking open and regular files only: a pipe or a device in place of a player's file
  // must not hang the game or fill its memory.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  // One buffer of the file's size; a file that grows meanwhile gets the rest appended.
  std::vector<std::uint8_t> bytes(
      static_cast<std::size_t>(std::min<std::uint64_t>(info.st_size, maxBytes)));
  std::size_t filled = 0;
  bool failed = false;
  while (filled < maxBytes) {
    std::uint8_t chunk[65536];
    const bool full = filled == bytes.size();
    std::uint8_t* into = full ? chunk : bytes.data() + filled;
    const std::size_t want =
        full ? std::min(sizeof chunk, maxBytes - filled) : bytes.size() - filled;
    const ssize_t got = ::read(fd, into, want);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      failed = got < 0;
      break;
    }
    if (full) bytes.insert(bytes.end(), chunk, chunk + got);
    filled += static_cast<std::size_t>(got);
  }
  ::close(fd);
  if (failed) return std::nullopt;
  bytes.resize(filled);
  return bytes;
}

namespace {

std::string systemReason(int code) { return std::strerror(code); }

// Why an existing file may not be replaced (an errno value), or 0. Renaming over a file bypasses
// its own permission, so the file must be writable by us; one without any write permission is
// kept even from the superuser, whom the system lets write it.
int replaceDenied(const std::string& path, const struct stat& old) {
  if (::access(path.c_str(), W_OK) != 0) return errno;
  return (old.st_mode & 0222) == 0 ? EACCES : 0;
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

bool writeFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string* error) {
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  if (const int denied = replacing ? replaceDenied(path, old) : 0) {
    if (error) *error = systemReason(denied);
    return false;
  }
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = temporaryNameFor(path);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    if (error) *error = systemReason(errno);
    return false;
  }
  // Keep the permissions of the file being replaced.
  if (replacing) ::fchmod(fd, old.st_mode & 07777);

  bool ok = writeAll(fd, static_cast<const std::uint8_t*>(data), size) && ::fsync(fd) == 0;
  int reason = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    reason = errno;
  }
  if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
    ok = false;
    reason = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    if (error) *error = systemReason(reason);
  }
  return ok;
}

#endif  // _WIN32

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  const auto addLine = [&](std::size_t end) {
    const std::string_view line = text.substr(start, end - start);
    lines.emplace_back(line.substr(0, line.find('\0')));
  };
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    addLine(i);
    i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < text.size()) addLine(text.size());
  return lines;
}

std::optional<TextLines> readTextLines(const std::string& path, std::size_t cap) {
  // One byte past the cap tells a larger file from one of exactly the cap's size.
  const auto bytes = readFile(path, cap == SIZE_MAX ? cap : cap + 1);
  if (!bytes) return std::nullopt;
  std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  TextLines result;
  if (text.size() > cap) {
    // The line that runs past the cap is cut: only the lines that end within it are kept.
    const std::size_t lastEnd = text.substr(0, cap).find_last_of("\r\n");
    text = text.substr(0, lastEnd == std::string_view::npos ? 0 : lastEnd + 1);
    result.whole = false;
  }
  if (text.find('\0') != std::string_view::npos) result.whole = false;
  result.lines = splitLines(text);
  return result;
}

std::string partlyReadMessage(const std::string& path) {
  return "The file \"" + path +
         "\" is damaged or too large and could be read only in part. The game uses what it "
         "could read and keeps the file as it is: it will not save over it.";
}

bool writeTextLines(const std::string& path, const std::vector<std::string>& lines,
                    std::string* error) {
  if (const auto old = readTextLines(path); old && !old->whole) {
    if (error)
      *error =
          "The file is damaged or too large to be read whole; saving over it would "
          "lose what could not be read.";
    return false;
  }
  const std::string text = joinLinesCrLf(lines);
  return writeFileAtomically(path, text.data(), text.size(), error);
}

std::string joinLinesCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

namespace {

bool equalNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> findFileNoCase(const std::string& dir, const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos) return std::nullopt;
  namespace fs = std::filesystem;
  std::error_code code;
  const fs::path folder = dir.empty() ? fs::path(".") : fs::path(dir);
  if (fs::exists(folder / name, code)) return joinPath(dir, name);
  for (fs::directory_iterator it(folder, code), end; !code && it != end; it.increment(code)) {
    const std::string entry = it->path().filename().string();
    if (equalNoCase(entry, name)) return joinPath(dir, entry);
  }
  return std::nullopt;
}

}  // namespace platform
