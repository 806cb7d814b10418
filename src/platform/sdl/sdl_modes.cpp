// The SDL backend's display modes: the desktop's mode and the modes the
// display lists.
#include "platform/sdl/sdl_backend.h"

bool BackendDesktopMode(NativeMode* mode) {
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return false;
  *mode = NativeMode{desktop.w, desktop.h, desktop.refresh_rate};
  return true;
}

bool BackendFindDisplayMode(int width, int height, NativeMode* found) {
  int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height) {
      *found = NativeMode{mode.w, mode.h, mode.refresh_rate};
      return true;
    }
  }
  return false;
}

// SDL switches the display when the window covering the screen is made, and
// back when it leaves fullscreen or goes.
bool BackendEnterDisplayMode(const NativeMode&) { return true; }

void BackendLeaveDisplayMode() {}
