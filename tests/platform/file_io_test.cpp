#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using platform::splitLines;
using Lines = std::vector<std::string>;

namespace {

// A fresh empty folder per test, removed afterwards.
class TempDir {
 public:
  TempDir() {
    path_ = fs::temp_directory_path() /
            ("file_io_test_" + std::to_string(::getpid()) + "_" + std::to_string(next_++));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempDir() { fs::remove_all(path_); }
  std::string str() const { return path_.string(); }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  std::size_t entryCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {}));
  }

 private:
  static inline int next_ = 0;
  fs::path path_;
};

std::string contents(const std::string& path) {
  auto bytes = platform::readFile(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : "<unreadable>";
}

void put(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

TEST(SplitLines, EveryTerminatorEndsALine) {
  EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\n\rb"), (Lines{"a", "", "b"}));  // LF then lone CR: two terminators
  EXPECT_EQ(splitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(SplitLines, TrailingTerminatorMakesNoExtraLine) {
  EXPECT_EQ(splitLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(splitLines("a\r"), (Lines{"a"}));
  EXPECT_EQ(splitLines("a\n\n"), (Lines{"a", ""}));
  EXPECT_EQ(splitLines("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_TRUE(splitLines("").empty());
}

TEST(SplitLines, TextEndsAtFirstNul) {
  EXPECT_EQ(splitLines(std::string_view("a\r\nb\0c\r\nd", 10)), (Lines{"a", "b"}));
  EXPECT_TRUE(splitLines(std::string_view("\0a", 2)).empty());
}

TEST(JoinLines, CrLfAfterEveryLineRoundTrips) {
  const Lines lines{"x", "", "10"};
  EXPECT_EQ(platform::joinLinesCrLf(lines), "x\r\n\r\n10\r\n");
  EXPECT_EQ(splitLines(platform::joinLinesCrLf(lines)), lines);
}

TEST(JoinPath, NoDoubleSeparator) {
  EXPECT_EQ(platform::joinPath("/", "mirt.ini"), "/mirt.ini");
  EXPECT_EQ(platform::joinPath("/home/p", "mirt.ini"), "/home/p/mirt.ini");
  EXPECT_EQ(platform::joinPath("/home/p/", "mirt.ini"), "/home/p/mirt.ini");
}

TEST(ReadFile, LimitMissingAndFolder) {
  TempDir dir;
  put(dir.file("f"), "abcdef");
  EXPECT_EQ(contents(dir.file("f")), "abcdef");
  EXPECT_EQ(platform::readFile(dir.file("f"), 4)->size(), 4u);
  EXPECT_FALSE(platform::readFile(dir.file("missing")));
  EXPECT_FALSE(platform::readFile(dir.str()));
  ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(platform::readFile(dir.file("pipe")));  // returns at once, no writer needed
  EXPECT_FALSE(platform::readFile("/dev/zero"));
}

TEST(WriteFileAtomically, ReplacesAndLeavesNoTemporary) {
  TempDir dir;
  const std::string target = dir.file("scores");
  put(target, "old contents that are longer");
  ASSERT_TRUE(platform::writeFileAtomically(target, "new", 3));
  EXPECT_EQ(contents(target), "new");
  EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(WriteFileAtomically, MissingFolderReportsReason) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(platform::writeFileAtomically(dir.file("no/such/file"), "x", 1, &error));
  EXPECT_EQ(error, std::strerror(ENOENT));
  EXPECT_EQ(dir.entryCount(), 0u);
}

TEST(WriteFileAtomically, FolderInPlaceOfFileIsKeptAndTemporaryRemoved) {
  TempDir dir;
  const std::string target = dir.file("busy");
  fs::create_directory(target);
  put(target + "/inside", "kept");
  std::string error;
  EXPECT_FALSE(platform::writeFileAtomically(target, "x", 1, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(contents(target + "/inside"), "kept");
  EXPECT_EQ(dir.entryCount(), 1u);
}

// A disk that fills up during the write: the file size limit makes write() fail with EFBIG.
TEST(WriteFileAtomically, FailedWriteKeepsOldFile) {
  TempDir dir;
  const std::string target = dir.file("scores");
  put(target, "old");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string big(5000, 'x');
  std::string error;
  const bool written = platform::writeFileAtomically(target, big.data(), big.size(), &error);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(error, std::strerror(EFBIG));
  EXPECT_EQ(contents(target), "old");
  EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(WriteFileAtomically, KeepsPermissionsOfReplacedFile) {
  TempDir dir;
  const std::string target = dir.file("f");
  put(target, "a");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(platform::writeFileAtomically(target, "b", 1));
  EXPECT_EQ(fs::status(target).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(FindFileNoCase, MatchesWithoutRegardToCaseAndPrefersExact) {
  TempDir dir;
  put(dir.file("MIRT.INI"), "");
  EXPECT_EQ(platform::findFileNoCase(dir.str(), "Mirt.ini"), dir.file("MIRT.INI"));
  put(dir.file("Mirt.ini"), "");
  EXPECT_EQ(platform::findFileNoCase(dir.str(), "Mirt.ini"), dir.file("Mirt.ini"));
  EXPECT_FALSE(platform::findFileNoCase(dir.str(), "mirt.in"));
  EXPECT_FALSE(platform::findFileNoCase(dir.file("missing"), "Mirt.ini"));
  EXPECT_FALSE(platform::findFileNoCase(dir.str(), "x/../MIRT.INI"));
}
