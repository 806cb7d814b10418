// What the machine reports, as window messages: the backend's events are
// posted to the window they belong to (key events without a window go to
// the window the keyboard goes to).
//
// - Keys: WM_KEYDOWN/WM_KEYUP with the virtual-key code in wParam and the
//   key parameter (keyboard.cpp) in lParam; a held key's repeats are further
//   WM_KEYDOWNs. With Alt held (and not Control), the Alt key itself and F10
//   they are WM_SYSKEYDOWN/WM_SYSKEYUP.
// - A request of the machine to end the program (a signal) is the close
//   command of every window: WM_CLOSE to each, or to the first windows made
//   after it when none exists yet.
// - The close button: WM_CLOSE. Minimise: WM_ACTIVATE (WA_INACTIVE, high
//   word 1) then WM_SIZE (SIZE_MINIMIZED, 0x0). Restore: WM_ACTIVATE
//   (WA_ACTIVE, high word 0) then WM_SIZE (SIZE_RESTORED, client size).
//   Focus lost or gained: WM_ACTIVATE with WA_INACTIVE or WA_ACTIVE. A new
//   client size: WM_SIZE; a new position: WM_MOVE. Events that change
//   nothing the window already knows (a focus it already has, the size it
//   already has) make no message.
#include "platform/core/core.h"

namespace {

bool endPending = false;  // the machine asked the program to end; no window had the word yet

void PostTo(LayerWindow* window, UINT message, WPARAM wParam, LPARAM lParam) {
  LayerPost(LayerWindowHandle(window), message, wParam, lParam);
}

void PostKey(LayerWindow* window, const NativeEvent& key) {
  if (!window || !key.virtualKey) return;
  bool system = !key.controlHeld && (key.altHeld || key.virtualKey == VK_MENU || key.virtualKey == VK_F10);
  UINT message = key.down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  PostTo(window, message, WPARAM(key.virtualKey),
         LayerKeyParameter(key.scanCode, key.extended, key.down, key.repeat, key.altHeld));
}

void PostWindowEvent(LayerWindow* window, const NativeEvent& event) {
  if (!window || window->destroying) return;
  switch (event.kind) {
    case NativeEventKind::Close:
      PostTo(window, WM_CLOSE, 0, 0);
      break;
    case NativeEventKind::Minimised:
      if (window->minimised) break;
      LayerNoteMinimised(window, true);
      PostTo(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
      PostTo(window, WM_SIZE, SIZE_MINIMIZED, 0);
      break;
    case NativeEventKind::Restored:
      if (!window->minimised) break;
      LayerNoteMinimised(window, false);
      PostTo(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
      PostTo(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window->clientWidth, window->clientHeight));
      break;
    case NativeEventKind::FocusGained:
      if (window->minimised || window->active) break;
      LayerNoteActive(window, true);
      PostTo(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
      break;
    case NativeEventKind::FocusLost:
      if (!window->active) break;
      LayerNoteActive(window, false);
      PostTo(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
      break;
    case NativeEventKind::Resized:
      if (window->minimised || event.width <= 0 || event.height <= 0) break;
      if (event.width == window->clientWidth && event.height == window->clientHeight) break;
      window->clientWidth = event.width;
      window->clientHeight = event.height;
      PostTo(window, WM_SIZE, event.maximised ? SIZE_MAXIMIZED : SIZE_RESTORED, MAKELPARAM(event.width, event.height));
      break;
    case NativeEventKind::Moved:
      if (window->minimised || (event.x == window->x && event.y == window->y)) break;
      window->x = event.x;
      window->y = event.y;
      PostTo(window, WM_MOVE, 0, MAKELPARAM(window->x, window->y));
      break;
    case NativeEventKind::Key:
    case NativeEventKind::EndRequested:
      break;
  }
}

}  // namespace

void LayerPumpInput() {
  if (!BackendVideoStarted()) return;
  NativeEvent event;
  while (BackendNextEvent(&event)) {
    if (event.kind == NativeEventKind::Key)
      PostKey(event.window ? LayerFindWindowByNative(event.window) : LayerInputWindow(), event);
    else if (event.kind == NativeEventKind::EndRequested)
      endPending = true;
    else
      PostWindowEvent(LayerFindWindowByNative(event.window), event);
  }
  if (endPending && !LayerWindows().empty()) {
    endPending = false;
    for (LayerWindow* window : LayerWindows())
      if (!window->destroying) PostTo(window, WM_CLOSE, 0, 0);
  }
}

bool LayerInjectKey(int virtualKey, bool down, bool repeat, bool altHeld, bool controlHeld) {
  if (!LayerVideoReady()) return false;
  LayerWindow* window = LayerInputWindow();
  NativeEvent event = {};
  event.kind = NativeEventKind::Key;
  event.window = window ? window->native : nullptr;
  event.virtualKey = virtualKey;
  event.down = down;
  event.repeat = repeat;
  event.altHeld = altHeld;
  event.controlHeld = controlHeld;
  return BackendInjectEvent(event);
}

bool LayerInjectWindowEvent(NativeEventKind kind) {
  if (!LayerVideoReady()) return false;
  LayerWindow* window = LayerInputWindow();
  if (!window || !window->native) return false;
  NativeEvent event = {};
  event.kind = kind;
  event.window = window->native;
  return BackendInjectEvent(event);
}
