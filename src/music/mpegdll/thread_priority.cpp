#include "music/mpegdll/thread_priority.h"

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace mpegdll {

bool isValidPriority(int32_t priority) {
  switch (priority) {
    case -15:
    case -2:
    case -1:
    case 0:
    case 1:
    case 2:
    case 15: return true;
    default: return false;
  }
}

#ifdef __linux__
namespace {
int niceValue(int32_t priority) {
  switch (priority) {
    case -15: return 19;
    case -2: return 10;
    case -1: return 5;
    case 1: return -5;
    case 2: return -10;
    case 15: return -20;
    default: return 0;
  }
}
}  // namespace

long currentThreadId() { return static_cast<long>(gettid()); }

void applyPriority(long threadId, int32_t priority) {
  if (threadId != 0) setpriority(PRIO_PROCESS, static_cast<id_t>(threadId), niceValue(priority));
}
#else
long currentThreadId() { return 0; }
void applyPriority(long, int32_t) {}
#endif

}  // namespace mpegdll
