// The pixel-format request of a double-buffered RGBA window with a depth
// buffer, as the game makes it, for test programs and tools that make GL
// windows of their own. (The game fills its own record: app/window.cpp.)
#pragma once

#include "platform/win32.h"

inline PIXELFORMATDESCRIPTOR WindowFormatRequest(BYTE colorBits = 16, BYTE depthBits = 16) {
  PIXELFORMATDESCRIPTOR request = {};
  request.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  request.iPixelType = PFD_TYPE_RGBA;
  request.cColorBits = colorBits;
  request.cDepthBits = depthBits;
  request.iLayerType = PFD_MAIN_PLANE;
  return request;
}
