// GDI32 on Linux, the pixel-format part: ChoosePixelFormat, SetPixelFormat,
// SwapBuffers. (Fonts are in fonts.cpp.)
//
// Callers may rely on:
// - The layer offers 24 OpenGL window formats, numbered from 1: double or
//   single buffered; 24-bit RGB, 32-bit RGBA (8 alpha bits) or 16-bit RGB
//   (5-6-5); depth 24 with 8 stencil bits, depth 24, depth 16 or none.
// - ChoosePixelFormat returns the number of the closest format: the same
//   buffering (unless PFD_DOUBLEBUFFER_DONTCARE), then the colour depth
//   nearest the request, alpha, depth and stencil buffers at least as deep
//   as asked if there are any. It returns 0 when no format can serve the
//   request: no PFD_SUPPORT_OPENGL, colour-index pixels, stereo, drawing to
//   bitmaps or through GDI, or a device context that is not a window's.
// - SetPixelFormat succeeds once per window, as on Windows; later calls fail.
//   The window's native window is then remade (still hidden) so that its
//   visual has the format's buffers: the X server's visual is fixed when the
//   native window is made. The sizes are minimums, so the buffers the
//   context gets are the closest the display offers at least that deep (a
//   16-bit request on a 24-bit display gets 8 bits per channel).
// - SwapBuffers shows the back buffer of a window with a pixel format while
//   a context is current on it; it fails for anything else but a window DC.
#include "platform/linux/layer.h"
#include "platform/linux/windows_internal.h"

#include <cstdlib>

namespace {

struct PixelFormat {
  int colorBits, redBits, greenBits, blueBits, alphaBits;
  int depthBits, stencilBits;
  bool doubleBuffer;
};

const DWORD flagStereo = 0x00000002;
const DWORD flagDrawToBitmap = 0x00000008;
const DWORD flagSupportGdi = 0x00000010;
const DWORD flagDoubleBufferDontCare = 0x40000000;
const DWORD flagDepthDontCare = 0x20000000;

const PixelFormat* Formats(int* count) {
  static PixelFormat formats[24];
  static int made = 0;
  if (!made) {
    const int colours[3][5] = {{24, 8, 8, 8, 0}, {32, 8, 8, 8, 8}, {16, 5, 6, 5, 0}};
    const int depths[4][2] = {{24, 8}, {24, 0}, {16, 0}, {0, 0}};
    for (int buffering = 0; buffering < 2; ++buffering)
      for (const auto& colour : colours)
        for (const auto& depth : depths)
          formats[made++] = PixelFormat{colour[0], colour[1], colour[2], colour[3], colour[4],
                                        depth[0],  depth[1],  buffering == 0};
  }
  *count = made;
  return formats;
}

const PixelFormat* FormatAt(int index) {
  int count;
  const PixelFormat* formats = Formats(&count);
  return index >= 1 && index <= count ? &formats[index - 1] : nullptr;
}

// Lower is closer; -1 when the format cannot serve the request at all.
int Distance(const PixelFormat& format, const PIXELFORMATDESCRIPTOR& request) {
  int distance = 0;
  if (!(request.dwFlags & flagDoubleBufferDontCare) &&
      format.doubleBuffer != ((request.dwFlags & PFD_DOUBLEBUFFER) != 0))
    return -1;
  int wantedColour = request.cColorBits ? request.cColorBits : 24;
  distance += std::abs(format.colorBits - wantedColour) * 16 + (format.colorBits < wantedColour ? 1 : 0);
  if (request.cAlphaBits && !format.alphaBits) distance += 4000;
  if (!request.cAlphaBits && format.alphaBits) distance += 8;
  if (!(request.dwFlags & flagDepthDontCare)) {
    if (format.depthBits < request.cDepthBits) distance += 2000;
    distance += std::abs(format.depthBits - request.cDepthBits);
  }
  if (format.stencilBits < request.cStencilBits) distance += 1000;
  distance += std::abs(format.stencilBits - request.cStencilBits);
  return distance;
}

}  // namespace

void LayerApplyFormatAttributes(int index) {
  SDL_GL_ResetAttributes();
  const PixelFormat* format = FormatAt(index);
  if (!format) return;
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, format->redBits);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, format->greenBits);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, format->blueBits);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format->alphaBits);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format->depthBits);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format->stencilBits);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, format->doubleBuffer ? 1 : 0);
}

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* request) {
  if (LayerShouldFail("ChoosePixelFormat")) return 0;
  if (!request || !LayerFindWindowByDC(dc)) return 0;
  if (request->iPixelType != PFD_TYPE_RGBA || !(request->dwFlags & PFD_SUPPORT_OPENGL)) return 0;
  if (request->dwFlags & (flagStereo | flagDrawToBitmap | flagSupportGdi)) return 0;
  int count;
  const PixelFormat* formats = Formats(&count);
  int best = 0, bestDistance = 0;
  for (int i = 0; i < count; ++i) {
    int distance = Distance(formats[i], *request);
    if (distance < 0) continue;
    if (!best || distance < bestDistance) {
      best = i + 1;
      bestDistance = distance;
    }
  }
  return best;
}

BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* /*request*/) {
  if (LayerShouldFail("SetPixelFormat")) return FALSE;
  LayerWindow* window = LayerFindWindowByDC(dc);
  if (!window || !FormatAt(format) || window->pixelFormat != 0) return FALSE;
  window->pixelFormat = format;
  if (!LayerRealiseFormat(window)) {
    window->pixelFormat = 0;
    return FALSE;
  }
  return TRUE;
}

BOOL WINAPI SwapBuffers(HDC dc) {
  if (LayerShouldFail("SwapBuffers")) return FALSE;
  LayerWindow* window = LayerFindWindowByDC(dc);
  if (!window || !window->pixelFormat) return FALSE;
  if (SDL_GL_GetCurrentWindow() == window->native) SDL_GL_SwapWindow(window->native);
  return TRUE;
}
