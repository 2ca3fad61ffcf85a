// Writes small card-set files of every variant from our encoder: the fuzzer's starting corpus.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "tests/cards/card_test_pictures.h"
#include "tools/cardset/card_set_encode.h"

namespace {

using cards::testing::GradientPictures;

// A seed that cannot be written ends the program with an error, so that the build stops
// instead of fuzzing without it.
void Write(const std::string& dir, const std::string& name,
           const std::vector<std::uint8_t>& bytes) {
  const std::string path = platform::joinPath(dir, name);
  std::string error;
  if (!platform::writeFileAtomically(path, bytes.data(), bytes.size(), &error)) {
    std::fprintf(stderr, "make_fuzz_seeds: cannot write %s: %s\n", path.c_str(), error.c_str());
    std::exit(1);
  }
}

std::vector<std::uint8_t> Planar(unsigned depth, bool ham, int count) {
  cards::PlanarOptions options;
  options.depth = depth;
  options.ham = ham;
  options.tableColour = {0, 92, 60};
  options.selectColour = {255, 196, 0};
  return cards::EncodePlanarSet(GradientPictures(count), options);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  Write(dir, "pc-direct.tvp", cards::EncodePcSet(GradientPictures(2), false));
  Write(dir, "pc-indexed.tvp", cards::EncodePcSet(GradientPictures(3), true));
  Write(dir, "planar-1.tavi", Planar(1, false, 4));
  Write(dir, "planar-5.tavi", Planar(5, false, 4));
  Write(dir, "planar-8.tavi", Planar(8, false, 2));
  Write(dir, "ham-6.tavi", Planar(6, true, 3));
  Write(dir, "ham-8.tavi", Planar(8, true, 2));
  std::vector<std::uint8_t> truncated = Planar(8, true, 3);
  truncated[21] = 59;  // promises more than it holds
  truncated.resize(truncated.size() - 5000);
  Write(dir, "ham-8-truncated.tavi", truncated);
  return 0;
}
