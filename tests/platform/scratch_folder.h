// A fresh, empty folder for one test, removed with everything in it when the object goes away.
// Shared by the tests of every subsystem that reads or writes files.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

class ScratchFolder {
 public:
  ScratchFolder() {
    // A random name, created only if no other test holds it.
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const auto candidate =
          std::filesystem::temp_directory_path() /
          ("klondike_test." + std::to_string(random()) + std::to_string(random()));
      std::error_code code;
      if (std::filesystem::create_directory(candidate, code)) path_ = candidate;
    }
    if (path_.empty()) throw std::runtime_error("cannot create a scratch folder");
  }
  ~ScratchFolder() {
    std::error_code ignored;
    // A test may have taken away the write permission to make a save fail.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  // Joined with "/" as the game joins its paths, also on Windows.
  std::string file(const std::string& name) const { return str() + "/" + name; }

  void put(const std::string& name, const std::string& bytes) const {
    std::ofstream(file(name), std::ios::binary) << bytes;
  }
  // The file's bytes, or "<missing>" when it cannot be opened.
  std::string read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  std::size_t entryCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
  }

 private:
  std::filesystem::path path_;
};
