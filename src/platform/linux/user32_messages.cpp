// USER32 on Linux, the message side: PeekMessageA, TranslateMessage,
// DispatchMessageA, PostQuitMessage, and SDL's events turned into window
// messages.
//
// Callers may rely on:
// - Each thread has its own posted queue. PeekMessageA never waits: it
//   first takes every waiting SDL event and posts the messages it makes,
//   then hands out the first message that passes the filters (window, and
//   message range unless both bounds are 0), removing it with PM_REMOVE.
//   WM_QUIT, from PostQuitMessage, comes only once no other message waits;
//   its wParam is the exit code.
// - SDL events become these messages, posted to the window they belong to
//   (key events without a window go to the focus window):
//   key down and up: WM_KEYDOWN/WM_KEYUP with the Win32 virtual-key code in
//   wParam (user32_keys.cpp) and lParam holding repeat count 1, the PC scan
//   code (bits 16-23), the extended-key bit 24, Alt held (bit 29), key
//   down before (bit 30, set on repeats and on key up) and key up (bit 31);
//   a held key's repeats are further WM_KEYDOWNs. With Alt held (and not
//   Control), the Alt key itself and F10 they are WM_SYSKEYDOWN/WM_SYSKEYUP.
//   The close button: WM_CLOSE. Minimise: WM_ACTIVATE (WA_INACTIVE, high
//   word 1) then WM_SIZE (SIZE_MINIMIZED, 0x0). Restore: WM_ACTIVATE
//   (WA_ACTIVE, high word 0) then WM_SIZE (SIZE_RESTORED, client size).
//   Focus lost or gained: WM_ACTIVATE with WA_INACTIVE or WA_ACTIVE. A new
//   client size: WM_SIZE; a new position: WM_MOVE. Events that change
//   nothing the window already knows (a focus it already has, the size it
//   already has) make no message.
// - TranslateMessage posts WM_CHAR (WM_SYSCHAR for system keys) for keys
//   that type a character on a US keyboard, to be taken next; it returns
//   non-zero for every key message. DispatchMessageA calls the window's
//   procedure and returns its result; messages without a live window get 0.
#include "platform/linux/user32_messages.h"

#include <deque>

#include "platform/linux/layer.h"
#include "platform/linux/user32_keys.h"

namespace {

thread_local std::deque<MSG> postedQueue;
thread_local bool quitPending = false;
thread_local int quitCode = 0;
std::vector<const char*> callStack;

DWORD MessageTime() { return DWORD(uint64_t(LayerMonotonicNanoseconds()) / 1000000u); }

void PostTo(LayerWindow* window, UINT message, WPARAM wParam, LPARAM lParam) {
  LayerPost(LayerWindowHandle(window), message, wParam, lParam);
}

void TranslateKey(const SDL_KeyboardEvent& key) {
  LayerWindow* window = key.windowID ? LayerFindWindowByNative(key.windowID) : LayerInputWindow();
  if (!window) return;
  int virtualKey = LayerVirtualKeyOf(key.keysym.sym, key.keysym.scancode);
  if (!virtualKey) return;
  bool down = key.type == SDL_KEYDOWN;
  bool altHeld = (key.keysym.mod & KMOD_ALT) != 0;
  bool controlHeld = (key.keysym.mod & KMOD_CTRL) != 0;
  bool system = !controlHeld && (altHeld || virtualKey == VK_MENU || virtualKey == VK_F10);
  UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  LPARAM lParam = LayerKeyParameter(key.keysym.sym, key.keysym.scancode, down, key.repeat != 0, altHeld);
  PostTo(window, message, WPARAM(virtualKey), lParam);
}

void TranslateWindowEvent(const SDL_WindowEvent& event) {
  LayerWindow* window = LayerFindWindowByNative(event.windowID);
  if (!window || window->destroying) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      PostTo(window, WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      if (window->minimised) break;
      LayerNoteMinimised(window, true);
      PostTo(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
      PostTo(window, WM_SIZE, SIZE_MINIMIZED, 0);
      break;
    case SDL_WINDOWEVENT_RESTORED:
      if (!window->minimised) break;
      LayerNoteMinimised(window, false);
      PostTo(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
      PostTo(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window->clientWidth, window->clientHeight));
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (window->minimised || window->active) break;
      LayerNoteActive(window, true);
      PostTo(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (!window->active) break;
      LayerNoteActive(window, false);
      PostTo(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESIZED: {
      int width = event.data1, height = event.data2;
      if (window->minimised || width <= 0 || height <= 0) break;
      if (width == window->clientWidth && height == window->clientHeight) break;
      window->clientWidth = width;
      window->clientHeight = height;
      bool maximised = window->native && (SDL_GetWindowFlags(window->native) & SDL_WINDOW_MAXIMIZED);
      PostTo(window, WM_SIZE, maximised ? SIZE_MAXIMIZED : SIZE_RESTORED, MAKELPARAM(width, height));
      break;
    }
    case SDL_WINDOWEVENT_MOVED:
      if (window->minimised || (event.data1 == window->x && event.data2 == window->y)) break;
      window->x = event.data1;
      window->y = event.data2;
      PostTo(window, WM_MOVE, 0, MAKELPARAM(window->x, window->y));
      break;
    default:
      break;
  }
}

void PumpInput() {
  if (!LayerVideoStarted()) return;
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP)
      TranslateKey(event.key);
    else if (event.type == SDL_WINDOWEVENT)
      TranslateWindowEvent(event.window);
  }
}

bool Passes(const MSG& message, HWND window, UINT filterMin, UINT filterMax) {
  if (window && message.hwnd != window) return false;
  if (filterMin == 0 && filterMax == 0) return true;
  return message.message >= filterMin && message.message <= filterMax;
}

}  // namespace

LRESULT LayerSend(LayerWindow* window, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND handle = LayerWindowHandle(window);
  WNDPROC procedure = window->procedure;
  if (layerHooks.delivered)
    layerHooks.delivered(handle, message, wParam, lParam, callStack.empty() ? "" : callStack.back());
  return procedure ? procedure(handle, message, wParam, lParam) : 0;
}

void LayerEnterCall(const char* operation) { callStack.push_back(operation); }

void LayerLeaveCall() {
  if (!callStack.empty()) callStack.pop_back();
}

void LayerPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool atFront) {
  MSG posted = {};
  posted.hwnd = window;
  posted.message = message;
  posted.wParam = wParam;
  posted.lParam = lParam;
  posted.time = MessageTime();
  if (atFront)
    postedQueue.push_front(posted);
  else
    postedQueue.push_back(posted);
}

void LayerDropPosted(HWND window) {
  for (auto it = postedQueue.begin(); it != postedQueue.end();) {
    if (it->hwnd == window)
      it = postedQueue.erase(it);
    else
      ++it;
  }
}

BOOL WINAPI PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (layerHooks.peek) layerHooks.peek();
  PumpInput();
  if (!msg) return FALSE;
  for (auto it = postedQueue.begin(); it != postedQueue.end(); ++it) {
    if (!Passes(*it, window, filterMin, filterMax)) continue;
    *msg = *it;
    if (removeFlags & PM_REMOVE) {
      postedQueue.erase(it);
      LayerKeyTaken(msg->message, msg->wParam);
    }
    return TRUE;
  }
  bool quitWanted = (filterMin == 0 && filterMax == 0) || (WM_QUIT >= filterMin && WM_QUIT <= filterMax);
  if (quitPending && quitWanted) {
    *msg = MSG();
    msg->message = WM_QUIT;
    msg->wParam = WPARAM(quitCode);
    msg->time = MessageTime();
    if (removeFlags & PM_REMOVE) quitPending = false;
    return TRUE;
  }
  return FALSE;
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
  if (!msg) return FALSE;
  UINT message = msg->message;
  if (message != WM_KEYDOWN && message != WM_KEYUP && message != WM_SYSKEYDOWN && message != WM_SYSKEYUP)
    return FALSE;
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    bool system = message == WM_SYSKEYDOWN;
    int character = LayerCharacterOf(int(msg->wParam), (uint32_t(msg->lParam) & (1u << 29)) != 0);
    if (character) LayerPost(msg->hwnd, system ? WM_SYSCHAR : WM_CHAR, WPARAM(character), msg->lParam, true);
  }
  return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  LayerWindow* window = LayerFindWindow(msg->hwnd);
  if (!window) return 0;
  LayerEnterCall("DispatchMessageA");
  LRESULT result = LayerSend(window, msg->message, msg->wParam, msg->lParam);
  LayerLeaveCall();
  return result;
}

void WINAPI PostQuitMessage(int exitCode) {
  quitPending = true;
  quitCode = exitCode;
}
