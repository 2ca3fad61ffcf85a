// klondike-deal: prints the deal of a rule set for a given seed, so that deals can be checked and
// compared without a window.
//   klondike-deal klondike SEED   seven lines "colC codes..." and a line "stock codes..."
//   klondike-deal quatro SEED     "current N" and "stock codes..."
// and last "deal N", the deal number that Game > Deal number takes to play the deal.
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "game/game_engine.h"
#include "game/silent_view.h"

namespace {

// A decimal number of 0 .. 2^32 - 1, nothing else.
std::optional<std::uint32_t> parseSeed(const std::string& text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value > UINT32_MAX) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

void printCodes(const std::string& label, const std::uint8_t* codes, int count) {
  std::cout << label;
  for (int i = 0; i < count; ++i) std::cout << ' ' << static_cast<int>(codes[i]);
  std::cout << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  const std::string ruleSet = argc == 3 ? argv[1] : "";
  const std::optional<std::uint32_t> seed = argc == 3 ? parseSeed(argv[2]) : std::nullopt;
  if ((ruleSet != "klondike" && ruleSet != "quatro") || !seed) {
    // The name it was started by: "klondike-deal" in a build tree, installed under another.
    std::cerr << "usage: " << std::filesystem::path(argv[0]).filename().string()
              << " klondike|quatro SEED   (SEED: 0 .. 4294967295)\n";
    return 2;
  }
  game::SilentView view;
  game::GameEngine engine(view);
  engine.seedSource = [&] { return *seed; };
  const game::GameTable& t = engine.table();
  if (ruleSet == "klondike") {
    engine.dealKlondike();
    for (int c = 0; c < game::kColumns; ++c)
      printCodes("col" + std::to_string(c), t.tableau[c], t.runLength(c, 0));
    printCodes("stock", t.stock, t.stockCount);
  } else {
    engine.play(game::RuleSet::Quatro);
    std::cout << "current " << static_cast<int>(t.current) << '\n';
    printCodes("stock", t.deck, 52);
  }
  std::cout << "deal " << engine.dealNumber() << '\n';
  return 0;
}
