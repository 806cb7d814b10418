// State shared between the layer's files, and the hooks through which the
// scripted test driver (src/platform/testing) steers it. In the shipped game
// every hook is off: time is real, nothing fails on purpose, message boxes
// are shown to the user.
#pragma once

#include <cstdint>

struct HDC__;

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


// Fault injection: true when the test driver has armed the named operation
// (its Win32 name, e.g. "CreateWindowExA") to fail on this call. Each
// operation that can fail asks once per call, before doing anything, and
// then returns its own failure value. Always false in the game.
bool LayerShouldFail(const char* operation);

// Arms `operation` to fail on its nth next call (1 = the very next call);
// nth 0 makes every call fail until the faults are cleared.
void LayerArmFault(const char* operation, int nth);
void LayerClearFaults();

// Fonts (fonts.cpp): a device context is being released; drop what the font
// code keeps for it (its selected font), so nothing grows across windows.
void LayerFontsReleaseDC(HDC__* dc);
// The number of font records the font code holds (for tests of the above).
int LayerFontsLive();
