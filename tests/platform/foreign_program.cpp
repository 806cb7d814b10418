// A small Win32 OpenGL program, written the way any Win32 programmer would
// write one and only against Win32, WGL and OpenGL names: it registers a
// class, makes a window with a double-buffered pixel format and a rendering
// context, turns a font into glyph lists, draws one frame with a quad and
// some text, reads it back, and releases everything. It builds unchanged
// against the platform seam and, on Linux, runs over the layer; its exit
// status tells whether the frame came out as drawn.
//
// (There is no DeleteObject in the seam, because the game never calls it:
// a font goes with the device context it was selected into.)
#include <GL/gl.h>
#include <stdio.h>
#include <string.h>

#include "platform/win32.h"

static const char* const className = "ForeignGL";
static bool closeRequested = false;

static LRESULT CALLBACK ForeignWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      closeRequested = true;
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      glViewport(0, 0, LOWORD(lParam), HIWORD(lParam));
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

static int Fail(const char* what) {
  fprintf(stderr, "foreign program: %s\n", what);
  return 1;
}

static void DrainMessages() {
  MSG msg;
  while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Counts lit pixels (any channel above half) in a rectangle of the back buffer.
static int LitPixels(int x, int y, int width, int height) {
  static unsigned char pixels[320 * 240 * 4];
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  int lit = 0;
  for (int i = 0; i < width * height; ++i)
    if (pixels[i * 4] > 128 || pixels[i * 4 + 1] > 128 || pixels[i * 4 + 2] > 128) ++lit;
  return lit;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  WNDCLASSA windowClass;
  memset(&windowClass, 0, sizeof(windowClass));
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = ForeignWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(NULL, IDI_WINLOGO);
  windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
  windowClass.lpszClassName = className;
  if (!RegisterClassA(&windowClass)) return Fail("RegisterClassA");

  RECT rect = {0, 0, 320, 240};
  AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW);
  HWND window = CreateWindowExA(WS_EX_APPWINDOW, className, "Foreign GL program",
                                WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, rect.right - rect.left,
                                rect.bottom - rect.top, NULL, NULL, instance, NULL);
  if (!window) return Fail("CreateWindowExA");
  HDC dc = GetDC(window);
  if (!dc) return Fail("GetDC");

  PIXELFORMATDESCRIPTOR format;
  memset(&format, 0, sizeof(format));
  format.nSize = sizeof(format);
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 24;
  format.cDepthBits = 24;
  format.iLayerType = PFD_MAIN_PLANE;
  int index = ChoosePixelFormat(dc, &format);
  if (!index || !SetPixelFormat(dc, index, &format)) return Fail("pixel format");
  HGLRC context = wglCreateContext(dc);
  if (!context || !wglMakeCurrent(dc, context)) return Fail("rendering context");
  ShowWindow(window, showCommand);
  SetForegroundWindow(window);
  SetFocus(window);
  DrainMessages();

  HFONT font = CreateFontA(-24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                           ANTIALIASED_QUALITY, FF_DONTCARE | DEFAULT_PITCH, "Arial");
  if (!font) return Fail("CreateFontA");
  HGDIOBJ previousFont = SelectObject(dc, font);
  GLYPHMETRICSFLOAT metrics[128];
  GLuint glyphBase = glGenLists(128);
  if (!wglUseFontOutlinesA(dc, 0, 128, glyphBase, 0.0f, 0.2f, WGL_FONT_POLYGONS, metrics))
    return Fail("wglUseFontOutlinesA");
  if (!(metrics['W'].gmfCellIncX > metrics['i'].gmfCellIncX && metrics['i'].gmfCellIncX > 0.0f))
    return Fail("glyph metrics");

  // One frame: a white square on the left, the word "OK" on the right.
  glViewport(0, 0, 320, 240);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, 320.0, 0.0, 240.0, -10.0, 10.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glBegin(GL_QUADS);
  glVertex2f(20.0f, 80.0f);
  glVertex2f(100.0f, 80.0f);
  glVertex2f(100.0f, 160.0f);
  glVertex2f(20.0f, 160.0f);
  glEnd();
  glTranslatef(160.0f, 100.0f, 0.0f);
  glScalef(60.0f, 60.0f, 1.0f);
  glPushAttrib(GL_LIST_BIT);
  glListBase(glyphBase);
  glCallLists(2, GL_UNSIGNED_BYTE, "OK");
  glPopAttrib();
  glFinish();

  int square = LitPixels(30, 90, 60, 60);
  int text = LitPixels(160, 100, 100, 40);
  int emptyTop = LitPixels(0, 200, 320, 40);
  SwapBuffers(dc);
  DrainMessages();
  printf("square %d of 3600 lit, text %d of 4000 lit, strip above %d lit\n", square, text, emptyTop);
  bool frameRight = square == 3600 && text > 400 && text < 3600 && emptyTop == 0;

  glDeleteLists(glyphBase, 128);
  SelectObject(dc, previousFont);
  if (!wglMakeCurrent(NULL, NULL)) return Fail("releasing the context");
  if (!wglDeleteContext(context)) return Fail("wglDeleteContext");
  if (!ReleaseDC(window, dc)) return Fail("ReleaseDC");
  if (!DestroyWindow(window)) return Fail("DestroyWindow");
  if (!UnregisterClassA(className, instance)) return Fail("UnregisterClassA");
  if (closeRequested) return Fail("closed before its time");
  return frameRight ? 0 : Fail("the frame is not as drawn");
}
