#include "platform/file_io.h"
#include "tests/platform/file_size_limit.h"
#include "tests/platform/scratch_folder.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace fs = std::filesystem;
using platform::splitLines;
using Lines = std::vector<std::string>;
using namespace std::string_literals;

namespace {

// The reason writeFileAtomically gives: the C library's text of an errno value, or on Windows
// the system's text of its error code.
std::string reasonText([[maybe_unused]] int posixCode, [[maybe_unused]] int windowsCode) {
#ifdef _WIN32
  return std::system_category().message(windowsCode);
#else
  return std::strerror(posixCode);
#endif
}

#ifdef _WIN32
constexpr bool kCaseTellsFilesApart = false;
#define SKIP_ON_WINDOWS(reason) GTEST_SKIP() << reason
#else
constexpr bool kCaseTellsFilesApart = true;
#define SKIP_ON_WINDOWS(reason)
enum { ERROR_PATH_NOT_FOUND = 3, ERROR_ACCESS_DENIED = 5 };  // Windows' codes of the reasons
#endif

}  // namespace

TEST(SplitLines, EveryTerminatorEndsALineAndANulEndsTheTextOfItsLine) {
  const struct {
    std::string_view text;
    Lines lines;
  } cases[] = {
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then lone CR: two terminators
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\r\n", {"a"}},  // a trailing terminator makes no extra line
      {"a\r", {"a"}},
      {"a\n\n", {"a", ""}},
      {"\r\n\r\n", {"", ""}},
      {"", {}},
      {{"a\r\nb\0c\r\nd", 10}, {"a", "b", "d"}},
      {{"\0a", 2}, {""}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(splitLines(c.text), c.lines) << testing::PrintToString(std::string(c.text));
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

TEST(ProgramFolder, HoldsThisTest) {
#ifdef _WIN32
  const char* const program = "platform_files_test.exe";
#else
  const char* const program = "platform_files_test";
#endif
  EXPECT_EQ(platform::findFileNoCase(platform::programFolder(), program),
            platform::joinPath(platform::programFolder(), program));
}

TEST(ReadFile, LimitMissingAndFolder) {
  ScratchFolder dir;
  dir.put("f", "abcdef");
  EXPECT_EQ(platform::readFile(dir.file("f")),
            (std::vector<std::uint8_t>{'a', 'b', 'c', 'd', 'e', 'f'}));
  EXPECT_EQ(platform::readFile(dir.file("f"), 4)->size(), 4u);
  EXPECT_FALSE(platform::readFile(dir.file("missing")));
  EXPECT_FALSE(platform::readFile(dir.str()));
#ifdef _WIN32
  EXPECT_FALSE(platform::readFile("NUL"));
#else
  ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(platform::readFile(dir.file("pipe")));  // returns at once, no writer needed
  EXPECT_FALSE(platform::readFile("/dev/zero"));
#endif
}

// A list the player keeps is read whole up to the cap. What lies past the cap or behind a NUL
// byte is lost to the reader, so the file is reported as read in part and never saved over.
TEST(ReadTextLines, FileReadInPartKeepsItsWholeLinesAndIsNotSavedOver) {
  ScratchFolder dir;
  const struct {
    std::string bytes;
    std::size_t cap;
    Lines lines;
    bool whole;
  } cases[] = {
      {"ab\r\ncd\r\n", 8, {"ab", "cd"}, true},  // exactly the cap
      {"ab\r\ncd\r\ne", 8, {"ab", "cd"}, false},
      {"ab\r\ncdef", 6, {"ab"}, false},  // the line running past the cap is not kept
      {"ab\r\ncd\r\n", 7, {"ab", "cd"}, false},
      {"abcdef", 3, {}, false},
      {"a\r\nb\0x\r\nc"s, 64, {"a", "b", "c"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    dir.put("f", c.bytes);
    const auto read = platform::readTextLines(dir.file("f"), c.cap);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->lines, c.lines);
    EXPECT_EQ(read->whole, c.whole);
  }
  EXPECT_FALSE(platform::readTextLines(dir.file("missing")));

  std::string error;
  EXPECT_FALSE(platform::writeTextLines(dir.file("f"), {"a", "b", "c"}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(dir.read("f"), "a\r\nb\0x\r\nc"s);
  dir.put("f", "whole\r\n");
  EXPECT_TRUE(platform::writeTextLines(dir.file("f"), {"a", ""}));
  EXPECT_EQ(dir.read("f"), "a\r\n\r\n");
}

TEST(WriteFileAtomically, ReplacesAndLeavesNoTemporary) {
  ScratchFolder dir;
  const std::string target = dir.file("scores");
  dir.put("scores", "old contents that are longer");
  ASSERT_TRUE(platform::writeFileAtomically(target, "new", 3));
  EXPECT_EQ(dir.read("scores"), "new");
  EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(WriteFileAtomically, MissingFolderReportsReason) {
  ScratchFolder dir;
  std::string error;
  EXPECT_FALSE(platform::writeFileAtomically(dir.file("no/such/file"), "x", 1, &error));
  EXPECT_EQ(error, reasonText(ENOENT, ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(dir.entryCount(), 0u);
}

TEST(WriteFileAtomically, FolderInPlaceOfFileIsKeptAndTemporaryRemoved) {
  ScratchFolder dir;
  const std::string target = dir.file("busy");
  fs::create_directory(target);
  dir.put("busy/inside", "kept");
  std::string error;
  EXPECT_FALSE(platform::writeFileAtomically(target, "x", 1, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(dir.read("busy/inside"), "kept");
  EXPECT_EQ(dir.entryCount(), 1u);
}

// A disk that fills up during the write: the file size limit makes write() fail with EFBIG.
TEST(WriteFileAtomically, FailedWriteKeepsOldFile) {
  SKIP_ON_WINDOWS("Windows has no file size limit to make a write fail");
#ifndef _WIN32
  ScratchFolder dir;
  const std::string target = dir.file("scores");
  dir.put("scores", "old");
  const std::string big(5000, 'x');
  std::string error;
  bool written = true;
  {
    const FileSizeLimit fullDisk(1000);
    written = platform::writeFileAtomically(target, big.data(), big.size(), &error);
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(error, std::strerror(EFBIG));
  EXPECT_EQ(dir.read("scores"), "old");
  EXPECT_EQ(dir.entryCount(), 1u);
#endif
}

TEST(WriteFileAtomically, KeepsPermissionsOfReplacedFile) {
  SKIP_ON_WINDOWS("Windows files carry no permission bits");
  ScratchFolder dir;
  const std::string target = dir.file("f");
  dir.put("f", "a");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(platform::writeFileAtomically(target, "b", 1));
  EXPECT_EQ(fs::status(target).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// Renaming over a file bypasses its own permission: a write-protected file stays as it is, also
// when the superuser, whom the system lets write it, plays.
TEST(WriteFileAtomically, WriteProtectedFileIsKept) {
  ScratchFolder dir;
  const std::string target = dir.file("scores");
  dir.put("scores", "old");
  const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  fs::permissions(target, readOnly);
  std::string error;
  EXPECT_FALSE(platform::writeFileAtomically(target, "new", 3, &error));
  EXPECT_EQ(error, reasonText(EACCES, ERROR_ACCESS_DENIED));
  EXPECT_EQ(dir.read("scores"), "old");
#ifndef _WIN32
  EXPECT_EQ(fs::status(target).permissions(), readOnly);
#endif
  EXPECT_EQ(dir.entryCount(), 1u);
}

// A save killed half-way (here by the file size limit) leaves its temporary file; a later start
// removes it, and only temporaries whose writer has ended.
TEST(RemoveStaleTemporaries, RemovesWhatKilledSavesLeft) {
  SKIP_ON_WINDOWS("the killed save is made with fork and the file size limit");
#ifndef _WIN32
  ScratchFolder dir;
  dir.put("Highscore.ini", "old");
  const pid_t saver = ::fork();
  if (saver == 0) {
    const rlimit none{0, 0}, small{1000, 1000};
    setrlimit(RLIMIT_CORE, &none);
    setrlimit(RLIMIT_FSIZE, &small);
    signal(SIGXFSZ, SIG_DFL);
    const std::string big(5000, 'x');
    platform::writeFileAtomically(dir.file("Highscore.ini"), big.data(), big.size());
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(saver, &status, 0), saver);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_EQ(dir.entryCount(), 2u);

  const std::string ended = std::to_string(saver), running = std::to_string(::getpid());
  const Lines kept = {"Playlist.ini.tmp" + running + ".7.0", "Playlist.ini.tmp" + ended,
                      "Playlist.ini.tmp" + ended + ".7",     "Playlist.ini.tmp" + ended + ".7.0.1",
                      "Playlist.ini.tmp" + ended + ".x.0",   ".tmp" + ended + ".7.0",
                      "mirt.hlp.default-" + running,         "mirt.hlp.default-" + ended + "x"};
  for (const std::string& name : kept) dir.put(name, "x");
  dir.put("mirt.ini.tmp" + ended + ".7.0", "x");
  dir.put("Vessant.tvp.default-" + ended, "x");  // a default file's copy of an earlier version
  fs::create_directory(dir.file("mirt.ini.tmp" + ended + ".8.0"));

  platform::removeStaleTemporaries(dir.str());
  EXPECT_EQ(dir.entryCount(), kept.size() + 2);  // and "Highscore.ini" and the folder
  for (const std::string& name : kept) EXPECT_TRUE(fs::exists(dir.file(name))) << name;
  EXPECT_EQ(dir.read("Highscore.ini"), "old");
#endif
}

// A player's file linked to another folder: the link stays and leads to the new file, which is
// written beside the old one in that folder.
TEST(WriteFileAtomically, ThroughASymbolicLinkReplacesTheFileItLeadsTo) {
  SKIP_ON_WINDOWS("symbolic links need privileges on Windows");
  ScratchFolder dir;
  fs::create_directory(dir.file("kept"));
  dir.put("kept/scores", "old");
  fs::create_symlink("kept/scores", dir.file("scores"));
  fs::create_symlink(dir.file("scores"), dir.file("again"));  // a link to the link, absolute
  for (const char* name : {"scores", "again"}) {
    ASSERT_TRUE(platform::writeFileAtomically(dir.file(name), name, std::strlen(name))) << name;
    EXPECT_TRUE(fs::is_symlink(dir.file(name)));
    EXPECT_EQ(dir.read("kept/scores"), name);
  }
  EXPECT_EQ(dir.entryCount(), 3u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("kept")), {}), 1);
}

// A second save never replaces what the first one made; the file a damaged one is moved to.
TEST(CreateFileAtomically, NeverReplacesAndKeepAsideFindsAFreeName) {
  ScratchFolder dir;
  ASSERT_TRUE(platform::createFileAtomically(dir.file("f"), "one", 3));
  std::string error;
  EXPECT_FALSE(platform::createFileAtomically(dir.file("f"), "two", 3, &error));
  EXPECT_EQ(error, reasonText(EEXIST, 80 /* ERROR_FILE_EXISTS */));
  EXPECT_EQ(dir.read("f"), "one");
  EXPECT_EQ(platform::keepAside(dir.file("f")), dir.file("f.damaged"));
  dir.put("f", "two");
  EXPECT_EQ(platform::keepAside(dir.file("f")), dir.file("f.damaged-2"));
  EXPECT_EQ(dir.read("f.damaged") + dir.read("f.damaged-2"), "onetwo");
  EXPECT_FALSE(platform::keepAside(dir.file("f"), &error));  // gone
  EXPECT_EQ(dir.entryCount(), 2u);
}

// Something that exists but cannot be read (here a pipe; for an ordinary user also a file
// without read permission) is reported and never saved over.
TEST(LoadPlayerLines, WhatCannotBeReadIsReportedAndLeftAlone) {
  SKIP_ON_WINDOWS("the unreadable file is a named pipe");
#ifndef _WIN32
  ScratchFolder dir;
  std::string notice;
  EXPECT_FALSE(platform::loadPlayerLines(dir.file("Playlist.ini"), &notice));
  EXPECT_EQ(notice, "");  // none yet
  ASSERT_EQ(::mkfifo(dir.file("Playlist.ini").c_str(), 0600), 0);
  EXPECT_FALSE(platform::loadPlayerLines(dir.file("Playlist.ini"), &notice));
  EXPECT_NE(notice.find("cannot be read"), std::string::npos) << notice;
  EXPECT_FALSE(platform::writeTextLines(dir.file("Playlist.ini"), {"a"}));
  EXPECT_TRUE(fs::is_fifo(dir.file("Playlist.ini")));
#endif
}

TEST(FindFileNoCase, GivesTheNameOnDiskAndPrefersExact) {
  ScratchFolder dir;
  dir.put("MIRT.INI", "");
  EXPECT_EQ(platform::findFileNoCase(dir.str(), "Mirt.ini"), dir.file("MIRT.INI"));
  dir.put("Mirt.ini", "");  // on Windows the same file, which keeps its name
  EXPECT_EQ(platform::findFileNoCase(dir.str(), "Mirt.ini"),
            dir.file(kCaseTellsFilesApart ? "Mirt.ini" : "MIRT.INI"));
  EXPECT_FALSE(platform::findFileNoCase(dir.str(), "mirt.in"));
  EXPECT_FALSE(platform::findFileNoCase(dir.file("missing"), "Mirt.ini"));
}

// Only a name in the folder is found: neither separator, nor ".." alone, leads out of it.
TEST(FindFileNoCase, NoNameLeadsOutOfTheFolder) {
  ScratchFolder dir;
  dir.put("MIRT.INI", "");
  fs::create_directory(dir.file("x"));
  for (const char* name : {"../MIRT.INI", "..\\MIRT.INI", "..", "."})
    EXPECT_FALSE(platform::findFileNoCase(dir.file("x"), name)) << name;
  EXPECT_FALSE(platform::findFileNoCase(dir.str(), "x/../MIRT.INI"));
  EXPECT_FALSE(platform::findFileNoCase(dir.str(), "x\\..\\MIRT.INI"));
}

// Paths are UTF-8, also in a folder whose name is not ASCII, and may be far longer than the
// classic limit of 260 characters on Windows: saving, reading and the look-up all work there.
TEST(FileIo, DeepAndNonAsciiFoldersAreReadWrittenAndSearched) {
  ScratchFolder dir;
  const std::string deep = dir.str() + "/" + std::string(120, 'd') + "/" + std::string(120, 'e') +
                           "/" + std::string(120, 'f');
  for (const std::string& folder : {dir.str() + "/caf\xc3\xa9", deep}) {
    SCOPED_TRACE(folder);
    fs::create_directories(fs::path(std::u8string(folder.begin(), folder.end())));
    const std::string file = platform::joinPath(folder, "Highscore.ini");
    std::string error;
    ASSERT_TRUE(platform::writeTextLines(file, {"a", "b"}, &error)) << error;
    ASSERT_TRUE(platform::writeTextLines(file, {"c"}, &error)) << error;
    const auto read = platform::readTextLines(file);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->lines, Lines{"c"});
    EXPECT_EQ(platform::findFileNoCase(folder, "HIGHSCORE.INI"), file);
    const std::string stale = file + ".tmp2147483647.1.0";  // no process has this id
    ASSERT_TRUE(platform::writeFileAtomically(stale, "x", 1));
    platform::removeStaleTemporaries(folder);
    EXPECT_FALSE(platform::readFile(stale));
    EXPECT_TRUE(platform::readFile(file));
  }
}
