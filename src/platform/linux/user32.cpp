// USER32 on Linux: window classes, windows, activation and focus, device
// contexts, display modes, the cursor and message boxes. The message queue
// is in user32_messages.cpp, the keyboard tables in user32_keys.cpp.
//
// Operations: RegisterClassA, UnregisterClassA, LoadIconA, LoadCursorA,
// AdjustWindowRectEx, CreateWindowExA, DestroyWindow, ShowWindow,
// SetForegroundWindow, SetFocus, GetDC, ReleaseDC, ChangeDisplaySettingsA,
// ShowCursor, DefWindowProcA, MessageBoxA.
//
// Callers may rely on:
// - Classes are known by name (any case) and instance (null means the
//   program's module). RegisterClassA returns 0 for a name already registered;
//   UnregisterClassA fails for an unknown class and while windows of it live.
// - LoadIconA/LoadCursorA with a null module give a fixed handle for each
//   stock resource (IDI_*, IDC_*), null for anything else.
// - AdjustWindowRectEx and CreateWindowExA use the same frame: a thick frame
//   is 8 pixels on each side, a caption 23 pixels above the client area, a
//   menu bar 20; WS_POPUP has none. So a window created with the adjusted
//   rectangle has exactly the client area asked for, in either style.
// - Windows are native SDL windows made hidden and OpenGL-capable; there is
//   no display (and CreateWindowExA returns null) unless SDL video starts on
//   a real display driver: X11, then Wayland, never an off-screen one.
// - The window procedure is called from inside the calls that call it on
//   Windows: CreateWindowExA sends WM_NCCREATE then WM_CREATE (FALSE and -1
//   make it fail); the first ShowWindow that shows sends WM_SHOWWINDOW,
//   WM_ACTIVATE (WA_ACTIVE), WM_SETFOCUS, WM_SIZE (client size), WM_MOVE;
//   DestroyWindow sends WM_ACTIVATE (WA_INACTIVE) if active, WM_KILLFOCUS if
//   focused, WM_DESTROY, WM_NCDESTROY, and drops the window's posted
//   messages. DefWindowProcA answers WM_NCCREATE with TRUE, turns Alt+F4
//   (WM_SYSKEYDOWN) into WM_SYSCOMMAND SC_CLOSE, SC_CLOSE into WM_CLOSE, and
//   WM_CLOSE into DestroyWindow; everything else returns 0.
// - ChangeDisplaySettingsA(request, CDS_FULLSCREEN) succeeds only when the
//   display's own mode list holds the requested width x height exactly; a
//   WS_POPUP window made afterwards at 0,0 in that size covers the screen in
//   that exclusive mode. X servers cannot change their colour depth, so the
//   requested bits per pixel are not compared: a mode of the right size at
//   the display's own depth is accepted. Otherwise DISP_CHANGE_BADMODE and
//   nothing changes. (null, 0) restores the desktop mode.
// - ShowCursor keeps the display counter: it starts at 0, the cursor is
//   hidden while it is negative, and each call returns the new count.
// - MessageBoxA shows a modal SDL message box whose window title is the
//   caption, with the style's buttons (OK; OK, Cancel; Yes, No; Yes, No,
//   Cancel) and icon kind, and waits. Return answers the first button (OK or
//   Yes); Escape answers the last (OK, Cancel or No, Cancel), and so does
//   closing the box. On an X server without a window manager the box is
//   given the keyboard (the focus follows the pointer, which is put inside
//   the box), so keys pressed with xdotool reach it. With no display it
//   writes caption and text to standard error and returns what Escape
//   would: IDNO for Yes/No, IDOK for OK.
// - Every operation that can fail may be made to fail by the test driver,
//   returning its Win32 failure value.
#include <dlfcn.h>
#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "platform/linux/layer.h"
#include "platform/linux/user32_keys.h"
#include "platform/linux/user32_messages.h"
#include "platform/linux/windows_internal.h"

LayerHooks layerHooks;

namespace {

struct ClassEntry {
  std::string name;
  HINSTANCE instance;
  WNDCLASSA record;
  ATOM atom;
};

std::vector<ClassEntry> classes;
ATOM nextAtom = 0xC000;
std::vector<LayerWindow*> windows;
LayerWindow* activeWindow = nullptr;
LayerWindow* focusWindow = nullptr;
bool videoStarted = false;
int cursorCounter = 0;
bool displayChanged = false;
SDL_DisplayMode changedMode;  // the mode in force while displayChanged

const int thickFrame = 8;
const int fixedFrame = 3;
const int captionHeight = 23;
const int menuHeight = 20;
const DWORD styleBorder = 0x00800000L;
const DWORD styleDialogFrame = 0x00400000L;
const DWORD changeTestOnly = 0x00000002;  // CDS_TEST

HINSTANCE ModuleOf(HINSTANCE instance) { return instance ? instance : GetModuleHandleA(nullptr); }

bool IsAtom(LPCSTR name) { return uintptr_t(name) < 0x10000; }

ClassEntry* FindClass(LPCSTR name, HINSTANCE instance) {
  if (!name) return nullptr;
  for (ClassEntry& entry : classes) {
    if (ModuleOf(instance) != entry.instance) continue;
    if (IsAtom(name) ? entry.atom == ATOM(uintptr_t(name)) : strcasecmp(entry.name.c_str(), name) == 0)
      return &entry;
  }
  return nullptr;
}

RECT FrameOf(DWORD style, bool menu) {
  int frame = 0;
  if (style & WS_THICKFRAME)
    frame = thickFrame;
  else if (style & styleDialogFrame)
    frame = fixedFrame;
  else if (style & styleBorder)
    frame = 1;
  int top = frame;
  if ((style & WS_CAPTION) == WS_CAPTION) top += captionHeight;
  if (menu) top += menuHeight;
  return RECT{frame, top, frame, frame};
}

bool IsExclusiveCandidate(const LayerWindow* window) {
  return displayChanged && (window->style & WS_POPUP) && window->x == 0 && window->y == 0 &&
         window->clientWidth == changedMode.w && window->clientHeight == changedMode.h;
}

// The native window for `window` with the GL attributes of `format`.
SDL_Window* MakeNative(LayerWindow* window, int format) {
  LayerApplyFormatAttributes(format);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  bool framed = (window->style & WS_CAPTION) || (window->style & WS_THICKFRAME);
  if (!framed) flags |= SDL_WINDOW_BORDERLESS;
  if (window->style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
  bool realFullscreen = window->exclusiveFullscreen && !layerHooks.displayModes;
  if (realFullscreen) flags |= SDL_WINDOW_FULLSCREEN;
  SDL_Window* native = SDL_CreateWindow(window->title.c_str(), window->x, window->y, window->clientWidth,
                                        window->clientHeight, flags);
  if (native && realFullscreen && SDL_SetWindowDisplayMode(native, &changedMode) != 0) {
    SDL_DestroyWindow(native);
    return nullptr;
  }
  return native;
}

LPARAM ClientSizeParameter(const LayerWindow* window) {
  return MAKELPARAM(window->clientWidth, window->clientHeight);
}

void Deactivate(LayerWindow* window, LayerWindow* next) {
  if (activeWindow == window) {
    activeWindow = nullptr;
    window->active = false;
    LayerSend(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, window->minimised ? 1 : 0),
              LPARAM(next ? LayerWindowHandle(next) : nullptr));
  }
  if (focusWindow == window) {
    focusWindow = nullptr;
    LayerSend(window, WM_KILLFOCUS, WPARAM(next ? LayerWindowHandle(next) : nullptr), 0);
  }
}

void Activate(LayerWindow* window) {
  if (activeWindow != window) {
    LayerWindow* previous = activeWindow;
    if (previous) Deactivate(previous, window);
    activeWindow = window;
    window->active = true;
    LayerSend(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), LPARAM(previous ? LayerWindowHandle(previous) : nullptr));
  }
  if (focusWindow != window) {
    LayerWindow* previous = focusWindow;
    if (previous) {
      focusWindow = nullptr;
      LayerSend(previous, WM_KILLFOCUS, WPARAM(LayerWindowHandle(window)), 0);
    }
    focusWindow = window;
    LayerSend(window, WM_SETFOCUS, WPARAM(previous ? LayerWindowHandle(previous) : nullptr), 0);
  }
  if (window->visible && window->native) {
    SDL_RaiseWindow(window->native);
    SDL_SetWindowInputFocus(window->native);
  }
}

void RemoveWindow(LayerWindow* window) {
  if (activeWindow == window) activeWindow = nullptr;
  if (focusWindow == window) focusWindow = nullptr;
  LayerWindowGoing(window);
  LayerFontsReleaseDC(LayerWindowDC(window));
  LayerDropPosted(LayerWindowHandle(window));
  if (window->native) SDL_DestroyWindow(window->native);
  windows.erase(std::find(windows.begin(), windows.end(), window));
  delete window;
}

// Creation failed after the procedure saw the window: it is told the window
// goes, as Windows does.
void AbandonWindow(LayerWindow* window, bool sendDestroy) {
  window->destroying = true;
  if (sendDestroy) LayerSend(window, WM_DESTROY, 0, 0);
  LayerSend(window, WM_NCDESTROY, 0, 0);
  RemoveWindow(window);
}

bool ModeListed(int width, int height, SDL_DisplayMode* found) {
  if (layerHooks.displayModes) {
    for (const std::pair<int, int>& mode : *layerHooks.displayModes) {
      if (mode.first == width && mode.second == height) {
        SDL_zero(*found);
        found->w = width;
        found->h = height;
        return true;
      }
    }
    return false;
  }
  int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height) {
      *found = mode;
      return true;
    }
  }
  return false;
}

void RestoreDesktopMode() {
  if (!displayChanged) return;
  displayChanged = false;
  for (LayerWindow* window : windows) {
    if (!window->exclusiveFullscreen) continue;
    window->exclusiveFullscreen = false;
    if (window->native && !layerHooks.displayModes) SDL_SetWindowFullscreen(window->native, 0);
  }
}

}  // namespace

// ---------------------------------------------------------------- shared

HWND LayerWindowHandle(LayerWindow* window) { return window ? &window->windowCell : nullptr; }

HDC LayerWindowDC(LayerWindow* window) { return window ? &window->dcCell : nullptr; }

LayerWindow* LayerFindWindow(HWND handle) {
  if (!handle) return nullptr;
  for (LayerWindow* window : windows)
    if (&window->windowCell == handle) return window;
  return nullptr;
}

LayerWindow* LayerFindWindowByDC(HDC dc) {
  if (!dc) return nullptr;
  for (LayerWindow* window : windows)
    if (&window->dcCell == dc) return window;
  return nullptr;
}

LayerWindow* LayerFindWindowByNative(uint32_t sdlWindowId) {
  for (LayerWindow* window : windows)
    if (window->native && SDL_GetWindowID(window->native) == sdlWindowId) return window;
  return nullptr;
}

LayerWindow* LayerInputWindow() {
  if (focusWindow) return focusWindow;
  if (activeWindow) return activeWindow;
  return windows.empty() ? nullptr : windows.front();
}

bool LayerVideoStarted() { return videoStarted; }

bool LayerVideoReady() {
  if (layerHooks.noDisplay) return false;
  if (videoStarted) return true;
  static const char* const realDrivers[] = {"x11", "wayland"};
  for (const char* driver : realDrivers) {
    // Without a compositor to name, asking libwayland only prints a
    // complaint about the runtime directory.
    if (std::strcmp(driver, "wayland") == 0 && !SDL_getenv("WAYLAND_DISPLAY")) continue;
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, driver, SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
      videoStarted = true;
      break;
    }
  }
  if (!videoStarted) return false;
  // A fullscreen window stays in its mode when another window takes the
  // focus, and closing the last window is just a WM_CLOSE.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_ShowCursor(cursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return true;
}

bool LayerRealiseFormat(LayerWindow* window) {
  if (window->nativeFormat == window->pixelFormat) return true;
  SDL_Window* remade = MakeNative(window, window->pixelFormat);
  if (!remade) return false;
  if (window->native) SDL_DestroyWindow(window->native);
  window->native = remade;
  window->nativeFormat = window->pixelFormat;
  if (window->visible) SDL_ShowWindow(remade);
  return true;
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

bool LayerDisplayModeChanged() { return displayChanged; }
int LayerCursorCounter() { return cursorCounter; }
int LayerLiveWindowCount() { return int(windows.size()); }
int LayerRegisteredClassCount() { return int(classes.size()); }

void LayerShutdown() {
  RestoreDesktopMode();
  if (videoStarted) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoStarted = false;
  }
  SDL_Quit();
}

// ---------------------------------------------------------------- classes

ATOM WINAPI RegisterClassA(const WNDCLASSA* wndClass) {
  if (LayerShouldFail("RegisterClassA")) return 0;
  if (!wndClass || !wndClass->lpszClassName || IsAtom(wndClass->lpszClassName) || !wndClass->lpfnWndProc) return 0;
  if (FindClass(wndClass->lpszClassName, wndClass->hInstance)) return 0;
  ClassEntry entry;
  entry.name = wndClass->lpszClassName;
  entry.instance = ModuleOf(wndClass->hInstance);
  entry.record = *wndClass;
  entry.record.lpszClassName = nullptr;
  entry.record.lpszMenuName = nullptr;
  entry.atom = nextAtom++;
  if (nextAtom == 0) nextAtom = 0xC000;
  classes.push_back(entry);
  return entry.atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance) {
  if (LayerShouldFail("UnregisterClassA")) return FALSE;
  ClassEntry* entry = FindClass(className, instance);
  if (!entry) return FALSE;
  for (LayerWindow* window : windows)
    if (strcasecmp(window->className.c_str(), entry->name.c_str()) == 0) return FALSE;
  classes.erase(classes.begin() + (entry - classes.data()));
  return TRUE;
}

namespace {
// Stock resources: a cell per id, so each has its own lasting handle.
template <typename Handle>
Handle StockResource(HINSTANCE instance, LPCSTR name) {
  static std::map<int, typename std::remove_pointer<Handle>::type> cells;
  if (instance || !IsAtom(name)) return nullptr;
  int id = int(uintptr_t(name));
  if (id < 32512 || id > 32651) return nullptr;
  return &cells[id];
}
}  // namespace

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (LayerShouldFail("LoadIconA")) return nullptr;
  return StockResource<HICON>(instance, name);
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (LayerShouldFail("LoadCursorA")) return nullptr;
  return StockResource<HCURSOR>(instance, name);
}

// ---------------------------------------------------------------- windows

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

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND /*parent*/, HMENU /*menu*/, HINSTANCE instance,
                            LPVOID /*param*/) {
  if (LayerShouldFail("CreateWindowExA")) return nullptr;
  ClassEntry* entry = FindClass(className, instance);
  if (!entry) return nullptr;
  if (!LayerVideoReady()) return nullptr;

  LayerWindow* window = new LayerWindow;
  window->className = entry->name;
  window->title = windowName ? windowName : "";
  window->procedure = entry->record.lpfnWndProc;
  window->style = style;
  window->exStyle = exStyle;
  RECT frame = FrameOf(style, false);
  window->x = x + frame.left;
  window->y = y + frame.top;
  window->clientWidth = std::max(1, width - frame.left - frame.right);
  window->clientHeight = std::max(1, height - frame.top - frame.bottom);
  window->exclusiveFullscreen = IsExclusiveCandidate(window);
  window->native = MakeNative(window, 0);
  if (!window->native) {
    delete window;
    return nullptr;
  }
  windows.push_back(window);
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
  if (window->visible && window->native) SDL_HideWindow(window->native);
  window->visible = false;
  Deactivate(window, nullptr);
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
      SDL_HideWindow(window->native);
      window->visible = false;
      LayerSend(window, WM_SHOWWINDOW, FALSE, 0);
      Deactivate(window, nullptr);
    }
  } else {
    if (!window->visible) {
      SDL_ShowWindow(window->native);
      window->visible = true;
      LayerSend(window, WM_SHOWWINDOW, TRUE, 0);
    }
    bool minimise = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED;
    if (!minimise) {
      if (window->minimised) {
        SDL_RestoreWindow(window->native);
        window->minimised = false;
      }
      Activate(window);
    }
    if (!window->sized) {
      window->sized = true;
      LayerSend(window, WM_SIZE, SIZE_RESTORED, ClientSizeParameter(window));
      LayerSend(window, WM_MOVE, 0, MAKELPARAM(window->x, window->y));
    }
    if (minimise && !window->minimised) {
      SDL_MinimizeWindow(window->native);
      window->minimised = true;
      if (activeWindow == window) {
        activeWindow = nullptr;
        window->active = false;
        LayerSend(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
      }
      LayerSend(window, WM_SIZE, SIZE_MINIMIZED, 0);
    }
  }
  LayerLeaveCall();
  return wasVisible;
}

BOOL WINAPI SetForegroundWindow(HWND handle) {
  if (LayerShouldFail("SetForegroundWindow")) return FALSE;
  LayerWindow* window = LayerFindWindow(handle);
  if (!window) return FALSE;
  LayerEnterCall("SetForegroundWindow");
  Activate(window);
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
  if (previous) {
    focusWindow = nullptr;
    LayerSend(previous, WM_KILLFOCUS, WPARAM(LayerWindowHandle(window)), 0);
  }
  if (window && LayerFindWindow(handle)) {
    focusWindow = window;
    LayerSend(window, WM_SETFOCUS, WPARAM(LayerWindowHandle(previous)), 0);
    if (window->visible) SDL_SetWindowInputFocus(window->native);
  }
  LayerLeaveCall();
  return LayerWindowHandle(previous);
}

HDC WINAPI GetDC(HWND handle) {
  if (LayerShouldFail("GetDC")) return nullptr;
  return LayerWindowDC(LayerFindWindow(handle));
}

int WINAPI ReleaseDC(HWND handle, HDC dc) {
  if (LayerShouldFail("ReleaseDC")) return 0;
  LayerWindow* window = LayerFindWindow(handle);
  if (!window || LayerWindowDC(window) != dc) return 0;
  LayerFontsReleaseDC(dc);
  return 1;
}

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  LayerWindow* window = LayerFindWindow(handle);
  LRESULT result = 0;
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
      return result;
  }
}

// ---------------------------------------------------------------- display modes and cursor

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
  if (LayerShouldFail("ChangeDisplaySettingsA")) return DISP_CHANGE_FAILED;
  if (!mode) {
    RestoreDesktopMode();
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (!LayerVideoReady()) return DISP_CHANGE_FAILED;
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return DISP_CHANGE_FAILED;
  int width = (mode->dmFields & DM_PELSWIDTH) ? int(mode->dmPelsWidth) : desktop.w;
  int height = (mode->dmFields & DM_PELSHEIGHT) ? int(mode->dmPelsHeight) : desktop.h;
  SDL_DisplayMode found;
  if (!ModeListed(width, height, &found)) return DISP_CHANGE_BADMODE;
  if ((mode->dmFields & DM_DISPLAYFREQUENCY) && mode->dmDisplayFrequency > 1 && found.refresh_rate != 0 &&
      int(mode->dmDisplayFrequency) != found.refresh_rate)
    return DISP_CHANGE_BADMODE;
  if (flags & changeTestOnly) return DISP_CHANGE_SUCCESSFUL;
  displayChanged = true;
  changedMode = found;
  return DISP_CHANGE_SUCCESSFUL;
}

int WINAPI ShowCursor(BOOL show) {
  cursorCounter += show ? 1 : -1;
  if (videoStarted) SDL_ShowCursor(cursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return cursorCounter;
}

// ---------------------------------------------------------------- message boxes

namespace {

// The answer Escape gives, which is also the answer with no display.
int EscapeAnswer(UINT buttons) {
  switch (buttons) {
    case MB_OKCANCEL:
    case 3:  // MB_YESNOCANCEL
      return IDCANCEL;
    case MB_YESNO:
      return IDNO;
    default:
      return IDOK;
  }
}

// SDL's X11 message box does not take the keyboard focus itself. Under a
// window manager the manager gives it the focus; on a bare X server (no
// manager) the keyboard would stay with whatever had it, or with nothing once
// that window is gone. There the focus is set to follow the pointer and the
// pointer put at (width / 2, height / 3) of the screen, a point every box
// covers, since SDL places a box of height h at top (height - h) / 3.
void LetBoxHaveKeyboard() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return;
  static void* xlib = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
  if (!xlib) return;
  typedef void* (*OpenDisplay)(const char*);
  typedef int (*CloseDisplay)(void*);
  typedef unsigned long (*DefaultRoot)(void*);
  typedef unsigned long (*InternAtom)(void*, const char*, int);
  typedef int (*GetProperty)(void*, unsigned long, unsigned long, long, long, int, unsigned long, unsigned long*,
                             int*, unsigned long*, unsigned long*, unsigned char**);
  typedef int (*Free)(void*);
  typedef int (*SetInputFocus)(void*, unsigned long, int, unsigned long);
  typedef int (*Flush)(void*);
  auto openDisplay = reinterpret_cast<OpenDisplay>(dlsym(xlib, "XOpenDisplay"));
  auto closeDisplay = reinterpret_cast<CloseDisplay>(dlsym(xlib, "XCloseDisplay"));
  auto defaultRoot = reinterpret_cast<DefaultRoot>(dlsym(xlib, "XDefaultRootWindow"));
  auto internAtom = reinterpret_cast<InternAtom>(dlsym(xlib, "XInternAtom"));
  auto getProperty = reinterpret_cast<GetProperty>(dlsym(xlib, "XGetWindowProperty"));
  auto xFree = reinterpret_cast<Free>(dlsym(xlib, "XFree"));
  auto setInputFocus = reinterpret_cast<SetInputFocus>(dlsym(xlib, "XSetInputFocus"));
  auto flush = reinterpret_cast<Flush>(dlsym(xlib, "XFlush"));
  if (!openDisplay || !closeDisplay || !defaultRoot || !internAtom || !getProperty || !xFree || !setInputFocus ||
      !flush)
    return;
  void* display = openDisplay(nullptr);
  if (!display) return;
  unsigned long root = defaultRoot(display);
  unsigned long managerCheck = internAtom(display, "_NET_SUPPORTING_WM_CHECK", 1);
  bool managed = false;
  if (managerCheck) {
    unsigned long type = 0, items = 0, after = 0;
    int format = 0;
    unsigned char* data = nullptr;
    const unsigned long anyType = 0;
    if (getProperty(display, root, managerCheck, 0, 1, 0, anyType, &type, &format, &items, &after, &data) == 0) {
      managed = items > 0;
      if (data) xFree(data);
    }
  }
  if (!managed) {
    const unsigned long pointerRoot = 1;
    const int revertToPointerRoot = 1;
    setInputFocus(display, pointerRoot, revertToPointerRoot, 0);
    flush(display);
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) == 0)
      SDL_WarpMouseGlobal(bounds.x + bounds.w / 2, bounds.y + bounds.h / 3);
  }
  closeDisplay(display);
}

bool ShowRealBox(const char* text, const char* caption, UINT style, int* answer) {
  if (!LayerVideoReady()) return false;
  LetBoxHaveKeyboard();
  const Uint32 returnKey = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
  const Uint32 escapeKey = SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
  std::vector<SDL_MessageBoxButtonData> buttons;
  UINT kind = style & MB_TYPEMASK;
  if (kind == MB_YESNO) {
    buttons = {{returnKey, IDYES, "Yes"}, {escapeKey, IDNO, "No"}};
  } else if (kind == 3) {
    buttons = {{returnKey, IDYES, "Yes"}, {0, IDNO, "No"}, {escapeKey, IDCANCEL, "Cancel"}};
  } else if (kind == MB_OKCANCEL) {
    buttons = {{returnKey, IDOK, "OK"}, {escapeKey, IDCANCEL, "Cancel"}};
  } else {
    buttons = {{returnKey | escapeKey, IDOK, "OK"}};
  }
  Uint32 icon = SDL_MESSAGEBOX_INFORMATION;
  UINT iconKind = style & MB_ICONMASK;
  if (iconKind == MB_ICONERROR) icon = SDL_MESSAGEBOX_ERROR;
  if (iconKind == MB_ICONWARNING) icon = SDL_MESSAGEBOX_WARNING;
  SDL_MessageBoxData data;
  SDL_zero(data);
  data.flags = icon | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  data.title = caption;
  data.message = text;
  data.numbuttons = int(buttons.size());
  data.buttons = buttons.data();
  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) return false;
  *answer = pressed > 0 ? pressed : EscapeAnswer(kind);
  return true;
}

}  // namespace

int WINAPI MessageBoxA(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT type) {
  if (LayerShouldFail("MessageBoxA")) return 0;
  if (!text) text = "";
  if (!caption) caption = "Error";
  int answer = 0;
  if (layerHooks.answerBox && !layerHooks.noDisplay) {
    answer = layerHooks.answerBox(text, caption, type);
  } else if (!ShowRealBox(text, caption, type, &answer)) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    answer = EscapeAnswer(type & MB_TYPEMASK);
  }
  if (layerHooks.boxShown) layerHooks.boxShown(text, caption, type, answer);
  return answer;
}
