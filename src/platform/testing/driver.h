// The scripted test driver: steers the platform layer from tests. Linked into
// test programs only. Everything here acts through the same code paths the
// real system takes (real SDL events, the layer's own operations), so what a
// test sees is what the game would see.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------- time
// Virtual time: the performance counter and the millisecond clock read
// driver-set values. `hasCounter` false makes QueryPerformanceFrequency fail,
// as on a machine without a performance counter.
void DriveVirtualTime(bool hasCounter, int64_t frequency);
void DriveSetCounter(int64_t counter);
void DriveSetMilliseconds(uint32_t milliseconds);
// Every read of a clock first advances it by this much, so busy-waits end.
void DriveAutoAdvance(int64_t countsPerRead, uint32_t millisecondsPerRead);
// Back to the real monotonic clock.
void DriveRealTime();
