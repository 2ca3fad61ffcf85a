// Toolkit-free file helpers: path joining, the program's folder, whole-file reading, atomic
// replacement and the clean-up after it, line splitting and case-insensitive lookup of a file in
// a folder.
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

// An entry of a folder: its name in UTF-8 and whether it is a regular file.
struct FolderEntry {
  std::string name;
  bool regularFile = false;
};
// The entries of `dir` (the current folder when empty) but "." and ".."; none when it cannot be
// read.
std::vector<FolderEntry> folderEntries(const std::string& dir);
void removeFile(const std::string& path);

// Reads a file that holds `size` bytes (more if it grows meanwhile), at most `maxBytes`, into one
// buffer through `readSome(into, want)`, which returns the count read, 0 at the end or -1.
template <typename ReadSome>
std::optional<std::vector<std::uint8_t>> readAll(std::uint64_t size, std::size_t maxBytes,
                                                 ReadSome readSome) {
  std::vector<std::uint8_t> bytes(
      static_cast<std::size_t>(std::min<std::uint64_t>(size, maxBytes)));
  std::size_t filled = 0;
  while (filled < maxBytes) {
    std::uint8_t chunk[65536];
    const bool full = filled == bytes.size();
    std::uint8_t* into = full ? chunk : bytes.data() + filled;
    const std::size_t want =
        full ? std::min(sizeof chunk, maxBytes - filled) : bytes.size() - filled;
    const long long got = readSome(into, want);
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    if (full) bytes.insert(bytes.end(), chunk, chunk + got);
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return bytes;
}

// A name beside `path` that no other writer (another thread or program) uses at the same time:
// "<path>.tmp<process id>.<salt>.<counter>". The process id tells a later start whether the
// writer of a temporary file left behind still runs.
std::string temporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  static const unsigned salt = std::random_device{}();
  return path + ".tmp" + std::to_string(currentProcessId()) + "." + std::to_string(salt) + "." +
         std::to_string(counter.fetch_add(1));
}

// The process id of "<name>.default-<pid>", the copies of default files of earlier versions.
std::optional<unsigned long> defaultCopyWriter(std::string_view name) {
  const std::size_t mark = name.rfind(".default-");
  if (mark == std::string_view::npos || mark == 0) return std::nullopt;
  const std::string_view digits = name.substr(mark + 9);
  unsigned long id = 0;
  const auto [end, failure] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
  if (failure != std::errc() || end != digits.data() + digits.size() || id == 0 || id > INT_MAX)
    return std::nullopt;
  return id;
}

// The process id in a name made by temporaryNameFor or an earlier version's default-file copy;
// nullopt for any other name.
std::optional<unsigned long> temporaryWriter(std::string_view name) {
  if (const auto copier = defaultCopyWriter(name)) return copier;
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

// The names keepAside tries in turn.
constexpr int kAsideNames = 1000;
std::string asideName(const std::string& path, int n) {
  return path + ".damaged" + (n > 1 ? "-" + std::to_string(n) : std::string());
}

}  // namespace

void removeStaleTemporaries(const std::string& dir) {
  for (const FolderEntry& entry : folderEntries(dir)) {
    const auto writer = temporaryWriter(entry.name);
    if (writer && entry.regularFile && !processRuns(*writer)) removeFile(joinPath(dir, entry.name));
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

std::wstring widen(const std::string& text) {
  const int length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

// The classic calls take at most MAX_PATH characters with the terminator, and a folder must leave
// room for an 8.3 name in it.
constexpr std::size_t kClassicPathLimit = MAX_PATH - 12;

// Longer paths are made full ("." and ".." resolved, backslashes) and marked "\\?\", which
// lifts the limit of the wide calls.
std::wstring longPathForm(const std::wstring& path) {
  if (path.starts_with(LR"(\\?\)")) return path;
  std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
  const DWORD length =
      GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return path;
  full.resize(length);
  if (full.size() < kClassicPathLimit) return path;
  if (full.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + full.substr(2);
  return LR"(\\?\)" + full;
}

std::wstring wideSystemPath(const std::string& path) { return longPathForm(widen(path)); }

std::string narrow(const std::wstring& wide) {
  const int length = static_cast<int>(std::min<std::size_t>(wide.size(), INT_MAX));
  std::string text(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), length,
                                                                nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), static_cast<int>(text.size()),
                      nullptr, nullptr);
  return text;
}

std::vector<FolderEntry> folderEntries(const std::string& dir) {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAW found;
  const HANDLE search =
      FindFirstFileExW(wideSystemPath(joinPath(dir.empty() ? "." : dir, "*")).c_str(),
                       FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::wstring name = found.cFileName;
    const DWORD notRegular =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    if (name != L"." && name != L"..")
      entries.push_back({narrow(name), (found.dwFileAttributes & notRegular) == 0});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

void removeFile(const std::string& path) { DeleteFileW(wideSystemPath(path).c_str()); }

}  // namespace

std::optional<std::vector<std::uint8_t>> readFile(const std::string& path, std::size_t maxBytes) {
  // Regular files only: a device or a pipe in place of a player's file must not hang the game.
  const HANDLE file = CreateFileW(wideSystemPath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  LARGE_INTEGER size{};
  std::optional<std::vector<std::uint8_t>> bytes;
  if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size)) {
    bytes = readAll(static_cast<std::uint64_t>(size.QuadPart), maxBytes,
                    [file](std::uint8_t* into, std::size_t want) -> long long {
                      DWORD got = 0;
                      const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(want, 1u << 30));
                      return ReadFile(file, into, ask, &got, nullptr) ? got : -1;
                    });
  }
  CloseHandle(file);
  return bytes;
}

bool pathExists(const std::string& path) {
  if (GetFileAttributesW(wideSystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD reason = GetLastError();
  return reason != ERROR_FILE_NOT_FOUND && reason != ERROR_PATH_NOT_FOUND;
}

std::optional<std::string> keepAside(const std::string& path, std::string* error) {
  DWORD reason = ERROR_ALREADY_EXISTS;
  for (int n = 1; n <= kAsideNames && reason == ERROR_ALREADY_EXISTS; ++n) {
    const std::string aside = asideName(path, n);
    if (MoveFileExW(wideSystemPath(path).c_str(), wideSystemPath(aside).c_str(), 0)) return aside;
    reason = GetLastError();
    if (reason == ERROR_FILE_EXISTS) reason = ERROR_ALREADY_EXISTS;
  }
  if (error) *error = std::system_category().message(static_cast<int>(reason));
  return std::nullopt;
}

namespace {

bool writeViaTemporary(const std::string& path, const void* data, std::size_t size,
                       std::string* error, bool replace) {
  const std::wstring target = wideSystemPath(path);
  // Replacing a read-only file would bypass its attribute: it stays as it is.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (!replace || (!(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                              (attributes & FILE_ATTRIBUTE_READONLY)))) {
    if (error)
      *error = std::system_category().message(replace ? ERROR_ACCESS_DENIED : ERROR_FILE_EXISTS);
    return false;
  }
  const std::wstring temporary = wideSystemPath(temporaryNameFor(path));
  const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
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
  if (ok && !MoveFileExW(temporary.c_str(), target.c_str(),
                         (replace ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH)) {
    ok = false;
    reason = GetLastError();
  }
  if (!ok) {
    DeleteFileW(temporary.c_str());
    if (error) *error = std::system_category().message(static_cast<int>(reason));
  }
  return ok;
}

}  // namespace

std::string programFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) break;
    path.resize(path.size() * 2);  // cut short: a longer path
  }
  path.resize(path.find(L'\0'));
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::string() : narrow(path.substr(0, separator));
}

#else

namespace {

unsigned long currentProcessId() { return static_cast<unsigned long>(::getpid()); }

bool processRuns(unsigned long id) {
  return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

std::vector<FolderEntry> folderEntries(const std::string& dir) {
  namespace fs = std::filesystem;
  std::vector<FolderEntry> entries;
  std::error_code code;
  for (fs::directory_iterator it(dir.empty() ? "." : dir, code), end; !code && it != end;
       it.increment(code)) {
    std::error_code ignored;
    entries.push_back({it->path().filename().string(),
                       it->symlink_status(ignored).type() == fs::file_type::regular});
  }
  return entries;
}

void removeFile(const std::string& path) { ::unlink(path.c_str()); }

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
  const auto bytes = readAll(static_cast<std::uint64_t>(info.st_size), maxBytes,
                             [fd](std::uint8_t* into, std::size_t want) -> long long {
                               for (;;) {
                                 const ssize_t got = ::read(fd, into, want);
                                 if (got >= 0 || errno != EINTR) return got;
                               }
                             });
  ::close(fd);
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

// Where a save of `path` lands: the file at the end of the symbolic links it names, so that the
// links stay and lead to the new file.
std::string saveTarget(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path target = path;
  std::error_code code;
  for (int hop = 0; hop < 40 && fs::is_symlink(fs::symlink_status(target, code)); ++hop) {
    const fs::path next = fs::read_symlink(target, code);
    if (code) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target.string();
}

// Gives the written file `from` the name `to` unless something has that name; -1 with errno set
// otherwise. A second name, then the first removed; folders that know no hard links (some network
// and FAT mounts) get the file moved.
int linkWithoutReplacing(const std::string& from, const std::string& to) {
  if (::link(from.c_str(), to.c_str()) == 0) return ::unlink(from.c_str()), 0;
  if (errno == EEXIST) return -1;
  return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
}

bool writeViaTemporary(const std::string& requested, const void* data, std::size_t size,
                       std::string* error, bool replace) {
  const std::string path = saveTarget(requested);
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  const bool replacing = exists && S_ISREG(old.st_mode);
  const int denied = !exists ? 0 : !replace ? EEXIST : replacing ? replaceDenied(path, old) : 0;
  if (denied) {
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
  if (ok && (replace ? std::rename(temporary.c_str(), path.c_str())
                     : linkWithoutReplacing(temporary, path)) != 0) {
    ok = false;
    reason = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    if (error) *error = systemReason(reason);
  }
  return ok;
}

}  // namespace

bool pathExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

std::optional<std::string> keepAside(const std::string& path, std::string* error) {
  int reason = EEXIST;
  for (int n = 1; n <= kAsideNames && reason == EEXIST; ++n) {
    const std::string aside = asideName(path, n);
    if (linkWithoutReplacing(path, aside) == 0) return aside;
    reason = errno;
  }
  if (error) *error = systemReason(reason);
  return std::nullopt;
}

std::string programFolder() {
#if defined(__linux__)
  std::error_code code;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", code);
  return code ? std::string() : program.parent_path().string();
#else
  return {};
#endif
}

#endif  // _WIN32

bool writeFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string* error) {
  return writeViaTemporary(path, data, size, error, true);
}

bool createFileAtomically(const std::string& path, const void* data, std::size_t size,
                          std::string* error) {
  return writeViaTemporary(path, data, size, error, false);
}

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

std::optional<TextLines> loadPlayerLines(const std::string& path, std::string* notice) {
  auto text = readTextLines(path);
  if (!text && pathExists(path) && notice)
    *notice = "The file \"" + path +
              "\" cannot be read. The game leaves it as it is: it will not save over it.";
  if (text && !text->whole && notice) *notice = partlyReadMessage(path);
  return text;
}

bool writeTextLines(const std::string& path, const std::vector<std::string>& lines,
                    std::string* error) {
  const auto old = readTextLines(path);
  if ((old && !old->whole) || (!old && pathExists(path))) {
    if (error)
      *error =
          "The file cannot be read whole; saving over it would lose what could not be "
          "read.";
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
  // A name only: no separator may lead out of the folder, nor on Windows a drive or a stream.
#ifdef _WIN32
  const char* const notInName = "/\\:";
#else
  const char* const notInName = "/";
#endif
  if (name.empty() || name.find_first_of(notInName) != std::string::npos) return std::nullopt;
  // The name as it is on disk, an exact match preferred where letter case tells files apart.
  std::optional<std::string> found;
  for (const FolderEntry& entry : folderEntries(dir)) {
    if (entry.name == name) return joinPath(dir, entry.name);
    if (!found && equalNoCase(entry.name, name)) found = joinPath(dir, entry.name);
  }
  return found;
}

}  // namespace platform
