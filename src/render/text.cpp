// Extruded 3-D text: glyph lists from an outline font, drawn centred.
#include "render/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "app/handles.h"

#include <GL/gl.h>
#include <GL/glu.h>

unsigned int glyphBase = 0;
GLYPHMETRICSFLOAT glyphMetrics[256] = {};

namespace {
// Room for the longest text drawn: 255 characters and the terminating zero.
constexpr size_t kTextBufferSize = 256;
}  // namespace

void BuildGlyphLists() {
  glyphBase = glGenLists(256);
  HFONT font = CreateFontA(-12,                  // character height
                           0,                    // width chosen by the font mapper
                           0,                    // escapement
                           0,                    // orientation
                           FW_BOLD,              // weight
                           FALSE,                // italic
                           FALSE,                // underline
                           FALSE,                // strike-out
                           ANSI_CHARSET,         // character set
                           OUT_TT_PRECIS,        // outline (TrueType) fonts preferred
                           CLIP_DEFAULT_PRECIS,  // clipping precision
                           ANTIALIASED_QUALITY,  // quality
                           FF_DONTCARE | DEFAULT_PITCH, "Verdana");
  SelectObject(deviceContext, font);
  // Codes 0..254 as solid glyphs extruded 0.2 units; list 255 stays undefined.
  wglUseFontOutlinesA(deviceContext, 0, 255, glyphBase, 0.0f, 0.2f, WGL_FONT_POLYGONS, glyphMetrics);
}

void PrintCentered(const char* format, ...) {
  float width = 0.0f;
  if (format == nullptr) return;

  // A bounded formatter: a longer text is cut at 255 characters.
  char text[kTextBufferSize];
  va_list arguments;
  va_start(arguments, format);
  int written = vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  if (written < 0) return;  // the format could not be applied: nothing to draw

  size_t length = strlen(text);
  for (size_t i = 0; i < length; ++i) {
    unsigned char code = static_cast<unsigned char>(text[i]);
    width = static_cast<float>(width + glyphMetrics[code].gmfCellIncX);
  }

  glTranslatef(-width / 2, 0.0f, 0.0f);
  glPushAttrib(GL_LIST_BIT);
  glListBase(glyphBase);
  glCallLists(static_cast<GLsizei>(length), GL_UNSIGNED_BYTE, text);
  glPopAttrib();
}
