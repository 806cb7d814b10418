// What the layer's tests share: a window procedure that records what it is
// sent, a window made the way the game makes one, and a message pump.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/driver.h"
#include "platform/testing/requests.h"
#include "platform/win32.h"

namespace layer_test {

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Everything the test procedure was sent, and how it answers.
inline std::vector<Received>& ReceivedMessages() {
  static std::vector<Received> received;
  return received;
}
inline LRESULT& CreateAnswer() {  // what WM_CREATE returns
  static LRESULT answer = 0;
  return answer;
}

inline LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ReceivedMessages().push_back(Received{message, wParam, lParam});
  if (message == WM_CREATE) return CreateAnswer();
  return DefWindowProcA(window, message, wParam, lParam);
}

const char* const kClassName = "LayerTest";

inline PIXELFORMATDESCRIPTOR GameFormatRequest() { return WindowFormatRequest(16, 16); }

// Classes and windows made by a test, released whatever the test did.
class LayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DriveReset();
    ReceivedMessages().clear();
    CreateAnswer() = 0;
  }

  void TearDown() override {
    DriveClearFaults();
    ChangeDisplaySettingsA(nullptr, 0);
    wglMakeCurrent(nullptr, nullptr);
    for (HGLRC context : contexts) wglDeleteContext(context);
    for (HWND window : windows) DestroyWindow(window);
    UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
    Pump();
    DriveReset();
  }

  bool Register(WNDPROC procedure = RecordingProc) {
    WNDCLASSA record = {};
    record.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    record.lpfnWndProc = procedure;
    record.hInstance = GetModuleHandleA(nullptr);
    record.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    record.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    record.lpszClassName = kClassName;
    return RegisterClassA(&record) != 0;
  }

  // A window whose client area is width x height, as the game makes it.
  HWND MakeWindow(DWORD style = WS_OVERLAPPEDWINDOW, int width = 640, int height = 480) {
    DWORD exStyle = (style & WS_POPUP) ? WS_EX_APPWINDOW : WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    HWND window = CreateWindowExA(exStyle, kClassName, "Layer test", style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                  rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window) windows.push_back(window);
    return window;
  }

  // The test class registered and a window of it made and shown; null if
  // any of that failed.
  HWND MakeShownWindow() {
    if (!Register()) return nullptr;
    HWND window = MakeWindow();
    if (window) ShowWindow(window, SW_SHOW);
    return window;
  }

  // Window, pixel format and a current context; false if any step fails.
  bool MakeGLWindow(HWND* window, HDC* dc, HGLRC* context, DWORD style = WS_OVERLAPPEDWINDOW) {
    *window = MakeWindow(style);
    if (!*window) return false;
    *dc = GetDC(*window);
    PIXELFORMATDESCRIPTOR request = GameFormatRequest();
    int format = ChoosePixelFormat(*dc, &request);
    if (!format || !SetPixelFormat(*dc, format, &request)) return false;
    *context = wglCreateContext(*dc);
    if (!*context) return false;
    contexts.push_back(*context);
    return wglMakeCurrent(*dc, *context) == TRUE;
  }

  void Forget(HWND window) {
    for (auto it = windows.begin(); it != windows.end(); ++it)
      if (*it == window) {
        windows.erase(it);
        return;
      }
  }

  void ForgetContext(HGLRC context) {
    for (auto it = contexts.begin(); it != contexts.end(); ++it)
      if (*it == context) {
        contexts.erase(it);
        return;
      }
  }

  // Takes every waiting message, dispatching all but WM_QUIT; returns them.
  static std::vector<MSG> Pump() {
    std::vector<MSG> taken;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      taken.push_back(msg);
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    return taken;
  }

  // The messages delivered since `from`, as (message, during) pairs.
  static std::vector<std::pair<UINT, std::string>> DeliveredSince(size_t from) {
    std::vector<std::pair<UINT, std::string>> result;
    const std::vector<DeliveredMessage>& log = DriveDeliveredMessages();
    for (size_t i = from; i < log.size(); ++i) result.push_back({log[i].message, log[i].during});
    return result;
  }

  std::vector<HWND> windows;
  std::vector<HGLRC> contexts;
};

}  // namespace layer_test
