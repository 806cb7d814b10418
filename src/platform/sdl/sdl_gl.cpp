// The SDL backend's GL: surface attributes, contexts, buffer swaps.
#include <malloc.h>

#include <cerrno>
#include <cstdio>

#include "platform/sdl/sdl_backend.h"

namespace {

// What the backend last made current, so that a new context (which SDL
// makes current) leaves the current one as it was.
NativeWindow* currentWindow = nullptr;
NativeContext* currentContext = nullptr;

// Mesa's software renderer allocates and frees its working memory for every
// frame. Left to its defaults, glibc trims the freed top of the heap after
// each frame and the next frame faults it in again: about 4,000 page faults
// a frame with a long snake, a third of the frame's time. A high trim
// threshold keeps that memory in the process. The mmap threshold is left
// where it stands (setting the trim threshold fixes it there), so the few
// larger blocks are still mapped and unmapped whole; raised as well, they
// came into the heap among the rest and resident memory crept up for as
// long as the game ran.
void KeepFreedMemory() {
  static bool done = false;
  if (done) return;
  done = true;
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

}  // namespace

void SdlApplyFormat(const NativeFormat* format) {
  SDL_GL_ResetAttributes();
  if (!format) return;
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, format->redBits);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, format->greenBits);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, format->blueBits);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format->alphaBits);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format->depthBits);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format->stencilBits);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, format->doubleBuffer ? 1 : 0);
}

NativeContext* BackendCreateContext(NativeWindow* window, const NativeFormat* format) {
  SdlApplyFormat(format);
  KeepFreedMemory();
  unsigned long mark = X11ErrorMark();
  SDL_GLContext gl = SDL_GL_CreateContext(window->sdl);
  if (!gl) std::fprintf(stderr, "%s: no GL context: %s\n", program_invocation_short_name, SDL_GetError());
  if (currentWindow && currentContext)
    SDL_GL_MakeCurrent(currentWindow->sdl, currentContext->gl);
  else
    SDL_GL_MakeCurrent(nullptr, nullptr);
  if (X11ErrorsSince(mark, window->sdl, "making a GL context", true) && gl) {
    SDL_GL_DeleteContext(gl);
    gl = nullptr;
  }
  if (!gl) return nullptr;
  return new NativeContext{gl};
}

bool BackendMakeCurrent(NativeWindow* window, NativeContext* context) {
  unsigned long mark = X11ErrorMark();
  bool made = SDL_GL_MakeCurrent(window ? window->sdl : nullptr, context ? context->gl : nullptr) == 0;
  if (context && X11ErrorsSince(mark, window ? window->sdl : nullptr, "making a GL context current", true)) {
    if (made) SDL_GL_MakeCurrent(nullptr, nullptr);
    made = false;
  }
  currentWindow = made && context ? window : nullptr;
  currentContext = made && context ? context : nullptr;
  return made || !context;
}

void BackendDeleteContext(NativeContext* context) {
  if (currentContext == context) {
    currentContext = nullptr;
    currentWindow = nullptr;
  }
  SDL_GL_DeleteContext(context->gl);
  delete context;
}

bool BackendContextCurrent() { return SDL_GL_GetCurrentContext() != nullptr || X11ContextCurrent(); }

void BackendSwapBuffers(NativeWindow* window) {
  if (SDL_GL_GetCurrentWindow() == window->sdl) SDL_GL_SwapWindow(window->sdl);
}
