// The SDL backend's X11-only parts: the keyboard for message boxes on a bare
// X server, and whether a GLX context is current. Xlib is opened at run time,
// so the backend still runs where SDL uses Wayland.
#include <GL/glx.h>
#include <dlfcn.h>

#include <cstring>

#include "platform/sdl/sdl_backend.h"

// SDL's X11 message box does not take the keyboard focus itself. Under a
// window manager the manager gives it the focus; on a bare X server (no
// manager) the keyboard would stay with whatever had it, or with nothing once
// that window is gone. There the focus is set to follow the pointer and the
// pointer put at (width / 2, height / 3) of the screen, a point every box
// covers, since SDL places a box of height h at top (height - h) / 3.
void X11LetBoxHaveKeyboard() {
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

bool X11ContextCurrent() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::strcmp(driver, "x11") != 0) return false;
  return glXGetCurrentContext() != nullptr;
}
