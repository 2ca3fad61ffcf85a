// Thread priorities given as the values -15, -2, -1, 0, 1, 2, 15 (idle .. time critical).
#pragma once

#include <cstdint>

namespace mpegdll {

bool isValidPriority(int32_t priority);
long currentThreadId();
// Best effort: raising a priority may need privileges the process does not have.
void applyPriority(long threadId, int32_t priority);

}  // namespace mpegdll
