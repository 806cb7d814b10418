// The sink that draws the display-list piece's output with WebGL (OpenGL ES
// 2.0 through emscripten): one small shader, the fixed-function matrix
// stacks on the CPU, a vertex buffer kept for every batch of a list.
#pragma once

#include "gl_lists.h"

#include <emscripten/html5.h>

// Makes a sink for a WebGL context; it draws only while that context is
// current. Its shader is made on its first draw.
GlSink* CreateWebGlSink(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context);
// Frees the sink's shader and buffers if its context is still current; a
// context already gone took them with it.
void DeleteWebGlSink(GlSink* sink);
