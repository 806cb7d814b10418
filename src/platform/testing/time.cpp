// Virtual time for the performance counter and the millisecond clock.
#include "platform/testing/driver.h"
#include "platform/core/hooks.h"

void DriveVirtualTime(bool hasCounter, int64_t frequency) {
  layerClock = LayerClock();
  layerClock.virtualTime = true;
  layerClock.hasCounter = hasCounter;
  layerClock.frequency = frequency;
}

void DriveSetCounter(int64_t counter) { layerClock.counter = counter; }

void DriveSetMilliseconds(uint32_t milliseconds) { layerClock.milliseconds = milliseconds; }

void DriveAutoAdvance(int64_t countsPerRead, uint32_t millisecondsPerRead) {
  layerClock.counterStepPerRead = countsPerRead;
  layerClock.millisecondStepPerRead = millisecondsPerRead;
}

void DriveRealTime() { layerClock = LayerClock(); }
