// USER32, the message loop's side: PeekMessageA, TranslateMessage,
// DispatchMessageA, PostQuitMessage.
//
// Callers may rely on:
// - Each thread has its own posted queue. PeekMessageA never waits: it
//   first takes every waiting event of the machine and posts the messages
//   it makes (input.cpp), then hands out the first message that passes the
//   filters (window, and message range unless both bounds are 0), removing
//   it with PM_REMOVE. WM_QUIT, from PostQuitMessage, comes only once no
//   other message waits; its wParam is the exit code.
// - TranslateMessage posts WM_CHAR (WM_SYSCHAR for system keys) for keys
//   that type a character on a US keyboard, to be taken next; it returns
//   non-zero for every key message. DispatchMessageA calls the window's
//   procedure and returns its result; messages without a live window get 0.
#include "platform/core/core.h"

namespace {
thread_local bool quitPending = false;
thread_local int quitCode = 0;
}  // namespace

BOOL WINAPI PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (layerHooks.peek) layerHooks.peek();
  LayerGiveTurn(false);
  LayerPumpInput();
  if (!msg) return FALSE;
  if (LayerTakePosted(msg, window, filterMin, filterMax, removeFlags)) {
    if (removeFlags & PM_REMOVE) LayerKeyTaken(msg->message, msg->wParam);
    return TRUE;
  }
  bool quitWanted = (filterMin == 0 && filterMax == 0) || (WM_QUIT >= filterMin && WM_QUIT <= filterMax);
  if (quitPending && quitWanted) {
    *msg = MSG();
    msg->message = WM_QUIT;
    msg->wParam = WPARAM(quitCode);
    msg->time = LayerMessageTime();
    if (removeFlags & PM_REMOVE) quitPending = false;
    return TRUE;
  }
  return FALSE;
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
  if (!msg) return FALSE;
  UINT message = msg->message;
  if (message != WM_KEYDOWN && message != WM_KEYUP && message != WM_SYSKEYDOWN && message != WM_SYSKEYUP) return FALSE;
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
