// The hooks through which the scripted test driver (src/platform/testing)
// watches and steers the layer, and what it reads of the layer's state. In
// the shipped game every hook is off: time is real, nothing fails on
// purpose, message boxes are shown to the user.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/core/backend.h"
#include "platform/win32.h"

// ---------------------------------------------------------------- time
// With `virtualTime` set, QueryPerformanceFrequency/Counter and timeGetTime
// read these fields instead of the monotonic clock; each read first
// advances the clock by the matching step, so a busy-wait on the clock
// always comes to an end.
struct LayerClock {
  bool virtualTime = false;
  bool hasCounter = true;               // false: QueryPerformanceFrequency fails
  int64_t frequency = 1000000;          // counts per second of the virtual counter
  int64_t counter = 0;                  // virtual counter reading
  uint32_t milliseconds = 0;            // virtual timeGetTime reading
  int64_t counterStepPerRead = 0;       // added to `counter` on every counter read
  uint32_t millisecondStepPerRead = 0;  // added to `milliseconds` on every read
};
extern LayerClock layerClock;

// ---------------------------------------------------------------- faults
// True when the named operation (its Win32 name, e.g. "CreateWindowExA") is
// armed to fail on this call. Each operation that can fail asks once per
// call, before doing anything, and then returns its own failure value.
bool LayerShouldFail(const char* operation);
// Arms `operation` to fail on its nth next call (1 = the very next call);
// nth 0 makes every call fail until the faults are cleared.
void LayerArmFault(const char* operation, int nth);
void LayerClearFaults();

// ---------------------------------------------------------------- hooks
struct LayerHooks {
  bool noDisplay = false;  // behave as if no display could be opened
  // In place of the display's own mode list; the popup window made after an
  // accepted change is then a borderless window of the mode's size at 0,0.
  const std::vector<std::pair<int, int>>* displayModes = nullptr;
  // Answers a message box instead of showing it.
  int (*answerBox)(const char* text, const char* caption, UINT style) = nullptr;
  // Told of every box, with its answer, shown or answered.
  void (*boxShown)(const char* text, const char* caption, UINT style, int answer) = nullptr;
  // Told of every message a window procedure receives, and the call it came from.
  void (*delivered)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const char* during) = nullptr;
  // Called at the start of every PeekMessageA.
  void (*peek)() = nullptr;
};
extern LayerHooks layerHooks;

// ---------------------------------------------------------------- state
bool LayerDisplayModeChanged();
int LayerCursorCounter();
int LayerLiveWindowCount();
int LayerRegisteredClassCount();
bool LayerContextCurrent();
// The number of font records held (they are freed as device contexts go).
int LayerFontsLive();
// A device context is released: what the font code keeps for it goes.
void LayerFontsReleaseDC(HDC dc);
// The size of a live window's GL surface in pixels; false for anything else.
bool LayerDrawableSize(HWND window, int* width, int* height);
// Starts the display connection (as creating a window would); false without one.
bool LayerVideoReady();

// ---------------------------------------------------------------- input
// Input for the window the keyboard goes to (the focus window, else the
// active one, else the first live one), put into the backend's queue as the
// machine would, to be turned into messages by PeekMessageA. False when
// there is no display or no such window.
bool LayerInjectKey(int virtualKey, bool down, bool repeat, bool altHeld, bool controlHeld);
// A window event: Close, Minimised, Restored, FocusGained or FocusLost.
bool LayerInjectWindowEvent(NativeEventKind kind);
// Forgets the key state TranslateMessage reads.
void LayerResetKeyboard();
