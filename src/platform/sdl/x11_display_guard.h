// Keeps a changed display mode from outliving the process on an X server.
//
// Before its first real mode change a program calls X11GuardDesktopMode: a
// small watcher process starts, records the desktop's mode (every CRTC's
// mode, position, rotation and outputs, and the screen's size in pixels and
// millimetres, through XRandR on its own connection) and reports back; only
// then does the call return. When the program has given the desktop its mode
// back itself it calls X11DesktopModeRestored and the watcher ends without
// acting. If the program ends any other way (SIGKILL, a crash, an X error
// that exits) the watcher sees it gone at once, sets the recorded mode and
// screen size again if they differ, and ends.
//
// Nothing runs until the first call: a program that never changes the mode
// pays nothing, and a guarded one pays nothing per frame (the watcher sleeps
// in a read until the program goes). The watcher is a fresh start of the
// program's own executable (/proc/self/exe) by posix_spawn, safe with other
// threads running; it never touches the caller's X connection.
#pragma once

// Starts the watcher unless one is running; `xDisplayOrNull` is the caller's
// Xlib Display* (only its display name is read) or null for $DISPLAY.
// Returns true once the desktop's mode is recorded; false (with a line on
// stderr) when no watcher could start: the caller may still change the mode,
// unguarded. Call it from one thread, as the mode changes are made.
bool X11GuardDesktopMode(void* xDisplayOrNull);

// The caller has restored the desktop's mode: the watcher ends without
// acting. A later X11GuardDesktopMode starts a new one.
void X11DesktopModeRestored();

// Whether a watcher is running for this process (for tests).
bool X11DesktopModeGuarded();
