// The SDL backend's display connection and windows, and the cursor.
//
// SDL video starts on a real display only: X11, then Wayland (when a
// compositor is named), never an off-screen driver, so a machine without a
// display has no windows. Windows are made hidden and GL-capable; one that
// covers the screen in a display mode is an SDL fullscreen window in that
// mode.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/sdl/sdl_backend.h"

namespace {
bool videoStarted = false;
std::vector<NativeWindow*> windows;

SDL_Window* MakeSdlWindow(const NativeWindowRequest& request) {
  unsigned long mark = X11ErrorMark();
  SdlApplyFormat(request.format);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  if (!request.framed) flags |= SDL_WINDOW_BORDERLESS;
  if (request.resizable) flags |= SDL_WINDOW_RESIZABLE;
  if (request.fullscreenMode) {
    flags |= SDL_WINDOW_FULLSCREEN;
    X11GuardDesktop();
  }
  SDL_Window* sdl =
      SDL_CreateWindow(request.title, request.x, request.y, request.clientWidth, request.clientHeight, flags);
  if (!sdl) {
    std::fprintf(stderr, "%s: no window: %s\n", program_invocation_short_name, SDL_GetError());
    return nullptr;
  }
  X11NoteWindow(sdl);
  if (X11ErrorsSince(mark, sdl, "making a window", false)) {
    SDL_DestroyWindow(sdl);
    return nullptr;
  }
  if (!request.fullscreenMode) return sdl;
  SDL_DisplayMode wanted, closest;
  SDL_zero(wanted);
  wanted.w = request.fullscreenMode->width;
  wanted.h = request.fullscreenMode->height;
  wanted.refresh_rate = request.fullscreenMode->refreshRate;
  if (!SDL_GetClosestDisplayMode(0, &wanted, &closest) || SDL_SetWindowDisplayMode(sdl, &closest) != 0) {
    SDL_DestroyWindow(sdl);
    return nullptr;
  }
  return sdl;
}
}  // namespace

NativeWindow* SdlFindWindow(Uint32 windowId) {
  for (NativeWindow* window : windows)
    if (SDL_GetWindowID(window->sdl) == windowId) return window;
  return nullptr;
}

NativeWindow* SdlLostWindow() {
  for (NativeWindow* window : windows) {
    if (window->lostReported || !X11WindowLost(window->sdl)) continue;
    window->lostReported = true;
    return window;
  }
  return nullptr;
}

bool BackendVideoStarted() { return videoStarted; }

bool BackendVideoStart() {
  if (videoStarted) return true;
  SdlCatchEndSignals();
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
  if (!videoStarted) {
    static bool told = false;  // once: every window and box asks again
    const char* display = SDL_getenv("DISPLAY");
    if (!told && display)
      std::fprintf(stderr, "%s: no display: cannot open the X display \"%s\" (%s)\n", program_invocation_short_name,
                   display, SDL_GetError());
    else if (!told)
      std::fprintf(stderr, "%s: no display: %s\n", program_invocation_short_name,
                   SDL_getenv("WAYLAND_DISPLAY") ? SDL_GetError() : "DISPLAY is not set");
    told = true;
    return false;
  }
  X11CatchErrors();
  // A fullscreen window stays in its mode when another window takes the
  // focus, and closing the last window is just its close button.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  return true;
}

void BackendShutdown() {
  if (videoStarted) {
    X11Settle();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoStarted = false;
  }
  SDL_Quit();
}

NativeWindow* BackendCreateWindow(const NativeWindowRequest& request) {
  SDL_Window* sdl = MakeSdlWindow(request);
  if (!sdl) return nullptr;
  NativeWindow* window = new NativeWindow{sdl, false};
  windows.push_back(window);
  return window;
}

NativeWindow* BackendRemakeWindow(NativeWindow* old, const NativeWindowRequest& request, bool visible) {
  // An X server fixes a window's visual when it is made: the new buffers
  // need a new window. The old one stays until the new one exists.
  SDL_Window* sdl = MakeSdlWindow(request);
  if (!sdl) return nullptr;
  SDL_DestroyWindow(old->sdl);
  old->sdl = sdl;
  if (visible) SDL_ShowWindow(sdl);
  return old;
}

void BackendDestroyWindow(NativeWindow* window) {
  for (auto it = windows.begin(); it != windows.end(); ++it)
    if (*it == window) {
      windows.erase(it);
      break;
    }
  bool inMode = (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_FULLSCREEN) != 0;
  SDL_DestroyWindow(window->sdl);  // gives the desktop its mode back
  if (inMode) X11DesktopBack();
  delete window;
}

void BackendShowWindow(NativeWindow* window) { SDL_ShowWindow(window->sdl); }

void BackendHideWindow(NativeWindow* window) { SDL_HideWindow(window->sdl); }

void BackendMinimiseWindow(NativeWindow* window) { SDL_MinimizeWindow(window->sdl); }

void BackendRestoreWindow(NativeWindow* window) { SDL_RestoreWindow(window->sdl); }

void BackendRaiseWindow(NativeWindow* window) {
  SDL_RaiseWindow(window->sdl);
  SDL_SetWindowInputFocus(window->sdl);
}

void BackendFocusWindow(NativeWindow* window) { SDL_SetWindowInputFocus(window->sdl); }

void BackendLeaveFullscreen(NativeWindow* window) {
  SDL_SetWindowFullscreen(window->sdl, 0);
  X11DesktopBack();
}

void BackendDrawableSize(NativeWindow* window, int* width, int* height) {
  SDL_GL_GetDrawableSize(window->sdl, width, height);
}

void BackendShowCursor(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }
