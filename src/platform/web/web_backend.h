// What the web backend's files share. Its machine is the page the program
// runs in: a canvas element for each window inside the page's game area
// (the element with id "game", else the body), the page's keyboard and
// visibility, the Fullscreen API, the browser's dialogs, and the browser's
// event loop, which draws the page and delivers input only between the
// program's turns (web_time.cpp). JavaScript is reached through
// emscripten's EM_JS functions; its state lives in one object,
// Module.quellorWeb, made when video starts.
#pragma once

#include <emscripten/html5.h>

#include "gl_lists.h"
#include "platform/core/backend.h"

struct NativeWindow {
  int number;                             // its canvas is the element with id "quellor-window-<number>"
  int width, height;                      // the canvas's pixels
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE webgl;  // the canvas's one WebGL context, 0 until a GL context is made
};

struct NativeContext {
  NativeWindow* window;  // a WebGL context draws into its own canvas only
  GlSink* sink;
  GlListContext* lists;
};

// web_video.cpp: the window whose canvas has this number; null for none.
NativeWindow* WebFindWindow(int number);
// The canvas of a window made anew (a WebGL context fixes a canvas's buffers).
void WebReplaceCanvas(NativeWindow* window);

// web_keys.cpp: the Win32 virtual-key code and PC scan code of a key by its
// KeyboardEvent.code; false for keys Win32 has no code for.
bool WebVirtualKeyOf(const char* code, int* virtualKey, int* scanCode, bool* extended);
// The KeyboardEvent.code of a virtual-key code (the left one of a pair); null if none.
const char* WebCodeOfVirtualKey(int virtualKey);

// web_gl.cpp: a window goes, and its canvas's WebGL context with it: the GL
// contexts made for it draw nothing more.
void WebForgetWindowContexts(NativeWindow* window);
