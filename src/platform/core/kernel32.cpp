// KERNEL32: GetModuleHandleA, QueryPerformanceFrequency,
// QueryPerformanceCounter.
//
// Callers may rely on: GetModuleHandleA(null) returns the same non-null
// handle for the whole run; the performance counter is the backend's
// monotonic clock in nanoseconds (frequency 1,000,000,000), never
// decreasing; a program that polls it gives the machine its turns
// (BackendTakeTurn). Under the test driver's virtual time both read `layerClock`
// instead, and the frequency query fails when the virtual machine has no
// counter.
#include "platform/core/core.h"

LayerClock layerClock;

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
  static struct HINSTANCE__ programModule;
  return moduleName == nullptr ? &programModule : nullptr;
}

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (layerClock.virtualTime) {
    frequency->QuadPart = layerClock.hasCounter ? layerClock.frequency : 0;
    return layerClock.hasCounter ? TRUE : FALSE;
  }
  frequency->QuadPart = 1000000000;
  return TRUE;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (layerClock.virtualTime) {
    layerClock.counter += layerClock.counterStepPerRead;
    count->QuadPart = layerClock.counter;
    return layerClock.hasCounter ? TRUE : FALSE;
  }
  LayerGiveTurn(false);
  count->QuadPart = BackendMonotonicNanoseconds();
  return TRUE;
}
