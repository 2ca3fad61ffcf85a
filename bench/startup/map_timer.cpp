// Starts a program and reports how long it took from exec to its first mapped top-level window,
// its resident memory after a given idle time and, optionally, its wake-ups per second while idle.
//
// Use: map_timer [--idle S] [--wakeups S] [--after-map COMMAND] -- PROGRAM [ARGS...]
// Prints one line: "map_ms=<ms> rss_kb=<kB> wakeups_per_s=<n>" (the last only with --wakeups).
// COMMAND runs through /bin/sh right after the map, with WINDOW set to the mapped window's id
// (for example xdotool clicks that start the game clock). The program is ended afterwards.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <dirent.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

long statusField(const std::string& file, const char* field) {
  std::ifstream in(file);
  std::string line;
  const std::size_t length = std::strlen(field);
  while (std::getline(in, line))
    if (line.compare(0, length, field) == 0) return std::atol(line.c_str() + length);
  return -1;
}

// Context switches of all threads of `pid`: each one is a wake-up of a sleeping thread or a
// preemption.
long contextSwitches(pid_t pid) {
  const std::string taskDir = "/proc/" + std::to_string(pid) + "/task";
  long total = 0;
  if (DIR* dir = opendir(taskDir.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      if (entry->d_name[0] == '.') continue;
      const std::string status = taskDir + "/" + entry->d_name + "/status";
      total += std::max(0L, statusField(status, "voluntary_ctxt_switches:"));
      total += std::max(0L, statusField(status, "nonvoluntary_ctxt_switches:"));
    }
    closedir(dir);
  }
  return total;
}

void sleepSeconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

int usage() {
  std::fprintf(
      stderr,
      "usage: map_timer [--idle S] [--wakeups S] [--after-map COMMAND] -- PROGRAM [ARGS]\n");
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  double idleSeconds = 2.0, wakeupSeconds = 0.0;
  const char* afterMap = nullptr;
  int arg = 1;
  for (; arg < argc && std::strcmp(argv[arg], "--") != 0; ++arg) {
    if (arg + 1 >= argc) return usage();
    if (std::strcmp(argv[arg], "--idle") == 0)
      idleSeconds = std::atof(argv[++arg]);
    else if (std::strcmp(argv[arg], "--wakeups") == 0)
      wakeupSeconds = std::atof(argv[++arg]);
    else if (std::strcmp(argv[arg], "--after-map") == 0)
      afterMap = argv[++arg];
    else
      return usage();
  }
  if (arg + 1 >= argc) return usage();
  char** command = argv + arg + 1;

  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) {
    std::fprintf(stderr, "map_timer: cannot open the display\n");
    return 1;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(x);
  free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));  // the mask is in place

  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    execvp(command[0], command);
    std::perror(command[0]);
    _exit(127);
  }
  if (pid < 0) return 1;
  setpgid(pid, pid);

  xcb_window_t mapped = 0;
  while (xcb_generic_event_t* event = xcb_wait_for_event(x)) {
    if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
      const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
      if (!map->override_redirect) mapped = map->window;
    }
    free(event);
    if (mapped != 0) break;
  }
  const double mapMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();

  if (afterMap != nullptr && mapped != 0) {
    setenv("WINDOW", std::to_string(mapped).c_str(), 1);
    if (std::system(afterMap) != 0) std::fprintf(stderr, "map_timer: after-map command failed\n");
  }
  sleepSeconds(idleSeconds);
  const long rssKb = statusField("/proc/" + std::to_string(pid) + "/status", "VmRSS:");
  std::printf("map_ms=%.1f rss_kb=%ld", mapped != 0 ? mapMs : -1.0, rssKb);
  if (wakeupSeconds > 0) {
    const long before = contextSwitches(pid);
    sleepSeconds(wakeupSeconds);
    std::printf(" wakeups_per_s=%.1f", double(contextSwitches(pid) - before) / wakeupSeconds);
  }
  std::printf("\n");

  kill(-pid, SIGTERM);
  for (int i = 0; i < 50 && waitpid(pid, nullptr, WNOHANG) == 0; ++i) sleepSeconds(0.02);
  kill(-pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  xcb_disconnect(x);
  return mapped != 0 ? 0 : 1;
}
