// What the SDL backend's files share.
#pragma once

#include <SDL2/SDL.h>

#include "platform/core/backend.h"

struct NativeWindow {
  SDL_Window* sdl;
  bool lostReported;  // its loss to another client has been told as a close
};

struct NativeContext {
  SDL_GLContext gl;
};

// sdl_video.cpp: the backend's window for an SDL window id; null for windows
// it did not make (a message box's).
NativeWindow* SdlFindWindow(Uint32 windowId);
// A window destroyed by another client and not yet told of; null if none.
NativeWindow* SdlLostWindow();

// sdl_gl.cpp: SDL's GL attributes for a format (null: SDL's defaults),
// set before a window or context is made.
void SdlApplyFormat(const NativeFormat* format);

// sdl_keys.cpp: the Win32 virtual-key code of an SDL key, with its PC scan
// code; false for keys Win32 has no code for.
bool SdlVirtualKeyOf(SDL_Keycode keycode, SDL_Scancode scancode, int* virtualKey, int* scanCode, bool* extended);
// The SDL key of a virtual-key code (the left one of a pair); false if none.
bool SdlKeyOfVirtualKey(int virtualKey, SDL_Keycode* keycode, SDL_Scancode* scancode);

// posix_signals.cpp: SIGINT, SIGTERM, SIGHUP and SIGQUIT as requests to
// end, caught from before SDL video starts.
void SdlCatchEndSignals();
// True once for each time the signals asked since the last call.
bool SdlTakeEndRequest();
// A request to end has come: boxes close, or do not show.
bool SdlEnding();
// Around SDL's message box, so that a request to end can close it.
void SdlBoxShowing(bool showing);

// x11.cpp: the parts that only an X server needs.
// X errors are recorded from here on, never the end of the process.
void X11CatchErrors();
// SDL's connection, known from its first window.
void X11NoteWindow(SDL_Window* window);
// Takes the errors still on their way, before SDL's video ends.
void X11Settle();
// The errors so far; after a call that may meet one, whether any came since
// the mark (the window's connection synced first), with a line on standard
// error naming it and what was being done. Without `glxErrors`, a last
// error of a GLX request (SDL probing GL as it makes a window) is not one.
unsigned long X11ErrorMark();
bool X11ErrorsSince(unsigned long mark, SDL_Window* window, const char* during, bool glxErrors);
// Before a real mode change: a watcher outside the process gives the
// desktop its mode back should the process end without doing so.
void X11GuardDesktop();
// The desktop has its mode back: the watcher ends.
void X11DesktopBack();
// The right Alt key is AltGr on this keyboard (it types the third level).
bool X11RightAltIsAltGr();
// An X error said the window no longer exists (another client destroyed it).
bool X11WindowLost(SDL_Window* window);
// A message box about to be shown gets the keyboard on a server without a
// window manager.
void X11LetBoxHaveKeyboard();
// A GLX context is current on this thread (made by the backend or by anyone).
bool X11ContextCurrent();
