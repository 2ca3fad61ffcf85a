// klondike-solve: solves dealt Klondike games by seed and prints one line per deal and a summary,
// or solves one position written as text (solver/position_text.h) and prints its winning line.
//   klondike-solve [--level easy|medium|hard] [--vegas] [--budget-ms N] [--budget-states N]
//                  [--cpu-time] SEED|FIRST-LAST...
//   klondike-solve [--level ...] [--budget-ms N] [--budget-states N] [--cpu-time] --position FILE
// FILE - reads standard input. The position's own level wins over --level.
// --cpu-time counts the search's own CPU time against the budget (for measuring on a busy
// machine).
// A line per deal: "seed outcome moves states milliseconds"; then
// "won W lost L undecided U median M ms p90 P ms p99 Q ms".
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "solver/deal_runs.h"
#include "solver/position_text.h"

namespace {

constexpr std::uint64_t kMaxDeals = 1'000'000;

// A decimal number of 0 .. max, nothing else.
std::optional<std::uint64_t> parseNumber(const std::string& text, std::uint64_t max) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value > max) return std::nullopt;
  return value;
}

// SEED or FIRST-LAST (both included, FIRST <= LAST).
bool addSeeds(const std::string& text, std::vector<std::pair<std::uint32_t, std::uint32_t>>& ranges,
              std::uint64_t& count) {
  const std::size_t dash = text.find('-');
  const auto first = parseNumber(text.substr(0, dash), UINT32_MAX);
  const auto last =
      dash == std::string::npos ? first : parseNumber(text.substr(dash + 1), UINT32_MAX);
  if (!first || !last || *first > *last) return false;
  count += *last - *first + 1;
  ranges.emplace_back(static_cast<std::uint32_t>(*first), static_cast<std::uint32_t>(*last));
  return count <= kMaxDeals;
}

constexpr std::size_t kMaxPositionBytes = 64 * 1024;

int usage(const std::string& reason = {}) {
  std::cerr << "usage: klondike-solve [--level easy|medium|hard] [--vegas] [--budget-ms N] "
               "[--budget-states N] [--cpu-time] SEED|FIRST-LAST...|--position FILE|-   "
               "(seeds 0 .. 4294967295)\n";
  if (!reason.empty()) std::cerr << reason << '\n';
  return 2;
}

// The text of a position file (or of standard input for "-"), at most kMaxPositionBytes.
std::optional<std::string> readPositionText(const std::string& name) {
  std::ifstream file;
  if (name != "-") {
    file.open(name, std::ios::binary);
    if (!file) return std::nullopt;
  }
  std::istream& in = name == "-" ? std::cin : file;
  std::string text(kMaxPositionBytes + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad() || in.gcount() > static_cast<std::streamsize>(kMaxPositionBytes))
    return std::nullopt;
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

// One move as a line of the answer.
std::string describeMove(const solver::Move& m) {
  const std::string card = "card " + std::to_string(m.card);
  const std::string from = "col" + std::to_string(m.column) + " row " + std::to_string(m.row);
  switch (m.kind) {
    case solver::MoveKind::Stock: return "stock";
    case solver::MoveKind::Flip: return "turn " + from;
    case solver::MoveKind::WasteToFoundation:
      return "waste (" + card + ") to found " + std::to_string(m.target);
    case solver::MoveKind::WasteToColumn:
      return "waste (" + card + ") to col" + std::to_string(m.target);
    case solver::MoveKind::ColumnToFoundation:
      return from + " (" + card + ") to found " + std::to_string(m.target);
    case solver::MoveKind::ColumnToColumn:
      return from + " (" + card + ") to col" + std::to_string(m.target);
  }
  return {};
}

// Solves the position in the file: "outcome moves states ms", then the moves, one per line.
int solvePosition(const std::string& name, solver::Level level, const solver::Limits& limits) {
  const auto text = readPositionText(name);
  if (!text) return usage("cannot read the position file '" + name + "'");
  const solver::PositionParse parse = solver::parsePosition(*text);
  if (!parse.file) return usage("bad position: " + parse.error);
  const solver::PositionFile& file = *parse.file;
  const auto start = std::chrono::steady_clock::now();
  const solver::Result result =
      solver::solve(file.position, file.level.value_or(level), file.refillsLeft(), limits);
  const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  if (result.outcome == solver::Outcome::Invalid) return usage("bad position: not one of Klondike");
  std::cout << solver::outcomeName(result.outcome) << ' ' << result.moves.size() << ' '
            << result.states << ' ' << spent.count() << '\n';
  for (const solver::Move& move : result.moves) std::cout << describeMove(move) << '\n';
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  solver::Level level = solver::Level::Hard;
  bool vegas = false;
  solver::Limits limits;
  limits.maxStates = UINT64_MAX;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges;
  std::uint64_t count = 0;
  std::optional<std::string> positionFile;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--level" && i + 1 < argc) {
      const std::string name = argv[++i];
      if (name == "easy")
        level = solver::Level::Easy;
      else if (name == "medium")
        level = solver::Level::Medium;
      else if (name == "hard")
        level = solver::Level::Hard;
      else
        return usage();
    } else if (arg == "--budget-states" && i + 1 < argc) {
      const auto states = parseNumber(argv[++i], UINT32_MAX);
      if (!states || *states == 0) return usage();
      limits.maxStates = *states;
    } else if (arg == "--cpu-time") {
      limits.cpuTime = true;
    } else if (arg == "--vegas") {
      vegas = true;
    } else if (arg == "--budget-ms" && i + 1 < argc) {
      const auto ms = parseNumber(argv[++i], 3'600'000);
      if (!ms || *ms == 0) return usage();
      limits.maxTime = std::chrono::milliseconds(*ms);
    } else if (arg == "--position" && i + 1 < argc && !positionFile) {
      positionFile = argv[++i];
    } else if (arg.empty() || arg[0] == '-' || !addSeeds(arg, ranges, count)) {
      return usage();
    }
  }
  if (positionFile)
    return ranges.empty() && !vegas ? solvePosition(*positionFile, level, limits) : usage();
  if (ranges.empty()) return usage();
  std::vector<solver::DealRun> runs;
  for (const auto& [first, last] : ranges) {
    for (std::uint64_t seed = first; seed <= last; ++seed) {
      runs.push_back(solver::solveDeal(static_cast<std::uint32_t>(seed), level, vegas, limits));
      std::cout << solver::describe(runs.back()) << std::endl;
    }
  }
  std::cout << solver::describe(solver::summarize(runs)) << '\n';
  return 0;
}
