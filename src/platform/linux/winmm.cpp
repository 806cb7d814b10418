// WINMM on Linux: timeGetTime.
//
// Callers may rely on: milliseconds of the monotonic clock as an unsigned
// 32-bit count that wraps modulo 2^32. Under the test driver's virtual time
// it reads `layerClock.milliseconds` instead.
#include "platform/win32.h"
#include "platform/linux/layer.h"

DWORD WINAPI timeGetTime(void) {
  if (layerClock.virtualTime) {
    layerClock.milliseconds += layerClock.millisecondStepPerRead;
    DWORD reading = layerClock.milliseconds;
    if (layerClock.onRead) layerClock.onRead();
    return reading;
  }
  return DWORD(uint64_t(LayerMonotonicNanoseconds()) / 1000000u);
}
