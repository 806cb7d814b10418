// The SDL backend's X11-only parts: X errors as failures instead of the end
// of the process, windows destroyed by another client, the desktop's mode
// guarded while another is in force (x11_display_guard.cpp), AltGr, the
// keyboard for message boxes on a bare X server, and whether a GLX context
// is current.
// Nothing here acts unless SDL runs on X11.
//
// Xlib's own error handler prints the error and ends the process: a GLX
// context the server refuses (indirect GLX), a window destroyed from
// outside (xdotool windowclose) ended the game with status 1 and no word
// of its own. Here an error is recorded instead; the calls that can meet
// one check for it and fail as Win32 would, and an error about one of our
// windows means that window is gone.
#include <GL/glx.h>
#include <SDL2/SDL_syswm.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/x11_display_guard.h"

namespace {

Display* sdlDisplay = nullptr;  // SDL's connection, once a window shows it
unsigned long errorCount = 0;
XErrorEvent lastError;
std::set<unsigned long> lostResources;  // resources errors were about

int RecordError(Display*, XErrorEvent* error) {
  ++errorCount;
  lastError = *error;
  if (error->error_code == BadWindow || error->error_code == BadDrawable) lostResources.insert(error->resourceid);
  return 0;
}

bool OnX11() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "x11") == 0;
}

Display* DisplayOf(SDL_Window* window, ::Window* id) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  if (id) *id = info.info.x11.window;
  return info.info.x11.display;
}

}  // namespace

void X11CatchErrors() {
  if (OnX11()) XSetErrorHandler(RecordError);
}

void X11NoteWindow(SDL_Window* window) {
  if (OnX11() && !sdlDisplay) sdlDisplay = DisplayOf(window, nullptr);
}

void X11Settle() {
  // SDL puts Xlib's own handler back as its video ends, and that handler
  // ends the process: errors still on their way (a window another client
  // destroyed, destroyed again) are taken here first.
  if (sdlDisplay) XSync(sdlDisplay, False);
  sdlDisplay = nullptr;
}

unsigned long X11ErrorMark() { return errorCount; }

bool X11ErrorsSince(unsigned long mark, SDL_Window* window, const char* during, bool glxErrors) {
  if (!OnX11()) return false;
  Display* display = DisplayOf(window, nullptr);
  if (display) XSync(display, False);
  if (errorCount == mark) return false;
  int glx = -1, event = 0, error = 0;
  if (!glxErrors && display && XQueryExtension(display, "GLX", &glx, &event, &error) && lastError.request_code == glx)
    return false;
  char text[160] = "";
  XGetErrorText(lastError.display, lastError.error_code, text, sizeof text);
  std::fprintf(stderr, "%s: %s: X error %s (request %d.%d)\n", program_invocation_short_name, during, text,
               lastError.request_code, lastError.minor_code);
  return true;
}

bool X11WindowLost(SDL_Window* window) {
  if (!OnX11() || lostResources.empty()) return false;
  ::Window id = 0;
  return DisplayOf(window, &id) && lostResources.count(id) != 0;
}

void X11GuardDesktop() {
  if (OnX11()) X11GuardDesktopMode(sdlDisplay);
}

void X11DesktopBack() {
  if (OnX11()) X11DesktopModeRestored();
}

bool X11RightAltIsAltGr() {
  if (!OnX11() || !sdlDisplay) return false;
  // SDL reports the key of X keycode 108 (evdev's right Alt) as right Alt
  // whatever it types; the keyboard map says whether it is AltGr.
  const KeyCode rightAlt = 108;
  KeySym keysym = XkbKeycodeToKeysym(sdlDisplay, rightAlt, 0, 0);
  return keysym == XK_ISO_Level3_Shift || keysym == XK_Mode_switch;
}

// SDL's X11 message box does not take the keyboard focus itself. Under a
// window manager the manager gives it the focus; on a bare X server (no
// manager) the keyboard would stay with whatever had it, or with nothing once
// that window is gone. There the focus is set to follow the pointer and the
// pointer put at (width / 2, height / 3) of the screen, a point every box
// covers, since SDL places a box of height h at top (height - h) / 3.
void X11LetBoxHaveKeyboard() {
  if (!OnX11()) return;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return;
  ::Window root = DefaultRootWindow(display);
  Atom managerCheck = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  bool managed = false;
  if (managerCheck != None) {
    Atom type = None;
    unsigned long items = 0, after = 0;
    int format = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, root, managerCheck, 0, 1, False, AnyPropertyType, &type, &format, &items, &after,
                           &data) == Success) {
      managed = items > 0;
      if (data) XFree(data);
    }
  }
  if (!managed) {
    XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
    XFlush(display);
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) == 0) SDL_WarpMouseGlobal(bounds.x + bounds.w / 2, bounds.y + bounds.h / 3);
  }
  XCloseDisplay(display);
}

bool X11ContextCurrent() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::strcmp(driver, "x11") != 0) return false;
  return glXGetCurrentContext() != nullptr;
}
