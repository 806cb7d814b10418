// GDI32, pixel formats and buffer swaps: ChoosePixelFormat, SetPixelFormat,
// SwapBuffers.
//
// Callers may rely on:
// - ChoosePixelFormat returns the number of the closest of the layer's
//   formats (formats.cpp), 0 when none can serve the request or the device
//   context is not a window's.
// - SetPixelFormat succeeds once per window, as on Windows; later calls fail.
//   The window's native window is then made again (still hidden if it was)
//   with the format's buffers, since a display fixes them when it makes a
//   window. The sizes are minimums: the buffers a context gets are the
//   closest the display offers at least that deep (a 16-bit request on a
//   24-bit display gets 8 bits per channel).
// - SwapBuffers shows the back buffer of a window with a pixel format while
//   a context is current on it, and gives the machine its turn so that the
//   frame reaches the screen; it fails for anything but a window DC.
#include "platform/core/core.h"

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* request) {
  if (LayerShouldFail("ChoosePixelFormat")) return 0;
  if (!request || !LayerFindWindowByDC(dc)) return 0;
  return LayerClosestFormat(*request);
}

BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* /*request*/) {
  if (LayerShouldFail("SetPixelFormat")) return FALSE;
  LayerWindow* window = LayerFindWindowByDC(dc);
  NativeFormat buffers;
  if (!window || !LayerFormatAt(format, &buffers) || window->pixelFormat != 0) return FALSE;
  if (!LayerRealiseFormat(window, format)) return FALSE;
  window->pixelFormat = format;
  return TRUE;
}

BOOL WINAPI SwapBuffers(HDC dc) {
  if (LayerShouldFail("SwapBuffers")) return FALSE;
  LayerWindow* window = LayerFindWindowByDC(dc);
  if (!window || !window->pixelFormat) return FALSE;
  if (LayerCurrentWindow() == window) BackendSwapBuffers(window->native);
  LayerGiveTurn(true);
  return TRUE;
}
