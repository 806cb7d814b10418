// The game window, its display mode, pixel format and rendering context, and
// the window procedure that turns messages into the program's shared state.
#pragma once

#include "game/keys.h"
#include "platform/win32.h"

// Window-system handles; each is null while its object does not exist.
extern HINSTANCE appInstance;
extern HWND mainWindow;
extern HDC deviceContext;
extern HGLRC renderContext;
// The window runs in an exclusive fullscreen display mode.
extern bool fullscreen;
// The window is not minimised; frames are drawn only while it is set.
extern bool appActive;
// The pixel format asked for: double-buffered RGBA with a 16-bit depth buffer.
extern PIXELFORMATDESCRIPTOR pixelFormatRequest;

// Builds class, display mode, window, pixel format and rendering context and
// initialises the scene. On failure tells the user which step failed, tears
// down what was built and returns false.
bool OpenMainWindow(const char* title, int width, int height, int bits, bool fullscreenRequested);
// Restores the display mode and releases whatever exists, in a fixed order.
void CloseMainWindow();
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
