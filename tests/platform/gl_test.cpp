// Pixel formats and rendering contexts: what ChoosePixelFormat accepts,
// SetPixelFormat once per window, the buffers the context really gets, and
// which context is current after each WGL call.
#include <GL/gl.h>

#include "layer_fixture.h"
#include "screen_pixel.h"

namespace layer_test {
namespace {

class GLTest : public LayerTest {
 protected:
  void SetUp() override {
    LayerTest::SetUp();
    ASSERT_TRUE(Register());
  }

  HDC NewDC() {
    HWND window = MakeWindow();
    return window ? GetDC(window) : nullptr;
  }
};

TEST_F(GLTest, ChoosePixelFormatRefusesWhatNoFormatServes) {
  HDC dc = NewDC();
  ASSERT_NE(dc, nullptr);
  struct Case {
    const char* name;
    DWORD flags;
    BYTE pixelType;
    bool found;
  } cases[] = {
      {"the game's request", PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA, true},
      {"single buffered", PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL, PFD_TYPE_RGBA, true},
      {"colour index", PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, PFD_TYPE_COLORINDEX, false},
      {"no OpenGL", PFD_DRAW_TO_WINDOW | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA, false},
      {"stereo", PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | 0x2, PFD_TYPE_RGBA, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PIXELFORMATDESCRIPTOR request = GameFormatRequest();
    request.dwFlags = c.flags;
    request.iPixelType = c.pixelType;
    EXPECT_EQ(ChoosePixelFormat(dc, &request) != 0, c.found);
  }
  PIXELFORMATDESCRIPTOR request = GameFormatRequest();
  EXPECT_EQ(ChoosePixelFormat(nullptr, &request), 0) << "no device context";
  EXPECT_EQ(ChoosePixelFormat(dc, nullptr), 0);
  PIXELFORMATDESCRIPTOR single = request;
  single.dwFlags &= ~DWORD(PFD_DOUBLEBUFFER);
  EXPECT_NE(ChoosePixelFormat(dc, &single), ChoosePixelFormat(dc, &request)) << "buffering is kept apart";
}

// The context has the buffers asked for: double buffering and a depth
// buffer at least as deep as the request, whatever the display offers.
TEST_F(GLTest, ContextHasTheRequestedBuffers) {
  struct Case {
    const char* name;
    bool doubleBuffer;
    BYTE depthBits;
  } cases[] = {{"game: double, depth 16", true, 16}, {"double, depth 24", true, 24}, {"single, depth 16", false, 16}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    HDC dc = GetDC(window);
    PIXELFORMATDESCRIPTOR request = GameFormatRequest();
    if (!c.doubleBuffer) request.dwFlags &= ~DWORD(PFD_DOUBLEBUFFER);
    request.cDepthBits = c.depthBits;
    int format = ChoosePixelFormat(dc, &request);
    ASSERT_NE(format, 0);
    ASSERT_TRUE(SetPixelFormat(dc, format, &request));
    HGLRC context = wglCreateContext(dc);
    ASSERT_NE(context, nullptr);
    contexts.push_back(context);
    ASSERT_TRUE(wglMakeCurrent(dc, context));
    GLint depthBits = 0, redBits = 0;
    GLboolean doubleBuffer = GL_FALSE;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_RED_BITS, &redBits);
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffer);
    EXPECT_GE(depthBits, c.depthBits);
    EXPECT_GE(redBits, 5);
    EXPECT_EQ(doubleBuffer == GL_TRUE, c.doubleBuffer);
    wglMakeCurrent(nullptr, nullptr);
  }
}

TEST_F(GLTest, PixelFormatIsSetOncePerWindow) {
  HDC dc = NewDC();
  PIXELFORMATDESCRIPTOR request = GameFormatRequest();
  int format = ChoosePixelFormat(dc, &request);
  ASSERT_NE(format, 0);
  EXPECT_EQ(wglCreateContext(dc), nullptr) << "no pixel format yet";
  EXPECT_FALSE(SetPixelFormat(dc, 0, &request)) << "no format 0";
  EXPECT_FALSE(SetPixelFormat(dc, 1000, &request));
  EXPECT_FALSE(SetPixelFormat(nullptr, format, &request));
  EXPECT_TRUE(SetPixelFormat(dc, format, &request));
  EXPECT_FALSE(SetPixelFormat(dc, format, &request)) << "once per window";
}

TEST_F(GLTest, CreatingAContextLeavesTheCurrentOneCurrent) {
  HWND first;
  HDC firstDC;
  HGLRC firstContext;
  ASSERT_TRUE(MakeGLWindow(&first, &firstDC, &firstContext));
  glClearColor(0.25f, 0.5f, 0.75f, 1.0f);

  HDC secondDC = NewDC();
  PIXELFORMATDESCRIPTOR request = GameFormatRequest();
  ASSERT_TRUE(SetPixelFormat(secondDC, ChoosePixelFormat(secondDC, &request), &request));
  HGLRC second = wglCreateContext(secondDC);
  ASSERT_NE(second, nullptr);
  contexts.push_back(second);
  GLfloat clear[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[1], 0.5f) << "the first context is still current";

  ASSERT_TRUE(wglMakeCurrent(secondDC, second));
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[1], 0.0f) << "a new context has its own state";
  EXPECT_TRUE(DriveSnapshot().contextCurrent);
}

TEST_F(GLTest, MakeCurrentAndDeleteCheckTheirHandles) {
  HWND window;
  HDC dc;
  HGLRC context;
  ASSERT_TRUE(MakeGLWindow(&window, &dc, &context));
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_FALSE(DriveSnapshot().contextCurrent);
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr)) << "releasing nothing is fine";
  EXPECT_FALSE(wglMakeCurrent(dc, HGLRC(dc))) << "not a context";
  EXPECT_FALSE(wglMakeCurrent(nullptr, context)) << "no device context";
  HDC formatless = NewDC();
  EXPECT_FALSE(wglMakeCurrent(formatless, context)) << "a DC without the context's format";

  ASSERT_TRUE(wglMakeCurrent(dc, context));
  EXPECT_TRUE(wglDeleteContext(context)) << "a current context can be deleted";
  ForgetContext(context);
  EXPECT_FALSE(DriveSnapshot().contextCurrent) << "and is no longer current";
  EXPECT_FALSE(wglDeleteContext(context)) << "already deleted";
  EXPECT_FALSE(wglMakeCurrent(dc, context));
  EXPECT_FALSE(wglDeleteContext(nullptr));
}

TEST_F(GLTest, DestroyingTheWindowReleasesItsCurrentContext) {
  HWND window;
  HDC dc;
  HGLRC context;
  ASSERT_TRUE(MakeGLWindow(&window, &dc, &context));
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_FALSE(DriveSnapshot().contextCurrent);
  EXPECT_TRUE(wglDeleteContext(context)) << "the context outlives its window";
  ForgetContext(context);
}

TEST_F(GLTest, AFrameIsDrawnSwappedAndReadBack) {
  HWND window;
  HDC dc;
  HGLRC context;
  ASSERT_TRUE(MakeGLWindow(&window, &dc, &context));
  ShowWindow(window, SW_SHOW);
  Pump();
  glViewport(0, 0, 640, 480);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glBegin(GL_QUADS);
  glVertex2f(-0.5f, -0.5f);
  glVertex2f(0.5f, -0.5f);
  glVertex2f(0.5f, 0.5f);
  glVertex2f(-0.5f, 0.5f);
  glEnd();
  glFinish();
  GLubyte centre[4] = {}, corner[4] = {};
  glReadBuffer(GL_BACK);
  glReadPixels(320, 240, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, centre);
  glReadPixels(5, 5, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, corner);
  EXPECT_EQ(centre[0], 255);
  EXPECT_EQ(corner[0], 0);
  EXPECT_EQ(ScreenPixel(320, 240), 0u) << "nothing shown before the swap";
  EXPECT_TRUE(SwapBuffers(dc));
  glFinish();
  EXPECT_EQ(ScreenPixel(320, 240), 0xFFFFFFu) << "the swap shows the frame on the screen";
  EXPECT_EQ(ScreenPixel(5, 5), 0u);
  EXPECT_FALSE(SwapBuffers(nullptr));
  EXPECT_FALSE(SwapBuffers(NewDC())) << "no pixel format";
}

}  // namespace
}  // namespace layer_test
