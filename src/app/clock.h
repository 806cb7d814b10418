// Elapsed milliseconds for frame pacing, from the performance counter when
// the machine has one, otherwise from the millisecond clock.
#pragma once

#include <cstdint>

struct FrameClock {
  int64_t countsPerSecond;  // ticks per second of the chosen source
  float secondsPerCount;    // seconds per tick of the chosen source
  uint32_t coarseStart;     // millisecond-clock reading at start (0 with the counter)
  uint32_t coarseMark;      // equal to coarseStart; read by nothing
  bool usesCounter;         // the performance counter is the source
  int64_t counterStart;     // counter reading at start (0 with the millisecond clock)
  int64_t counterMark;      // equal to counterStart; read by nothing
};

extern FrameClock frameClock;

// Chooses the source and records its reading now.
void StartFrameClock();
// Milliseconds since StartFrameClock, in double precision.
double ReadFrameClock();
