// Off-screen frames through the platform layer.
#include "offscreen.h"

#include <png.h>

#include <algorithm>
#include <cstdio>

#include "app/handles.h"
#include "game/keys.h"
#include "game/steering.h"
#include "platform/testing/requests.h"
#include "platform/win32.h"
#include "render/frame.h"

#include <GL/gl.h>

namespace {
const char kClassName[] = "QuellorFrames";

HWND frameWindow = nullptr;
HGLRC frameContext = nullptr;
bool classRegistered = false;

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

bool Fail(const char* step) {
  fprintf(stderr, "render-frames: %s failed\n", step);
  CloseFrameWindow();
  return false;
}

int ArrowKey(char code) {
  switch (code) {
    case 'U':
      return VK_UP;
    case 'D':
      return VK_DOWN;
    case 'L':
      return VK_LEFT;
    case 'R':
      return VK_RIGHT;
    default:
      return 0;
  }
}
}  // namespace

bool OpenFrameWindow(int width, int height) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = FrameWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return Fail("RegisterClassA");
  classRegistered = true;

  DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
  RECT rect = {0, 0, width, height};
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  frameWindow = CreateWindowExA(exStyle, kClassName, "Quellor frames", style, 0, 0, rect.right - rect.left,
                                rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
  if (frameWindow == nullptr) return Fail("CreateWindowExA");

  deviceContext = GetDC(frameWindow);
  if (deviceContext == nullptr) return Fail("GetDC");

  PIXELFORMATDESCRIPTOR request = WindowFormatRequest(24, 16);
  int format = ChoosePixelFormat(deviceContext, &request);
  if (format == 0) return Fail("ChoosePixelFormat");
  if (!SetPixelFormat(deviceContext, format, &request)) return Fail("SetPixelFormat");

  frameContext = wglCreateContext(deviceContext);
  if (frameContext == nullptr) return Fail("wglCreateContext");
  if (!wglMakeCurrent(deviceContext, frameContext)) return Fail("wglMakeCurrent");
  ShowWindow(frameWindow, SW_SHOW);
  return true;
}

void CloseFrameWindow() {
  if (frameContext != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(frameContext);
    frameContext = nullptr;
  }
  if (deviceContext != nullptr) {
    ReleaseDC(frameWindow, deviceContext);
    deviceContext = nullptr;
  }
  if (frameWindow != nullptr) {
    DestroyWindow(frameWindow);
    frameWindow = nullptr;
  }
  if (classRegistered) {
    UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
    classRegistered = false;
  }
}

FramePicture ReadFrame(int width, int height) {
  FramePicture picture;
  picture.width = width;
  picture.height = height;
  picture.rgb.resize(static_cast<size_t>(width) * height * 3);
  std::vector<unsigned char> rows(picture.rgb.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
  // OpenGL reads from the bottom row up; pictures run from the top down.
  size_t stride = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    const unsigned char* from = rows.data() + static_cast<size_t>(height - 1 - y) * stride;
    std::copy(from, from + stride, picture.rgb.begin() + static_cast<size_t>(y) * stride);
  }
  return picture;
}

void PixelAt(const FramePicture& picture, int x, int y, unsigned char rgb[3]) {
  size_t row = static_cast<size_t>(picture.height - 1 - y);
  const unsigned char* p = picture.rgb.data() + (row * picture.width + x) * 3;
  rgb[0] = p[0];
  rgb[1] = p[1];
  rgb[2] = p[2];
}

bool WritePng(const std::string& path, const FramePicture& picture) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) {
    perror(("render-frames: " + path).c_str());
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    fclose(file);
    fprintf(stderr, "render-frames: cannot encode %s\n", path.c_str());
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < picture.height; ++y) {
    png_write_row(png, picture.rgb.data() + static_cast<size_t>(y) * picture.width * 3);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (fclose(file) != 0) {
    perror(("render-frames: " + path).c_str());
    return false;
  }
  return true;
}

int FindScriptError(const std::string& script) {
  for (size_t i = 0; i < script.size(); ++i) {
    if (script[i] != '.' && ArrowKey(script[i]) == 0) return static_cast<int>(i);
  }
  return -1;
}

void PlayScript(const std::string& script, int frameCount, const std::function<void(int)>& onFrame) {
  for (int frame = 0; frame < frameCount; ++frame) {
    DrawFrame();
    onFrame(frame);
    int key = frame < static_cast<int>(script.size()) ? ArrowKey(script[frame]) : 0;
    keyDown[VK_UP] = key == VK_UP;
    keyDown[VK_DOWN] = key == VK_DOWN;
    keyDown[VK_LEFT] = key == VK_LEFT;
    keyDown[VK_RIGHT] = key == VK_RIGHT;
    ApplySteering();
  }
  keyDown[VK_UP] = keyDown[VK_DOWN] = keyDown[VK_LEFT] = keyDown[VK_RIGHT] = false;
}
