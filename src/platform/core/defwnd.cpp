// USER32, default handling: DefWindowProcA.
//
// Callers may rely on: WM_NCCREATE is answered TRUE; Alt+F4 (WM_SYSKEYDOWN
// with the Alt bit) becomes WM_SYSCOMMAND SC_CLOSE, SC_CLOSE becomes
// WM_CLOSE, and WM_CLOSE becomes DestroyWindow, each sent from inside this
// call; everything else returns 0.
#include "platform/core/core.h"

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  LayerWindow* window = LayerFindWindow(handle);
  switch (message) {
    case WM_NCCREATE:
      return TRUE;
    case WM_SYSKEYDOWN:
      if (window && wParam == VK_F4 && (uint32_t(lParam) & (1u << 29))) {
        LayerEnterCall("DefWindowProcA");
        LayerSend(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        LayerLeaveCall();
      }
      return 0;
    case WM_SYSCOMMAND:
      if (window && (wParam & 0xFFF0) == SC_CLOSE) {
        LayerEnterCall("DefWindowProcA");
        LayerSend(window, WM_CLOSE, 0, 0);
        LayerLeaveCall();
      }
      return 0;
    case WM_CLOSE:
      if (window) {
        LayerEnterCall("DefWindowProcA");
        DestroyWindow(handle);
        LayerLeaveCall();
      }
      return 0;
    default:
      return 0;
  }
}
