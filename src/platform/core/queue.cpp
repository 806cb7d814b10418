// Sending to a window procedure, and this thread's posted queue.
//
// A sent message reaches the procedure at once, from inside the call that
// sends it; the test driver is told of it with the name of that call. A
// posted message waits in the queue until PeekMessageA takes it. The
// machine gets its turns only while no procedure runs.
#include <deque>

#include "platform/core/core.h"

namespace {
thread_local std::deque<MSG> postedQueue;
std::vector<const char*> callStack;
int proceduresRunning = 0;
}  // namespace

DWORD LayerMessageTime() { return DWORD(uint64_t(BackendMonotonicNanoseconds()) / 1000000u); }

LRESULT LayerSend(LayerWindow* window, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND handle = LayerWindowHandle(window);
  WNDPROC procedure = window->procedure;
  if (layerHooks.delivered)
    layerHooks.delivered(handle, message, wParam, lParam, callStack.empty() ? "" : callStack.back());
  if (!procedure) return 0;
  ++proceduresRunning;
  LRESULT result = procedure(handle, message, wParam, lParam);
  --proceduresRunning;
  return result;
}

void LayerGiveTurn(bool now) {
  if (proceduresRunning == 0) BackendTakeTurn(now);
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
  posted.time = LayerMessageTime();
  if (atFront)
    postedQueue.push_front(posted);
  else
    postedQueue.push_back(posted);
}

bool LayerTakePosted(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  for (auto it = postedQueue.begin(); it != postedQueue.end(); ++it) {
    if (window && it->hwnd != window) continue;
    bool unfiltered = filterMin == 0 && filterMax == 0;
    if (!unfiltered && (it->message < filterMin || it->message > filterMax)) continue;
    *message = *it;
    if (removeFlags & PM_REMOVE) postedQueue.erase(it);
    return true;
  }
  return false;
}

void LayerDropPosted(HWND window) {
  for (auto it = postedQueue.begin(); it != postedQueue.end();) {
    if (it->hwnd == window)
      it = postedQueue.erase(it);
    else
      ++it;
  }
}
