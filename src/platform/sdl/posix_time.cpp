// The SDL backend's clock: the system's monotonic clock; its turns cost nothing.
#include <ctime>

#include "platform/sdl/sdl_backend.h"

int64_t BackendMonotonicNanoseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The desktop's scheduler shares the processor by itself.
void BackendTakeTurn(bool) {}
