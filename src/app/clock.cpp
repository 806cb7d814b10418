// Elapsed milliseconds for frame pacing: the performance counter when the
// machine has one, otherwise the millisecond multimedia clock.
#include "app/clock.h"

#include "platform/win32.h"

FrameClock frameClock;

void StartFrameClock() {
  frameClock = FrameClock{};

  LARGE_INTEGER frequency;
  frequency.QuadPart = 0;
  BOOL hasCounter = QueryPerformanceFrequency(&frequency);
  frameClock.countsPerSecond = frequency.QuadPart;
  if (hasCounter) {
    LARGE_INTEGER start;
    start.QuadPart = 0;
    QueryPerformanceCounter(&start);
    frameClock.counterStart = start.QuadPart;
    frameClock.usesCounter = true;
    frameClock.secondsPerCount = float(1.0 / double(frameClock.countsPerSecond));
    frameClock.counterMark = frameClock.counterStart;
  } else {
    frameClock.usesCounter = false;
    frameClock.coarseStart = timeGetTime();
    frameClock.secondsPerCount = 0.001f;
    frameClock.countsPerSecond = 1000;
    frameClock.coarseMark = frameClock.coarseStart;
  }
}

double ReadFrameClock() {
  int64_t ticks;
  if (frameClock.usesCounter) {
    LARGE_INTEGER now;
    now.QuadPart = 0;
    QueryPerformanceCounter(&now);
    ticks = now.QuadPart - frameClock.counterStart;
  } else {
    // Unsigned 32-bit difference: a wrap of the millisecond clock between
    // start and now still gives the true elapsed count, never a negative one.
    uint32_t elapsed = uint32_t(timeGetTime() - frameClock.coarseStart);
    ticks = int64_t(uint64_t(elapsed));
  }
  return double(ticks) * double(frameClock.secondsPerCount) * double(1000.0f);
}
