// Reads the X server's screen (kept apart: Xlib's macros clash with tests).
#include "screen_pixel.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

unsigned long ScreenPixel(int x, int y) {
  // The layer's frame puts such a client area at 8, 31 on the screen.
  const int clientLeft = 8, clientTop = 31, clientHeight = 480;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return ~0ul;
  XSync(display, False);
  XImage* image = XGetImage(display, DefaultRootWindow(display), clientLeft + x, clientTop + (clientHeight - 1 - y), 1,
                            1, AllPlanes, ZPixmap);
  unsigned long pixel = image ? XGetPixel(image, 0, 0) & 0xFFFFFF : ~0ul;
  if (image) XDestroyImage(image);
  XCloseDisplay(display);
  return pixel;
}
