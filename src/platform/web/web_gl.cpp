// The web backend's GL: a WebGL 1 context for a window's canvas, with the
// display-list piece over it (gl/: OpenGL 1.1 lists, immediate mode and the
// matrix stacks that WebGL lacks), and buffer swaps.
//
// A canvas has one WebGL context for its life, made with the buffers of the
// window's pixel format by the first GL context made for it (alpha only when
// the format has alpha: the page must not show through the picture).
// Every GL context is one set of display lists and one drawing sink over
// it; a later one on the same canvas starts from WebGL's initial state.
// WebGL shows what was drawn when the program gives the browser its turn,
// which the core does after every swap; the swap itself notes its time in
// Module.quellorWeb.swaps, for the page's figures.
#include <GLES2/gl2.h>
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "gl_webgl.h"
#include "platform/web/web_backend.h"

namespace {

std::vector<NativeContext*> contexts;
NativeContext* current = nullptr;

// clang-format off
EM_JS(void, WebNoteSwap, (), {
  var swaps = Module["quellorWeb"].swaps;
  swaps.push(performance.now());
  if (swaps.length > 4096) swaps.splice(0, swaps.length - 4096);
});
// clang-format on

// WebGL's state as a new context has it, on a canvas whose context an
// earlier GL context used.
void ResetState(NativeWindow* window) {
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_BLEND);
  glDisable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 0, 0);
  glClearDepthf(1);
  glDepthFunc(GL_LESS);
  glViewport(0, 0, window->width, window->height);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glUseProgram(0);
}

bool MakeWebGl(NativeWindow* window, const NativeFormat* format) {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.alpha = format && format->alphaBits > 0;
  attributes.depth = !format || format->depthBits > 0;
  attributes.stencil = format && format->stencilBits > 0;
  attributes.antialias = false;
  attributes.preserveDrawingBuffer = false;
  attributes.majorVersion = 1;
  attributes.minorVersion = 0;
  char selector[40];
  snprintf(selector, sizeof selector, "#quellor-window-%d", window->number);
  window->webgl = emscripten_webgl_create_context(selector, &attributes);
  return window->webgl > 0;
}

}  // namespace

void WebForgetWindowContexts(NativeWindow* window) {
  if (current && current->window == window) {
    MakeGlListContextCurrent(nullptr);
    emscripten_webgl_make_context_current(0);
    current = nullptr;
  }
  for (NativeContext* context : contexts)
    if (context->window == window) context->window = nullptr;
}

NativeContext* BackendCreateContext(NativeWindow* window, const NativeFormat* format) {
  bool reused = window->webgl != 0;
  if (!reused && !MakeWebGl(window, format)) {
    window->webgl = 0;
    return nullptr;
  }
  if (reused) {
    emscripten_webgl_make_context_current(window->webgl);
    ResetState(window);
    emscripten_webgl_make_context_current(current && current->window ? current->window->webgl : 0);
  }
  GlSink* sink = CreateWebGlSink(window->webgl);
  NativeContext* context = new NativeContext{window, sink, CreateGlListContext(sink)};
  contexts.push_back(context);
  return context;
}

bool BackendMakeCurrent(NativeWindow* window, NativeContext* context) {
  if (!context) {
    MakeGlListContextCurrent(nullptr);
    emscripten_webgl_make_context_current(0);
    current = nullptr;
    return true;
  }
  // A WebGL context draws into its own canvas only.
  if (!window || context->window != window ||
      emscripten_webgl_make_context_current(window->webgl) != EMSCRIPTEN_RESULT_SUCCESS) {
    MakeGlListContextCurrent(nullptr);
    emscripten_webgl_make_context_current(0);
    current = nullptr;
    return false;
  }
  MakeGlListContextCurrent(context->lists);
  current = context;
  return true;
}

void BackendDeleteContext(NativeContext* context) {
  // The lists' buffers are freed in their own WebGL context, which is made
  // current for it; a canvas already gone took them with it.
  if (context->window) emscripten_webgl_make_context_current(context->window->webgl);
  DeleteGlListContext(context->lists);
  DeleteWebGlSink(context->sink);
  if (current == context) {
    MakeGlListContextCurrent(nullptr);
    current = nullptr;
  }
  emscripten_webgl_make_context_current(current && current->window ? current->window->webgl : 0);
  if (current) MakeGlListContextCurrent(current->lists);
  contexts.erase(std::find(contexts.begin(), contexts.end(), context));
  delete context;
}

bool BackendContextCurrent() { return CurrentGlListContext() != nullptr; }

void BackendSwapBuffers(NativeWindow*) { WebNoteSwap(); }
