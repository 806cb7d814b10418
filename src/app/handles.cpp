// The window-system state shared by the shell, the renderer (which selects
// its font into deviceContext) and the main loop.
#include "app/handles.h"

HINSTANCE appInstance = nullptr;
HWND mainWindow = nullptr;
HDC deviceContext = nullptr;
HGLRC renderContext = nullptr;
bool fullscreen = true;
bool appActive = true;
