// The layer's pixel formats and how close each is to a request.
//
// There are 24, numbered from 1: double or single buffered; 24-bit RGB,
// 32-bit RGBA (8 alpha bits) or 16-bit RGB (5-6-5); depth 24 with 8 stencil
// bits, depth 24, depth 16 or none. The closest format has the same
// buffering (unless PFD_DOUBLEBUFFER_DONTCARE), then the colour depth
// nearest the request, and alpha, depth and stencil buffers at least as deep
// as asked if there are any. Colour-index pixels, stereo, drawing to bitmaps
// or through GDI, and requests without PFD_SUPPORT_OPENGL get none.
#include <cstdlib>

#include "platform/core/core.h"

namespace {

const int formatCount = 24;

NativeFormat FormatNumber(int index) {
  const int colours[3][4] = {{8, 8, 8, 0}, {8, 8, 8, 8}, {5, 6, 5, 0}};
  const int depths[4][2] = {{24, 8}, {24, 0}, {16, 0}, {0, 0}};
  int i = index - 1;
  const int* colour = colours[(i / 4) % 3];
  const int* depth = depths[i % 4];
  return NativeFormat{colour[0], colour[1], colour[2], colour[3], depth[0], depth[1], i < 12};
}

int ColourBits(const NativeFormat& format) {
  return format.redBits + format.greenBits + format.blueBits + format.alphaBits;
}

// Lower is closer; -1 when the format cannot serve the request at all.
int Distance(const NativeFormat& format, const PIXELFORMATDESCRIPTOR& request) {
  int distance = 0;
  if (!(request.dwFlags & PFD_DOUBLEBUFFER_DONTCARE) &&
      format.doubleBuffer != ((request.dwFlags & PFD_DOUBLEBUFFER) != 0))
    return -1;
  int colourBits = ColourBits(format);
  int wantedColour = request.cColorBits ? request.cColorBits : 24;
  distance += std::abs(colourBits - wantedColour) * 16 + (colourBits < wantedColour ? 1 : 0);
  if (request.cAlphaBits && !format.alphaBits) distance += 4000;
  if (!request.cAlphaBits && format.alphaBits) distance += 8;
  if (!(request.dwFlags & PFD_DEPTH_DONTCARE)) {
    if (format.depthBits < request.cDepthBits) distance += 2000;
    distance += std::abs(format.depthBits - request.cDepthBits);
  }
  if (format.stencilBits < request.cStencilBits) distance += 1000;
  distance += std::abs(format.stencilBits - request.cStencilBits);
  return distance;
}

}  // namespace

bool LayerFormatAt(int index, NativeFormat* format) {
  if (index < 1 || index > formatCount) return false;
  *format = FormatNumber(index);
  return true;
}

int LayerClosestFormat(const PIXELFORMATDESCRIPTOR& request) {
  if (request.iPixelType != PFD_TYPE_RGBA || !(request.dwFlags & PFD_SUPPORT_OPENGL)) return 0;
  if (request.dwFlags & (PFD_STEREO | PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI)) return 0;
  int best = 0, bestDistance = 0;
  for (int index = 1; index <= formatCount; ++index) {
    int distance = Distance(FormatNumber(index), request);
    if (distance < 0) continue;
    if (!best || distance < bestDistance) {
      best = index;
      bestDistance = distance;
    }
  }
  return best;
}
