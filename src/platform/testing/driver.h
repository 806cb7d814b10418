// The scripted test driver: steers the platform layer from tests. Linked into
// test programs only. Everything here acts through the same code paths the
// real system takes (real SDL events, the layer's own operations), so what a
// test sees is what the game would see.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32.h"

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

// ---------------------------------------------------------------- faults
// The operation with this Win32 name fails on its nth next call (1 = the
// next), returning its own failure value; nth 0 = every call until cleared.
void DriveFail(const char* operation, int nth = 1);
void DriveClearFaults();

// ---------------------------------------------------------------- state
// What the layer holds at one moment.
struct LayerSnapshot {
  bool displayModeChanged;  // a fullscreen display mode is in force
  int cursorCounter;        // ShowCursor's display counter (0 at start; hidden below 0)
  int liveWindows;          // windows created and not yet destroyed
  int registeredClasses;    // window classes registered
  bool contextCurrent;      // a rendering context is current
};
LayerSnapshot DriveSnapshot();

// ---------------------------------------------------------------- message boxes
struct ShownBox {
  std::string text;
  std::string caption;
  unsigned style;
  int answer;
  LayerSnapshot state;  // the layer's state when the box came up
};
// Answers for the next boxes, in order. With the queue empty a Yes/No box
// is answered IDNO and any other box IDOK.
void DriveAnswerBoxes(const std::vector<int>& answers);
const std::vector<ShownBox>& DriveShownBoxes();
// Boxes shown for real (SDL message boxes, answered by keys) instead of
// answered from the queue; still recorded. Off after DriveReset.
void DriveRealBoxes(bool real);

// ---------------------------------------------------------------- display
// The display's mode list (width, height) as ChangeDisplaySettingsA sees it,
// in place of the real one.
void DriveDisplayModes(const std::vector<std::pair<int, int>>& modes);
// No display at all: window creation fails, message boxes go to stderr.
void DriveNoDisplay(bool none);

// ---------------------------------------------------------------- input
// Real SDL events pushed into SDL's queue; PeekMessageA translates them like
// any other. Virtual-key codes are Win32's.
void DriveKey(int virtualKey, bool down, bool repeat = false);
void DriveAltKey(int virtualKey, bool down);  // with Alt held: system keys
void DriveCloseButton();
void DriveMinimise();
void DriveRestore();
void DriveFocus(bool gained);

// ---------------------------------------------------------------- messages
// Every message delivered to a window procedure, in order, whether from
// DispatchMessageA or from inside a window-system call.
struct DeliveredMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::string during;  // the layer call it was sent from, or "DispatchMessageA"
};
const std::vector<DeliveredMessage>& DriveDeliveredMessages();
// Client-area size of a live window's native window, in pixels.
bool DriveClientSize(HWND window, int* width, int* height);

// ---------------------------------------------------------------- scripts
// Called at the start of every PeekMessageA with the number of earlier
// calls, so a script can act at a chosen pass of the main loop.
void DriveOnPeek(std::function<void(int peekCount)> script);

// Everything back to the start: real time, no faults, no answers queued, no
// boxes recorded, real display modes, no script.
void DriveReset();
