// A real OpenGL context on a hidden SDL window, for the font tests. The
// outline-font code only needs some context to be current and some device
// context handle to select a font into.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/win32.h"

struct GlContext {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;

  // False (with the reason in `error`) when no display can be opened.
  bool Open(int width, int height, std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      *error = std::string("SDL_InitSubSystem: ") + SDL_GetError();
      return false;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    window = SDL_CreateWindow("fonts", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                              SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window == nullptr) {
      *error = std::string("SDL_CreateWindow: ") + SDL_GetError();
      return false;
    }
    context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
      *error = std::string("SDL_GL_CreateContext: ") + SDL_GetError();
      return false;
    }
    return SDL_GL_MakeCurrent(window, context) == 0;
  }

  void MakeCurrent(bool current) { SDL_GL_MakeCurrent(window, current ? context : nullptr); }

  void Close() {
    if (context != nullptr) SDL_GL_DeleteContext(context);
    if (window != nullptr) SDL_DestroyWindow(window);
    context = nullptr;
    window = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
};

// The font the game asks for: "Verdana", bold, 12 pixels high.
inline HFONT CreateScoreFont() {
  return CreateFontA(-12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                     ANTIALIASED_QUALITY, FF_DONTCARE | DEFAULT_PITCH, "Verdana");
}
