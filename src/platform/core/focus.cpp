// USER32, activation and the keyboard focus: SetForegroundWindow, SetFocus.
//
// Callers may rely on: one window at a time is active and one has the
// focus. Activating a window sends WM_ACTIVATE (WA_ACTIVE) to it after
// WM_ACTIVATE (WA_INACTIVE) to the one that was active, then WM_KILLFOCUS to
// the old focus window and WM_SETFOCUS to the new one; the high word of a
// WM_ACTIVATE's wParam is 1 while the window is minimised. A visible window
// that is activated is also raised and given the keyboard on the display.
#include "platform/core/core.h"

namespace {
LayerWindow* activeWindow = nullptr;
LayerWindow* focusWindow = nullptr;

// Moves the focus to `window` (may be null), sending what Windows sends.
void MoveFocus(LayerWindow* window) {
  LayerWindow* previous = focusWindow;
  if (previous == window) return;
  if (previous) {
    focusWindow = nullptr;
    LayerSend(previous, WM_KILLFOCUS, WPARAM(LayerWindowHandle(window)), 0);
  }
  if (window && LayerFindWindow(LayerWindowHandle(window))) {
    focusWindow = window;
    LayerSend(window, WM_SETFOCUS, WPARAM(LayerWindowHandle(previous)), 0);
  }
}
}  // namespace

LayerWindow* LayerInputWindow() {
  if (focusWindow) return focusWindow;
  if (activeWindow) return activeWindow;
  const std::vector<LayerWindow*>& windows = LayerWindows();
  return windows.empty() ? nullptr : windows.front();
}

void LayerDeactivate(LayerWindow* window, LayerWindow* next) {
  if (activeWindow == window) {
    activeWindow = nullptr;
    window->active = false;
    LayerSend(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, window->minimised ? 1 : 0), LPARAM(LayerWindowHandle(next)));
  }
  if (focusWindow == window) {
    focusWindow = nullptr;
    LayerSend(window, WM_KILLFOCUS, WPARAM(LayerWindowHandle(next)), 0);
  }
}

void LayerActivate(LayerWindow* window) {
  if (activeWindow != window) {
    LayerWindow* previous = activeWindow;
    if (previous) LayerDeactivate(previous, window);
    activeWindow = window;
    window->active = true;
    LayerSend(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), LPARAM(LayerWindowHandle(previous)));
  }
  MoveFocus(window);
  if (window->visible && window->native) BackendRaiseWindow(window->native);
}

void LayerNoteMinimised(LayerWindow* window, bool minimised) {
  window->minimised = minimised;
  if (minimised) {
    if (activeWindow == window) activeWindow = nullptr;
    window->active = false;
  } else {
    activeWindow = window;
    window->active = true;
  }
}

void LayerNoteActive(LayerWindow* window, bool active) {
  window->active = active;
  if (active) {
    activeWindow = window;
    focusWindow = window;
  } else {
    if (activeWindow == window) activeWindow = nullptr;
    if (focusWindow == window) focusWindow = nullptr;
  }
}

void LayerForgetFocus(LayerWindow* window) {
  if (activeWindow == window) activeWindow = nullptr;
  if (focusWindow == window) focusWindow = nullptr;
}

bool LayerIsActive(LayerWindow* window) { return activeWindow == window; }

BOOL WINAPI SetForegroundWindow(HWND handle) {
  if (LayerShouldFail("SetForegroundWindow")) return FALSE;
  LayerWindow* window = LayerFindWindow(handle);
  if (!window) return FALSE;
  LayerEnterCall("SetForegroundWindow");
  LayerActivate(window);
  LayerLeaveCall();
  return TRUE;
}

HWND WINAPI SetFocus(HWND handle) {
  if (LayerShouldFail("SetFocus")) return nullptr;
  LayerWindow* window = LayerFindWindow(handle);
  if (handle && !window) return nullptr;
  LayerWindow* previous = focusWindow;
  if (previous == window) return LayerWindowHandle(previous);
  LayerEnterCall("SetFocus");
  MoveFocus(window);
  if (window && focusWindow == window && window->visible) BackendFocusWindow(window->native);
  LayerLeaveCall();
  return LayerWindowHandle(previous);
}
