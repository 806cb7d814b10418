// Makes and releases the game's whole window set again and again: class,
// window, pixel format, rendering context, a font turned into glyph lists,
// one drawn and swapped frame, then everything released in the game's order.
// Run under LeakSanitizer (an -fsanitize=address build) it shows that
// nothing is left behind; in the plain build it checks that every cycle
// still works and that the font code holds nothing afterwards.
//   leak_cycles [cycles]   (100 by default)
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "platform/core/hooks.h"
#include "platform/testing/requests.h"
#include "platform/win32.h"

namespace {

LRESULT CALLBACK CycleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

bool Cycle() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA record = {};
  record.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  record.lpfnWndProc = CycleProc;
  record.hInstance = instance;
  record.lpszClassName = "OpenGL";
  if (!RegisterClassA(&record)) return false;
  RECT rect = {0, 0, 640, 480};
  AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE);
  HWND window = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, "OpenGL", "cycle",
                                WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, rect.right - rect.left,
                                rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
  if (!window) return false;
  HDC dc = GetDC(window);
  PIXELFORMATDESCRIPTOR request = WindowFormatRequest();
  if (!SetPixelFormat(dc, ChoosePixelFormat(dc, &request), &request)) return false;
  HGLRC context = wglCreateContext(dc);
  if (!context || !wglMakeCurrent(dc, context)) return false;
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(window);

  HFONT font = CreateFontA(-12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                           ANTIALIASED_QUALITY, FF_DONTCARE | DEFAULT_PITCH, "Verdana");
  SelectObject(dc, font);
  GLYPHMETRICSFLOAT metrics[96];
  GLuint base = glGenLists(96);
  bool glyphs = wglUseFontOutlinesA(dc, 32, 96, base, 0.0f, 0.2f, WGL_FONT_POLYGONS, metrics) == TRUE;

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glTranslatef(-0.5f, 0.0f, 0.0f);
  glScalef(0.2f, 0.2f, 0.2f);
  glListBase(base - 32);
  glCallLists(6, GL_UNSIGNED_BYTE, "SCORE:");
  SwapBuffers(dc);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }

  bool released = wglMakeCurrent(nullptr, nullptr) && wglDeleteContext(context) && ReleaseDC(window, dc) &&
                  DestroyWindow(window) && UnregisterClassA("OpenGL", instance);
  return glyphs && released;
}

}  // namespace

int main(int argc, char** argv) {
  int cycles = argc > 1 ? std::atoi(argv[1]) : 100;
  for (int i = 0; i < cycles; ++i) {
    if (!Cycle()) {
      std::fprintf(stderr, "cycle %d failed\n", i);
      return 1;
    }
  }
  // SDL is left running: closing it unloads Mesa's driver, whose
  // process-wide state LeakSanitizer then no longer sees and would report.
  int fonts = LayerFontsLive();
  std::printf("%d cycles, %d font records left\n", cycles, fonts);
  return fonts == 0 ? 0 : 1;
}
