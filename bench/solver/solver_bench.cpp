// solver_bench: solves the deals of consecutive seeds at each level, each level in a child process
// of its own (all at once), and prints per level won / lost / undecided, the median, p90 and p99
// time to an answer and the peak memory of the process.
//   solver_bench [--cpu-time] [FIRST_SEED [DEALS [BUDGET_MS]]]     defaults 1, 1000, 2000
// --cpu-time counts each search's CPU time against the budget instead of the wall clock, so that
// a busy machine does not spend the budget, and the times printed are CPU times too.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

void runLevel(const LevelRun& level, std::uint32_t first, int deals, const solver::Limits& limits) {
  std::vector<solver::DealRun> runs;
  for (int i = 0; i < deals; ++i) {
    runs.push_back(
        solver::solveDeal(first + static_cast<std::uint32_t>(i), level.level, false, limits));
    if ((i + 1) % 100 == 0)
      std::printf("%s after %d deals: %s\n", level.name, i + 1,
                  solver::describe(solver::summarize(runs, limits.cpuTime)).c_str());
    std::fflush(stdout);
  }
  std::printf("%s: %s\n", level.name,
              solver::describe(solver::summarize(runs, limits.cpuTime)).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  solver::Limits limits;
  limits.maxStates = UINT64_MAX;
  int arg = 1;
  if (arg < argc && std::strcmp(argv[arg], "--cpu-time") == 0) {
    limits.cpuTime = true;
    ++arg;
  }
  const std::uint32_t first =
      arg < argc ? static_cast<std::uint32_t>(std::strtoul(argv[arg++], nullptr, 10)) : 1;
  const int deals = arg < argc ? std::atoi(argv[arg++]) : 1000;
  limits.maxTime = std::chrono::milliseconds(arg < argc ? std::atoi(argv[arg++]) : 2000);
  if (deals <= 0 || limits.maxTime.count() <= 0) {
    std::fprintf(stderr, "usage: solver_bench [--cpu-time] [FIRST_SEED [DEALS [BUDGET_MS]]]\n");
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
      runLevel(level, first, deals, limits);
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
