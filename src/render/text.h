// Extruded 3-D text from an outline font, drawn centred on the current origin.
#pragma once

#include "platform/win32.h"

// First of 256 consecutive display-list names; list glyphBase + n draws the
// glyph of character code n (0..254) and then advances the origin by it.
extern unsigned int glyphBase;
// Metrics of codes 0..254; entry 255 stays all zero.
extern GLYPHMETRICSFLOAT glyphMetrics[256];

// Builds the glyph lists and metrics for the current rendering context from a
// bold "Verdana" selected into deviceContext.
void BuildGlyphLists();
// Formats a printf-style text (at most 255 characters; longer texts are cut)
// and draws it centred on the current origin, leaving the origin at the
// text's right end. A null format draws nothing.
void PrintCentered(const char* format, ...);
