// What the core's files share: the window record and the operations one
// topic offers the others. Files are ordered so that calls only run
// downwards (see CONVENTIONS.md): registry, faults and formats first, then
// the queue, focus, display, then windows, input and messages, then the
// operations built on them.
#pragma once

#include <string>
#include <vector>

#include "platform/core/backend.h"
#include "platform/core/hooks.h"
#include "platform/win32.h"

// ---------------------------------------------------------------- registry.cpp
// One live window. The window handle and its one device context are the
// addresses of the two cells inside the record.
struct LayerWindow {
  HWND__ windowCell;
  HDC__ dcCell;
  NativeWindow* native = nullptr;  // hidden until ShowWindow
  std::string className;
  std::string title;
  WNDPROC procedure = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0;  // client origin on the screen
  int clientWidth = 0, clientHeight = 0;
  bool exclusiveFullscreen = false;  // covers the screen in a changed display mode
  int pixelFormat = 0;               // 0 until SetPixelFormat
  int nativeFormat = 0;              // the format the native window was made for (0: defaults)
  bool visible = false;
  bool sized = false;  // WM_SIZE/WM_MOVE have been sent once
  bool active = false;
  bool minimised = false;
  bool destroying = false;
};

HWND LayerWindowHandle(LayerWindow* window);
HDC LayerWindowDC(LayerWindow* window);
LayerWindow* LayerFindWindow(HWND handle);  // null for anything not live
LayerWindow* LayerFindWindowByDC(HDC dc);
LayerWindow* LayerFindWindowByNative(const NativeWindow* native);
const std::vector<LayerWindow*>& LayerWindows();
void LayerAddWindow(LayerWindow* window);
void LayerRemoveWindow(LayerWindow* window);  // and deletes it

// ---------------------------------------------------------------- formats.cpp
// The layer's pixel formats, numbered from 1; false for any other number.
bool LayerFormatAt(int index, NativeFormat* format);
// The closest format to a request, 0 when none can serve it.
int LayerClosestFormat(const PIXELFORMATDESCRIPTOR& request);

// ---------------------------------------------------------------- queue.cpp
// Calls the window's procedure (and tells the test driver, if it listens).
LRESULT LayerSend(LayerWindow* window, UINT message, WPARAM wParam, LPARAM lParam);
// The Win32 call whose work is sending the next messages; calls nest.
void LayerEnterCall(const char* operation);
void LayerLeaveCall();
// Appends a message to this thread's posted queue (at the front for the
// characters TranslateMessage makes, which come next).
void LayerPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool atFront = false);
// Takes the first posted message that passes the filters (removing it with
// PM_REMOVE); false when none does.
bool LayerTakePosted(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
// A window goes: its posted messages go with it.
void LayerDropPosted(HWND window);
DWORD LayerMessageTime();
// Gives the machine its turn (BackendTakeTurn) unless a window procedure is
// running: turns come only between the program's own calls.
void LayerGiveTurn(bool now);

// ---------------------------------------------------------------- class.cpp
// The class a window is made of: its name as registered and its procedure;
// false for a class not registered for that instance.
bool LayerFindClass(LPCSTR name, HINSTANCE instance, std::string* registeredName, WNDPROC* procedure);

// ---------------------------------------------------------------- keyboard.cpp
// lParam of a key message: repeat count 1, the PC scan code, the extended
// bit, Alt held (bit 29), key down before (bit 30), key up (bit 31).
LPARAM LayerKeyParameter(int scanCode, bool extended, bool down, bool repeat, bool altHeld);
// A key message has been taken off the queue: the key state follows it.
void LayerKeyTaken(UINT message, WPARAM virtualKey);
// The character a key press makes with the current key state (0: none).
int LayerCharacterOf(int virtualKey, bool altHeld);

// ---------------------------------------------------------------- focus.cpp
// The window the keyboard goes to: the focus window, else the active one,
// else the first live one.
LayerWindow* LayerInputWindow();
// Makes the window active and gives it the focus, sending what Windows sends.
void LayerActivate(LayerWindow* window);
// Takes activation and focus from the window (for `next`, may be null).
void LayerDeactivate(LayerWindow* window, LayerWindow* next);
// State changes the machine reports: no messages sent here.
void LayerNoteMinimised(LayerWindow* window, bool minimised);
void LayerNoteActive(LayerWindow* window, bool active);
void LayerForgetFocus(LayerWindow* window);
bool LayerIsActive(LayerWindow* window);

// ---------------------------------------------------------------- display.cpp
// The display mode a window of this style, place and size covers the screen
// in (a WS_POPUP at 0,0 the size of the changed mode), null for any other.
// `real` is false when the mode list is the test driver's, which changes nothing.
const NativeMode* LayerExclusiveMode(const LayerWindow* window, bool* real);
// Gives the desktop its mode back; windows in a mode become plain windows.
void LayerRestoreDesktopMode();
// The end of the process: the desktop's mode back, the backend closed.
void LayerShutdown();

// ---------------------------------------------------------------- wgl.cpp
// The window the current context draws into (null: none current).
LayerWindow* LayerCurrentWindow();
// A window is going: a context current on it is made not current.
void LayerWindowGoing(LayerWindow* window);

// ---------------------------------------------------------------- window.cpp
// Makes the window's native window again with the format's buffers when it
// was made with other ones; false (native kept) when that fails.
bool LayerRealiseFormat(LayerWindow* window, int format);

// ---------------------------------------------------------------- input.cpp
// Takes every waiting backend event and posts the messages it makes.
void LayerPumpInput();

// ---------------------------------------------------------------- font.cpp
// What CreateFontA recorded of a logical font.
struct LayerFont {
  int height, width, escapement, orientation, weight;
  DWORD italic, underline, strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily;
  std::string faceName;  // at most 31 characters, as GDI keeps it
  bool everSelected;
};
// The font selected into a device context; null if none.
const LayerFont* LayerSelectedFont(HDC dc);
