#pragma once
// Solving dealt games by seed and summing up a series of them (for the command-line solver and
// the benchmark).
#include <cstdint>
#include <string>
#include <vector>

#include "solver/klondike_solver.h"

namespace solver {

struct DealRun {
  std::uint32_t seed = 0;
  Outcome outcome = Outcome::Undecided;
  std::size_t moves = 0;
  std::uint64_t states = 0;
  double milliseconds = 0;     // on the wall clock
  double cpuMilliseconds = 0;  // CPU time of the solving thread
};

DealRun solveDeal(std::uint32_t seed, Level level, bool vegas, const Limits& limits);

struct Summary {
  int won = 0, lost = 0, undecided = 0;
  double median = 0, p90 = 0, p99 = 0;  // milliseconds per deal
};
// cpu: the times are the CPU times (a fair figure on a busy machine).
Summary summarize(const std::vector<DealRun>& runs, bool cpu = false);

const char* outcomeName(Outcome outcome);
// "seed outcome moves states ms", one deal.
std::string describe(const DealRun& run);
// "won W lost L undecided U median M ms p90 P ms p99 Q ms".
std::string describe(const Summary& summary);

}  // namespace solver
