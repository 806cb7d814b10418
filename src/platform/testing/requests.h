// Records that test programs and tools hand the layer, built as the game
// builds them (the game fills its own: app/window.cpp).
#pragma once

#include "platform/win32.h"

// The pixel format of a double-buffered RGBA window with a depth buffer.
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

// A display mode of width x height (the bits per pixel not asked for).
inline DEVMODEA DisplayModeRequest(DWORD width, DWORD height) {
  DEVMODEA mode = {};
  mode.dmSize = sizeof(mode);
  mode.dmPelsWidth = width;
  mode.dmPelsHeight = height;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  return mode;
}
