// Solving dealt games by seed and the figures of a series.
#include "solver/deal_runs.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "solver/table_position.h"

namespace solver {

namespace {
double threadCpuMilliseconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}
}  // namespace

DealRun solveDeal(std::uint32_t seed, Level level, bool vegas, const Limits& limits) {
  const game::GameTable table = dealtTable(seed);
  const auto start = std::chrono::steady_clock::now();
  const double cpuStart = threadCpuMilliseconds();
  const Result result = solve(positionOf(table), level, refillsLeft(table, vegas), limits);
  const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  return {seed,          result.outcome, result.moves.size(),
          result.states, spent.count(),  threadCpuMilliseconds() - cpuStart};
}

Summary summarize(const std::vector<DealRun>& runs, bool cpu) {
  Summary s;
  std::vector<double> times;
  for (const DealRun& run : runs) {
    if (run.outcome == Outcome::Won)
      ++s.won;
    else if (run.outcome == Outcome::Lost)
      ++s.lost;
    else
      ++s.undecided;
    times.push_back(cpu ? run.cpuMilliseconds : run.milliseconds);
  }
  if (times.empty()) return s;
  std::sort(times.begin(), times.end());
  // The smallest time that the given share of the deals does not exceed.
  const auto percentile = [&times](double share) {
    const auto rank =
        static_cast<std::size_t>(std::ceil(share * static_cast<double>(times.size())));
    return times[std::clamp<std::size_t>(rank, 1, times.size()) - 1];
  };
  s.median = percentile(0.5);
  s.p90 = percentile(0.9);
  s.p99 = percentile(0.99);
  return s;
}

const char* outcomeName(Outcome outcome) {
  switch (outcome) {
    case Outcome::Won: return "won";
    case Outcome::Lost: return "lost";
    case Outcome::Undecided: return "undecided";
    case Outcome::Invalid: return "invalid";
  }
  return "invalid";
}

std::string describe(const DealRun& run) {
  char line[128];
  std::snprintf(line, sizeof line, "%u %s %zu %llu %.1f", run.seed, outcomeName(run.outcome),
                run.moves, static_cast<unsigned long long>(run.states), run.milliseconds);
  return line;
}

std::string describe(const Summary& s) {
  char line[160];
  std::snprintf(line, sizeof line,
                "won %d lost %d undecided %d median %.1f ms p90 %.1f ms p99 %.1f ms", s.won, s.lost,
                s.undecided, s.median, s.p90, s.p99);
  return line;
}

}  // namespace solver
