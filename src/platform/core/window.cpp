// USER32, windows: AdjustWindowRectEx, CreateWindowExA, DestroyWindow,
// ShowWindow.
//
// Callers may rely on:
// - AdjustWindowRectEx and CreateWindowExA use the same frame: a thick frame
//   is 8 pixels on each side, a dialog frame 3, a border 1, a caption 23
//   pixels above the client area, a menu bar 20; WS_POPUP has none. So a
//   window created with the adjusted rectangle has exactly the client area
//   asked for, in either style.
// - Windows are native windows made hidden and GL-capable; CreateWindowExA
//   returns null when there is no display or no such class.
// - The window procedure is called from inside the calls that call it on
//   Windows: CreateWindowExA sends WM_NCCREATE then WM_CREATE (FALSE and -1
//   make it fail); the first ShowWindow that shows sends WM_SHOWWINDOW,
//   WM_ACTIVATE (WA_ACTIVE), WM_SETFOCUS, WM_SIZE (client size), WM_MOVE;
//   DestroyWindow sends WM_ACTIVATE (WA_INACTIVE) if active, WM_KILLFOCUS if
//   focused, WM_DESTROY, WM_NCDESTROY, and drops the window's posted
//   messages.
// - A WS_POPUP window at 0,0 of the size of a display mode just changed to
//   covers the screen in that mode (display.cpp).
#include <algorithm>

#include "platform/core/core.h"

namespace {

const int thickFrame = 8;
const int fixedFrame = 3;
const int captionHeight = 23;
const int menuHeight = 20;

RECT FrameOf(DWORD style, bool menu) {
  int frame = 0;
  if (style & WS_THICKFRAME)
    frame = thickFrame;
  else if (style & WS_DLGFRAME)
    frame = fixedFrame;
  else if (style & WS_BORDER)
    frame = 1;
  int top = frame;
  if ((style & WS_CAPTION) == WS_CAPTION) top += captionHeight;
  if (menu) top += menuHeight;
  return RECT{frame, top, frame, frame};
}

// What the backend is asked for: `format` null for its default buffers.
NativeWindowRequest RequestFor(const LayerWindow* window, const NativeFormat* format) {
  NativeWindowRequest request = {};
  request.title = window->title.c_str();
  request.x = window->x;
  request.y = window->y;
  request.clientWidth = window->clientWidth;
  request.clientHeight = window->clientHeight;
  request.framed = (window->style & WS_CAPTION) || (window->style & WS_THICKFRAME);
  request.resizable = (window->style & WS_THICKFRAME) != 0;
  bool real = false;
  const NativeMode* mode = window->exclusiveFullscreen ? LayerExclusiveMode(window, &real) : nullptr;
  request.fullscreenMode = real ? mode : nullptr;
  request.format = format;
  return request;
}

void RemoveWindow(LayerWindow* window) {
  LayerForgetFocus(window);
  LayerWindowGoing(window);
  LayerFontsReleaseDC(LayerWindowDC(window));
  LayerDropPosted(LayerWindowHandle(window));
  if (window->native) BackendDestroyWindow(window->native);
  LayerRemoveWindow(window);
}

// Creation failed after the procedure saw the window: it is told the window
// goes, as Windows does.
void AbandonWindow(LayerWindow* window, bool sendDestroy) {
  window->destroying = true;
  if (sendDestroy) LayerSend(window, WM_DESTROY, 0, 0);
  LayerSend(window, WM_NCDESTROY, 0, 0);
  RemoveWindow(window);
}

void Minimise(LayerWindow* window) {
  BackendMinimiseWindow(window->native);
  window->minimised = true;
  if (LayerIsActive(window)) {
    LayerNoteMinimised(window, true);
    LayerSend(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
  }
  LayerSend(window, WM_SIZE, SIZE_MINIMIZED, 0);
}

}  // namespace

bool LayerRealiseFormat(LayerWindow* window, int format) {
  if (window->nativeFormat == format) return true;
  NativeFormat buffers;
  if (!LayerFormatAt(format, &buffers)) return false;
  NativeWindowRequest request = RequestFor(window, &buffers);
  NativeWindow* remade = BackendRemakeWindow(window->native, request, window->visible);
  if (!remade) return false;
  window->native = remade;
  window->nativeFormat = format;
  return true;
}

BOOL WINAPI AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD /*exStyle*/) {
  if (LayerShouldFail("AdjustWindowRectEx")) return FALSE;
  if (!rect) return FALSE;
  RECT frame = FrameOf(style, menu != FALSE);
  rect->left -= frame.left;
  rect->top -= frame.top;
  rect->right += frame.right;
  rect->bottom += frame.bottom;
  return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                            int height, HWND /*parent*/, HMENU /*menu*/, HINSTANCE instance, LPVOID /*param*/) {
  if (LayerShouldFail("CreateWindowExA")) return nullptr;
  std::string registeredName;
  WNDPROC procedure = nullptr;
  if (!LayerFindClass(className, instance, &registeredName, &procedure)) return nullptr;
  if (!LayerVideoReady()) return nullptr;

  LayerWindow* window = new LayerWindow;
  window->className = registeredName;
  window->title = windowName ? windowName : "";
  window->procedure = procedure;
  window->style = style;
  window->exStyle = exStyle;
  RECT frame = FrameOf(style, false);
  window->x = x + frame.left;
  window->y = y + frame.top;
  window->clientWidth = std::max(1, width - frame.left - frame.right);
  window->clientHeight = std::max(1, height - frame.top - frame.bottom);
  bool real = false;
  window->exclusiveFullscreen = LayerExclusiveMode(window, &real) != nullptr;
  window->native = BackendCreateWindow(RequestFor(window, nullptr));
  if (!window->native) {
    delete window;
    return nullptr;
  }
  LayerAddWindow(window);
  HWND handle = LayerWindowHandle(window);

  LayerEnterCall("CreateWindowExA");
  bool created = LayerSend(window, WM_NCCREATE, 0, 0) != 0;
  if (!created) {
    AbandonWindow(window, false);
  } else if (LayerSend(window, WM_CREATE, 0, 0) == -1) {
    AbandonWindow(window, true);
    created = false;
  }
  LayerLeaveCall();
  if (!created) return nullptr;
  if ((style & WS_VISIBLE) && LayerFindWindow(handle)) {
    LayerFindWindow(handle)->style &= ~DWORD(WS_VISIBLE);
    LayerEnterCall("CreateWindowExA");
    ShowWindow(handle, SW_SHOW);
    LayerLeaveCall();
  }
  return LayerFindWindow(handle) ? handle : nullptr;
}

BOOL WINAPI DestroyWindow(HWND handle) {
  if (LayerShouldFail("DestroyWindow")) return FALSE;
  LayerWindow* window = LayerFindWindow(handle);
  if (!window || window->destroying) return FALSE;
  window->destroying = true;
  LayerEnterCall("DestroyWindow");
  if (window->visible && window->native) BackendHideWindow(window->native);
  window->visible = false;
  LayerDeactivate(window, nullptr);
  LayerSend(window, WM_DESTROY, 0, 0);
  LayerSend(window, WM_NCDESTROY, 0, 0);
  RemoveWindow(window);
  LayerLeaveCall();
  return TRUE;
}

BOOL WINAPI ShowWindow(HWND handle, int command) {
  LayerWindow* window = LayerFindWindow(handle);
  if (!window) return FALSE;
  BOOL wasVisible = window->visible ? TRUE : FALSE;
  LayerEnterCall("ShowWindow");
  if (command == SW_HIDE) {
    if (window->visible) {
      BackendHideWindow(window->native);
      window->visible = false;
      LayerSend(window, WM_SHOWWINDOW, FALSE, 0);
      LayerDeactivate(window, nullptr);
    }
  } else {
    if (!window->visible) {
      BackendShowWindow(window->native);
      window->visible = true;
      LayerSend(window, WM_SHOWWINDOW, TRUE, 0);
    }
    bool minimise = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED;
    if (!minimise) {
      if (window->minimised) {
        BackendRestoreWindow(window->native);
        window->minimised = false;
      }
      LayerActivate(window);
    }
    if (!window->sized) {
      window->sized = true;
      LayerSend(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window->clientWidth, window->clientHeight));
      LayerSend(window, WM_MOVE, 0, MAKELPARAM(window->x, window->y));
    }
    if (minimise && !window->minimised) Minimise(window);
  }
  LayerLeaveCall();
  return wasVisible;
}
