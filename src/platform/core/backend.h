// What a backend gives the Win32 core: native windows and their events, GL
// contexts, display modes, the cursor, message boxes, the clock and font
// files. The core (src/platform/core) keeps every Win32 rule; a backend only
// does what the machine does, and knows nothing of Win32 records or messages.
//
// A backend must provide, in src/platform/<name>/ (see src/platform/sdl/):
//   [ ] video       BackendVideoStart, BackendVideoStarted, BackendShutdown
//   [ ] windows     BackendCreateWindow, BackendRemakeWindow, BackendDestroyWindow,
//                   BackendShowWindow, BackendHideWindow, BackendMinimiseWindow,
//                   BackendRestoreWindow, BackendRaiseWindow, BackendFocusWindow,
//                   BackendLeaveFullscreen, BackendDrawableSize
//   [ ] events      BackendNextEvent (never waits), BackendInjectEvent (tests)
//   [ ] GL          BackendCreateContext, BackendMakeCurrent, BackendDeleteContext,
//                   BackendContextCurrent, BackendSwapBuffers
//   [ ] modes       BackendDesktopMode, BackendFindDisplayMode, BackendEnterDisplayMode,
//                   BackendLeaveDisplayMode
//   [ ] cursor      BackendShowCursor
//   [ ] boxes       BackendMessageBox
//   [ ] time        BackendMonotonicNanoseconds, BackendTakeTurn
//   [ ] fonts       BackendEachFontFile
// and its platform.cmake (sources, libraries, test areas), chosen by
// QUELLOR_PLATFORM in cmake/Platform.cmake; CONVENTIONS.md says how. Every
// function is called on the program's one thread.
#pragma once

#include <cstdint>

struct NativeWindow;   // the backend's window
struct NativeContext;  // the backend's GL context

// ---------------------------------------------------------------- video
// Starts the display connection on first need; false when there is no
// display to draw on (the core then fails window creation). Later calls
// return at once.
bool BackendVideoStart();
bool BackendVideoStarted();
// The end of the process: the display connection closes.
void BackendShutdown();

// ---------------------------------------------------------------- windows
// The buffers a window's GL surface is made with; all zero: the backend's defaults.
struct NativeFormat {
  int redBits, greenBits, blueBits, alphaBits;
  int depthBits, stencilBits;
  bool doubleBuffer;
};

struct NativeMode {
  int width, height;
  int refreshRate;  // Hz; 0 when the display does not say
};

struct NativeWindowRequest {
  const char* title;
  int x, y;  // client origin on the screen
  int clientWidth, clientHeight;
  bool framed;  // with a title bar and borders
  bool resizable;
  const NativeMode* fullscreenMode;  // covers the screen in this mode; null: a plain window
  const NativeFormat* format;        // null: the backend's defaults
};

// A hidden window; null when it cannot be made.
NativeWindow* BackendCreateWindow(const NativeWindowRequest& request);
// The window made again for another format (a display fixes a window's
// buffers when it is made), shown if `visible`; the old one is gone when a
// new one is returned, and kept when null is returned.
NativeWindow* BackendRemakeWindow(NativeWindow* old, const NativeWindowRequest& request, bool visible);
void BackendDestroyWindow(NativeWindow* window);
void BackendShowWindow(NativeWindow* window);
void BackendHideWindow(NativeWindow* window);
void BackendMinimiseWindow(NativeWindow* window);
void BackendRestoreWindow(NativeWindow* window);
// To the front, with the keyboard.
void BackendRaiseWindow(NativeWindow* window);
// The keyboard only.
void BackendFocusWindow(NativeWindow* window);
// Back from a fullscreen mode to a plain window: the desktop's mode returns.
void BackendLeaveFullscreen(NativeWindow* window);
// The size of the window's GL surface in pixels.
void BackendDrawableSize(NativeWindow* window, int* width, int* height);

// ---------------------------------------------------------------- events
enum class NativeEventKind {
  Key,    // a key went down (again, when `repeat`) or up
  Close,  // the window's close button
  Minimised,
  Restored,
  FocusGained,
  FocusLost,
  Resized,       // the client area has a new size: width, height, maximised
  Moved,         // the client origin moved: x, y
  EndRequested,  // the machine asks the program to end (a signal); no window
};

struct NativeEvent {
  NativeEventKind kind;
  NativeWindow* window;  // null for keys the backend cannot place
  // Key: the Win32 virtual-key code (0: a key Win32 has no code for), the
  // PC keyboard's set-1 scan code and whether it is an extended (E0) key,
  // and the modifiers held.
  int virtualKey;
  int scanCode;
  bool extended;
  bool down, repeat;
  bool altHeld, controlHeld;
  // Resized: width, height; Moved: x, y.
  int x, y, width, height;
  bool maximised;
};

// The next waiting event, false when none waits. A request to end comes
// once for each time the machine asks.
bool BackendNextEvent(NativeEvent* event);
// Puts an event into the backend's own queue, as the machine would, so that
// it comes back out of BackendNextEvent (the test driver's input). False
// when the backend cannot make such an event.
bool BackendInjectEvent(const NativeEvent& event);

// ---------------------------------------------------------------- GL
// A context for the window's surface, made without changing which context
// is current; null on failure.
NativeContext* BackendCreateContext(NativeWindow* window, const NativeFormat* format);
// Makes `context` current on `window`; both null: none current. False on failure.
bool BackendMakeCurrent(NativeWindow* window, NativeContext* context);
void BackendDeleteContext(NativeContext* context);
// A GL context is current on this thread, made by the core or by anyone else.
bool BackendContextCurrent();
// Shows the back buffer of the window whose context is current.
void BackendSwapBuffers(NativeWindow* window);

// ---------------------------------------------------------------- display modes and cursor
bool BackendDesktopMode(NativeMode* mode);
// A mode of exactly width x height that the display offers; false if none.
bool BackendFindDisplayMode(int width, int height, NativeMode* found);
// The program asks for a mode the display offers: false when the machine
// refuses it now (a browser without the player's permission), and nothing
// changes. A machine that switches when a window covering the screen is
// made (BackendCreateWindow with a fullscreenMode) only says yes here.
bool BackendEnterDisplayMode(const NativeMode& mode);
// The desktop's own mode is back for good, after every window in the mode
// has left it (BackendLeaveFullscreen, BackendDestroyWindow).
void BackendLeaveDisplayMode();
void BackendShowCursor(bool visible);

// ---------------------------------------------------------------- message boxes
enum class NativeBoxIcon { Information, Warning, Error };

struct NativeBoxButton {
  int answer;  // what pressing it answers
  const char* label;
  bool returnKey;  // Return presses it
  bool escapeKey;  // Escape presses it
};

// Shows a modal box and waits. *answer is the pressed button's answer, or
// -1 when the box was closed without one. A request to end that comes while
// the box is up closes it, and one that came before keeps it from showing
// (-1 at once). False when no box can be shown (no display).
bool BackendMessageBox(const char* text, const char* caption, NativeBoxIcon icon, const NativeBoxButton* buttons,
                       int buttonCount, int* answer);

// ---------------------------------------------------------------- time
int64_t BackendMonotonicNanoseconds();
// The program's thread gives the machine a turn. Where the machine's own
// work runs on that thread between the program's turns (a browser's event
// loop draws the page and delivers input only then), the backend hands it
// back here: at once when `now`, otherwise when the program has kept it for
// a while. The core calls it where a program may spin: reading the clock,
// peeking for messages, and, with `now`, after a buffer swap, so the frame
// reaches the screen; never from inside a window procedure. Desktop
// machines share the processor by themselves and do nothing here.
void BackendTakeTurn(bool now);

// ---------------------------------------------------------------- fonts
// Offers font files for a face name, weight (1..1000) and slant, best first:
// calls `take(file, faceIndex, context)` for each until it returns true.
// False when nothing was taken.
bool BackendEachFontFile(const char* faceName, int weight, bool italic,
                         bool (*take)(const char* file, int faceIndex, void* context), void* context);
