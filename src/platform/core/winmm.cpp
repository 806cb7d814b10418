// WINMM: timeGetTime.
//
// Callers may rely on: milliseconds of the backend's monotonic clock as an
// unsigned 32-bit count that wraps modulo 2^32; a program that polls it
// gives the machine its turns (BackendTakeTurn). Under the test driver's
// virtual time it reads `layerClock.milliseconds` instead.
#include "platform/core/core.h"

DWORD WINAPI timeGetTime(void) {
  if (layerClock.virtualTime) {
    layerClock.milliseconds += layerClock.millisecondStepPerRead;
    return layerClock.milliseconds;
  }
  LayerGiveTurn(false);
  return DWORD(uint64_t(BackendMonotonicNanoseconds()) / 1000000u);
}
