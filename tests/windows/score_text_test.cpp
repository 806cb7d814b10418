// The score line's number as the Windows build draws it, under Wine on a
// virtual display: a real WGL context, the real DrawFrame and PrintCentered
// with the C runtime the program ships with, and the characters read off the
// glyph lists the frame calls (the cases of tests/render/score_marks.cpp).
#include <gtest/gtest.h>

#include <cstdio>

#include "app/window.h"
#include "platform/win32.h"
#include "render/scene.h"
#include "score_marks.h"

namespace {

const char kClass[] = "QuellorScoreText";
HWND window = nullptr;
HGLRC context = nullptr;

LRESULT CALLBACK WindowProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(w, message, wParam, lParam);
}

class ScoreTextTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClass;
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    window = CreateWindowExA(0, kClass, "score text", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr, instance,
                             nullptr);
    ASSERT_NE(window, nullptr);
    deviceContext = GetDC(window);
    PIXELFORMATDESCRIPTOR request = {};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 24;
    request.cDepthBits = 16;
    int format = ChoosePixelFormat(deviceContext, &request);
    ASSERT_NE(format, 0);
    ASSERT_TRUE(SetPixelFormat(deviceContext, format, &request));
    context = wglCreateContext(deviceContext);
    ASSERT_NE(context, nullptr);
    ASSERT_TRUE(wglMakeCurrent(deviceContext, context));
    ResizeScene(640, 480);
    ASSERT_TRUE(InitScene());
  }
  static void TearDownTestSuite() {
    wglMakeCurrent(nullptr, nullptr);
    if (context) wglDeleteContext(context);
    if (deviceContext) ReleaseDC(window, deviceContext);
    if (window) DestroyWindow(window);
    UnregisterClassA(kClass, GetModuleHandleA(nullptr));
  }
};

TEST_F(ScoreTextTest, HalvesRoundUpAndTheRestToTheNearestWhole) { ExpectScoreCasesDrawn(); }

}  // namespace
