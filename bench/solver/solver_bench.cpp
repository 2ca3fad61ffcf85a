// solver_bench: solves the deals of consecutive seeds at each level, each level in a child process
// of its own (all at once), and prints per level won / lost / undecided, the median, p90 and p99
// time to an answer, the won share with its 95% interval, the positions searched per second and
// the peak memory of the process.
//   solver_bench [--cpu-time] [--vegas] [FIRST_SEED [DEALS [BUDGET_MS]]]  defaults 1, 1000, 2000
// --cpu-time counts each search's CPU time against the budget instead of the wall clock, so that
// a busy machine does not spend the budget, and the times printed are CPU times too.
// --vegas plays under Vegas scoring, whose stock is turned three times at most.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "solver/deal_runs.h"

namespace {

struct LevelRun {
  solver::Level level;
  const char* name;
};

// The share of successes and its 95% Wilson score interval, in percent.
void printShare(const char* name, const char* what, int successes, int trials) {
  const double z = 1.959964, n = trials, p = successes / n;
  const double centre = (p + z * z / (2 * n)) / (1 + z * z / n);
  const double half = z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / (1 + z * z / n);
  std::printf("%s: %s %.1f%% (95%%: %.1f%% - %.1f%%)\n", name, what, 100 * p, 100 * (centre - half),
              100 * (centre + half));
}

void runLevel(const LevelRun& level, std::uint32_t first, int deals, bool vegas,
              const solver::Limits& limits) {
  std::vector<solver::DealRun> runs;
  double states = 0, seconds = 0;
  for (int i = 0; i < deals; ++i) {
    runs.push_back(
        solver::solveDeal(first + static_cast<std::uint32_t>(i), level.level, vegas, limits));
    states += static_cast<double>(runs.back().states);
    seconds += runs.back().cpuMilliseconds / 1e3;
    if ((i + 1) % 100 == 0)
      std::printf("%s after %d deals: %s\n", level.name, i + 1,
                  solver::describe(solver::summarize(runs, limits.cpuTime)).c_str());
    std::fflush(stdout);
  }
  const solver::Summary summary = solver::summarize(runs, limits.cpuTime);
  std::printf("%s: %s\n", level.name, solver::describe(summary).c_str());
  printShare(level.name, "decided", summary.won + summary.lost, deals);
  printShare(level.name, "won", summary.won, deals);
  std::printf("%s: %.2f M positions per CPU second\n", level.name, states / seconds / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  solver::Limits limits;
  limits.maxStates = UINT64_MAX;
  int arg = 1;
  bool vegas = false;
  for (; arg < argc && argv[arg][0] == '-'; ++arg) {
    if (std::strcmp(argv[arg], "--cpu-time") == 0)
      limits.cpuTime = true;
    else if (std::strcmp(argv[arg], "--vegas") == 0)
      vegas = true;
    else
      break;
  }
  const std::uint32_t first =
      arg < argc ? static_cast<std::uint32_t>(std::strtoul(argv[arg++], nullptr, 10)) : 1;
  const int deals = arg < argc ? std::atoi(argv[arg++]) : 1000;
  limits.maxTime = std::chrono::milliseconds(arg < argc ? std::atoi(argv[arg++]) : 2000);
  if (deals <= 0 || limits.maxTime.count() <= 0) {
    std::fprintf(stderr,
                 "usage: solver_bench [--cpu-time] [--vegas] [FIRST_SEED [DEALS [BUDGET_MS]]]\n");
    return 2;
  }
  const LevelRun levels[] = {{solver::Level::Easy, "easy"},
                             {solver::Level::Medium, "medium"},
                             {solver::Level::Hard, "hard"}};
  std::fflush(stdout);
  std::vector<std::pair<pid_t, const char*>> children;
  for (const LevelRun& level : levels) {
    const pid_t pid = fork();
    if (pid == 0) {
      runLevel(level, first, deals, vegas, limits);
      std::fflush(stdout);
      _exit(0);
    }
    children.emplace_back(pid, level.name);
  }
  for (const auto& [pid, name] : children) {
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    std::printf("%s: peak memory %ld MB\n", name, usage.ru_maxrss / 1024);
  }
  return 0;
}
