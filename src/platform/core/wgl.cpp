// OPENGL32, rendering contexts: wglCreateContext, wglMakeCurrent,
// wglDeleteContext.
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
#include <algorithm>

#include "platform/core/core.h"

namespace {

struct ContextRecord {
  HGLRC__ cell;
  NativeContext* native;
  int pixelFormat;
};

std::vector<ContextRecord*> contexts;
ContextRecord* current = nullptr;
LayerWindow* currentWindow = nullptr;

ContextRecord* FindContext(HGLRC handle) {
  for (ContextRecord* record : contexts)
    if (&record->cell == handle) return record;
  return nullptr;
}

void ReleaseCurrent() {
  if (BackendVideoStarted()) BackendMakeCurrent(nullptr, nullptr);
  current = nullptr;
  currentWindow = nullptr;
}

}  // namespace

bool LayerContextCurrent() { return current != nullptr; }

LayerWindow* LayerCurrentWindow() { return currentWindow; }

void LayerWindowGoing(LayerWindow* window) {
  if (currentWindow == window) ReleaseCurrent();
}

HGLRC WINAPI wglCreateContext(HDC dc) {
  if (LayerShouldFail("wglCreateContext")) return nullptr;
  LayerWindow* window = LayerFindWindowByDC(dc);
  NativeFormat format;
  if (!window || !window->native || !LayerFormatAt(window->pixelFormat, &format)) return nullptr;
  NativeContext* native = BackendCreateContext(window->native, &format);
  if (!native) return nullptr;
  ContextRecord* record = new ContextRecord{HGLRC__(), native, window->pixelFormat};
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
      !BackendMakeCurrent(window->native, record->native)) {
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
  BackendDeleteContext(record->native);
  contexts.erase(std::find(contexts.begin(), contexts.end(), record));
  delete record;
  return TRUE;
}
