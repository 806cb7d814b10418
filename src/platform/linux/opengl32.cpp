// OPENGL32 on Linux, the context part: wglCreateContext, wglMakeCurrent,
// wglDeleteContext. (Outline fonts are in fonts.cpp.)
//
// Callers may rely on:
// - wglCreateContext makes an OpenGL 1.x (compatibility) context for a
//   window DC whose pixel format is set, and leaves the current context as
//   it was; null for anything else.
// - wglMakeCurrent(dc, context) makes the context current on the window;
//   it fails (FALSE) for an unknown context or DC, or a DC whose pixel format
//   is not the context's, and then no context is current, as on Windows.
//   wglMakeCurrent with a null context makes none current and succeeds.
// - wglDeleteContext deletes a context (first making it not current if it
//   is); FALSE for an unknown handle. Display lists go with their context.
// - A window destroyed while its context is current leaves no context
//   current; the context itself lives on until deleted.
#include "platform/linux/layer.h"
#include "platform/linux/windows_internal.h"

#include <algorithm>

#include <malloc.h>

namespace {

struct ContextRecord {
  HGLRC__ cell;
  SDL_GLContext gl;
  int pixelFormat;
};

std::vector<ContextRecord*> contexts;
ContextRecord* current = nullptr;
LayerWindow* currentWindow = nullptr;

// Mesa's software renderer allocates and frees its working memory for every
// frame. Left to its defaults, glibc hands that memory back to the system
// after each frame and faults it in again in the next: a third of a frame's
// time with a long snake. Freed memory stays in the process instead.
void KeepFreedMemory() {
  static bool done = false;
  if (done) return;
  done = true;
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

ContextRecord* FindContext(HGLRC handle) {
  for (ContextRecord* record : contexts)
    if (&record->cell == handle) return record;
  return nullptr;
}

void ReleaseCurrent() {
  if (LayerVideoStarted()) SDL_GL_MakeCurrent(nullptr, nullptr);
  current = nullptr;
  currentWindow = nullptr;
}

}  // namespace

HGLRC LayerCurrentContext() { return current ? &current->cell : nullptr; }

void LayerWindowGoing(LayerWindow* window) {
  if (currentWindow == window) ReleaseCurrent();
}

HGLRC WINAPI wglCreateContext(HDC dc) {
  if (LayerShouldFail("wglCreateContext")) return nullptr;
  LayerWindow* window = LayerFindWindowByDC(dc);
  if (!window || !window->pixelFormat || !window->native) return nullptr;
  LayerApplyFormatAttributes(window->pixelFormat);
  KeepFreedMemory();
  SDL_GLContext gl = SDL_GL_CreateContext(window->native);
  // SDL makes the new context current; Windows does not.
  if (current && currentWindow)
    SDL_GL_MakeCurrent(currentWindow->native, current->gl);
  else
    SDL_GL_MakeCurrent(nullptr, nullptr);
  if (!gl) return nullptr;
  ContextRecord* record = new ContextRecord;
  record->gl = gl;
  record->pixelFormat = window->pixelFormat;
  contexts.push_back(record);
  return &record->cell;
}

BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context) {
  if (LayerShouldFail("wglMakeCurrent")) return FALSE;
  if (!context) {
    ReleaseCurrent();
    return TRUE;
  }
  ContextRecord* record = FindContext(context);
  LayerWindow* window = LayerFindWindowByDC(dc);
  if (!record || !window || window->pixelFormat != record->pixelFormat ||
      SDL_GL_MakeCurrent(window->native, record->gl) != 0) {
    ReleaseCurrent();
    return FALSE;
  }
  current = record;
  currentWindow = window;
  return TRUE;
}

BOOL WINAPI wglDeleteContext(HGLRC context) {
  if (LayerShouldFail("wglDeleteContext")) return FALSE;
  ContextRecord* record = FindContext(context);
  if (!record) return FALSE;
  if (current == record) ReleaseCurrent();
  SDL_GL_DeleteContext(record->gl);
  contexts.erase(std::find(contexts.begin(), contexts.end(), record));
  delete record;
  return TRUE;
}
