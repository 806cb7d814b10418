// The SDL backend's events: SDL's key and window events as the backend's
// events, and events put into SDL's own queue for the test driver.
#include "platform/sdl/sdl_backend.h"

namespace {

// SDL's window for a backend window, 0 for none.
Uint32 WindowIdOf(const NativeWindow* window) { return window ? SDL_GetWindowID(window->sdl) : 0; }

bool FromKey(const SDL_KeyboardEvent& key, NativeEvent* event) {
  *event = NativeEvent();
  event->kind = NativeEventKind::Key;
  if (key.windowID) {
    event->window = SdlFindWindow(key.windowID);
    if (!event->window) return false;  // a message box's key
  }
  if (!SdlVirtualKeyOf(key.keysym.sym, key.keysym.scancode, &event->virtualKey, &event->scanCode, &event->extended))
    return false;
  event->down = key.type == SDL_KEYDOWN;
  event->repeat = key.repeat != 0;
  event->altHeld = (key.keysym.mod & KMOD_ALT) != 0;
  event->controlHeld = (key.keysym.mod & KMOD_CTRL) != 0;
  // AltGr reaches a Windows program as Control and Alt held, with key
  // messages rather than system-key messages: AltGr+F4 closes nothing.
  bool altGrKey = key.keysym.scancode == SDL_SCANCODE_RALT || key.keysym.scancode == SDL_SCANCODE_MODE;
  bool altGrHeld = (key.keysym.mod & (KMOD_RALT | KMOD_MODE)) != 0 || (altGrKey && event->down);
  if (altGrHeld && X11RightAltIsAltGr()) event->controlHeld = true;
  return true;
}

// The window events that are only a kind, both ways.
const struct {
  Uint8 sdl;
  NativeEventKind kind;
} windowEventKinds[] = {
    {SDL_WINDOWEVENT_CLOSE, NativeEventKind::Close},
    {SDL_WINDOWEVENT_MINIMIZED, NativeEventKind::Minimised},
    {SDL_WINDOWEVENT_RESTORED, NativeEventKind::Restored},
    {SDL_WINDOWEVENT_FOCUS_GAINED, NativeEventKind::FocusGained},
    {SDL_WINDOWEVENT_FOCUS_LOST, NativeEventKind::FocusLost},
};

bool FromWindowEvent(const SDL_WindowEvent& windowEvent, NativeEvent* event) {
  *event = NativeEvent();
  event->window = SdlFindWindow(windowEvent.windowID);
  if (!event->window) return false;
  for (const auto& row : windowEventKinds) {
    if (row.sdl != windowEvent.event) continue;
    event->kind = row.kind;
    return true;
  }
  switch (windowEvent.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESIZED:
      event->kind = NativeEventKind::Resized;
      event->width = windowEvent.data1;
      event->height = windowEvent.data2;
      event->maximised = (SDL_GetWindowFlags(event->window->sdl) & SDL_WINDOW_MAXIMIZED) != 0;
      return true;
    case SDL_WINDOWEVENT_MOVED:
      event->kind = NativeEventKind::Moved;
      event->x = windowEvent.data1;
      event->y = windowEvent.data2;
      return true;
    default:
      return false;
  }
}

Uint8 SdlWindowEventOf(NativeEventKind kind) {
  for (const auto& row : windowEventKinds)
    if (row.kind == kind) return row.sdl;
  return SDL_WINDOWEVENT_NONE;
}

}  // namespace

bool BackendNextEvent(NativeEvent* event) {
  if (SdlTakeEndRequest()) {
    *event = NativeEvent();
    event->kind = NativeEventKind::EndRequested;
    return true;
  }
  SDL_PumpEvents();
  // A window another client destroyed is closed, as its close box would.
  if (NativeWindow* lost = SdlLostWindow()) {
    *event = NativeEvent();
    event->kind = NativeEventKind::Close;
    event->window = lost;
    return true;
  }
  SDL_Event sdl;
  while (SDL_PeepEvents(&sdl, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    if ((sdl.type == SDL_KEYDOWN || sdl.type == SDL_KEYUP) && FromKey(sdl.key, event)) return true;
    if (sdl.type == SDL_WINDOWEVENT && FromWindowEvent(sdl.window, event)) return true;
  }
  return false;
}

bool BackendInjectEvent(const NativeEvent& event) {
  SDL_Event sdl;
  SDL_zero(sdl);
  if (event.kind == NativeEventKind::Key) {
    SDL_Keycode keycode;
    SDL_Scancode scancode;
    if (!SdlKeyOfVirtualKey(event.virtualKey, &keycode, &scancode)) return false;
    sdl.type = event.down ? SDL_KEYDOWN : SDL_KEYUP;
    sdl.key.timestamp = SDL_GetTicks();
    sdl.key.windowID = WindowIdOf(event.window);
    sdl.key.state = event.down ? SDL_PRESSED : SDL_RELEASED;
    sdl.key.repeat = event.repeat ? 1 : 0;
    sdl.key.keysym.scancode = scancode;
    sdl.key.keysym.sym = keycode;
    sdl.key.keysym.mod = Uint16((event.altHeld ? KMOD_LALT : 0) | (event.controlHeld ? KMOD_LCTRL : 0));
  } else {
    Uint8 what = SdlWindowEventOf(event.kind);
    if (what == SDL_WINDOWEVENT_NONE || !event.window) return false;
    sdl.type = SDL_WINDOWEVENT;
    sdl.window.timestamp = SDL_GetTicks();
    sdl.window.windowID = WindowIdOf(event.window);
    sdl.window.event = what;
  }
  return SDL_PushEvent(&sdl) == 1;
}
