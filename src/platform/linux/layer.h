// State shared between the layer's files, and the hooks through which the
// scripted test driver (src/platform/testing) steers it. In the shipped game
// every hook is off: time is real, nothing fails on purpose, message boxes
// are shown to the user.
#pragma once

#include <cstdint>

// Time. With `virtualTime` set, QueryPerformanceFrequency/Counter and
// timeGetTime read these fields instead of the monotonic clock; each read
// first advances the clock by the matching step, so a busy-wait on the clock
// always comes to an end.
struct LayerClock {
  bool virtualTime = false;
  bool hasCounter = true;           // false: QueryPerformanceFrequency fails
  int64_t frequency = 1000000;      // counts per second of the virtual counter
  int64_t counter = 0;              // virtual counter reading
  uint32_t milliseconds = 0;        // virtual timeGetTime reading
  int64_t counterStepPerRead = 0;   // added to `counter` on every counter read
  uint32_t millisecondStepPerRead = 0;  // added to `milliseconds` on every read
  void (*onRead)() = nullptr;       // called after every virtual read
};
extern LayerClock layerClock;

// Real time: the monotonic clock in nanoseconds.
int64_t LayerMonotonicNanoseconds();

