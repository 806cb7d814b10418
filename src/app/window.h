// The game window, its display mode, pixel format and rendering context, and
// the window procedure that turns messages into the program's shared state.
#pragma once

#include "app/handles.h"
#include "platform/win32.h"

// The pixel format asked for: double-buffered RGBA with a 16-bit depth buffer.
// Its first four fields hold from program start; the first OpenMainWindow
// that reaches the pixel-format step fills the rest and sets
// pixelFormatFilled, and later ones use the record as it stands.
extern PIXELFORMATDESCRIPTOR pixelFormatRequest;
extern bool pixelFormatFilled;

// Builds class, display mode, window, pixel format and rendering context and
// initialises the scene. On failure tells the user which step failed, tears
// down what was built and returns false.
bool OpenMainWindow(const char* title, int width, int height, int bits, bool fullscreenRequested);
// Restores the display mode and releases whatever exists, in a fixed order.
void CloseMainWindow();
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
