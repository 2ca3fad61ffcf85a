// Toolkit-free file helpers: path joining, whole-file reading, atomic replacement, line splitting
// and case-insensitive lookup of a file in a folder.
#include "file_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
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
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

std::string joinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

#ifdef _WIN32

std::optional<std::vector<std::uint8_t>> readFile(const std::string& path, std::size_t maxBytes) {
  // Regular files only: a device or a pipe in place of a player's file must not hang the game.
  std::error_code code;
  if (!std::filesystem::is_regular_file(std::filesystem::u8path(path), code)) return std::nullopt;
  std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes;
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
  static std::atomic<unsigned> counter{0};
  const std::string temporary = path + ".tmp" + std::to_string(GetCurrentProcessId()) + "." +
                                std::to_string(counter.fetch_add(1));
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
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[65536];
  bool failed = false;
  while (bytes.size() < maxBytes) {
    const std::size_t want = std::min(sizeof chunk, maxBytes - bytes.size());
    const ssize_t got = ::read(fd, chunk, want);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      failed = got < 0;
      break;
    }
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  ::close(fd);
  if (failed) return std::nullopt;
  return bytes;
}

namespace {

std::string systemReason(int code) { return std::strerror(code); }

// A name beside `path` that no other writer (another thread or program) uses at the same time.
std::string temporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  static const unsigned salt = std::random_device{}();
  return path + ".tmp" + std::to_string(::getpid()) + "." + std::to_string(salt) + "." +
         std::to_string(counter.fetch_add(1));
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
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);

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
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    lines.emplace_back(text.substr(start, i - start));
    i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
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
