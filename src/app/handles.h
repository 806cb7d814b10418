// The window-system handles the shell owns and the flags it shares: the
// renderer selects its font into deviceContext, the main loop swaps its
// buffers and reads the flags.
#pragma once

#include "platform/win32.h"

// Each is null while its object does not exist.
extern HINSTANCE appInstance;
extern HWND mainWindow;
extern HDC deviceContext;
extern HGLRC renderContext;
// The window runs in an exclusive fullscreen display mode.
extern bool fullscreen;
// The window is not minimised; frames are drawn only while it is set.
extern bool appActive;
