// The game window: class, display mode, window, pixel format and rendering
// context, their teardown, and the window procedure.
#include "app/window.h"

#include <cstring>

#include "game/keys.h"
#include "render/scene.h"

PIXELFORMATDESCRIPTOR pixelFormatRequest = {40,
                                            1,
                                            PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER,
                                            PFD_TYPE_RGBA,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0,
                                            0};
bool pixelFormatFilled = false;

namespace {

const char* const kClassName = "OpenGL";
// The display-mode request is the 148-byte form of the record on every
// platform (the Windows headers' DEVMODEA is longer).
const WORD kDisplayModeSize = 148;

void FillPixelFormatRequest(int bits) {
  pixelFormatRequest.cColorBits = BYTE(bits);
  pixelFormatRequest.cRedBits = 0;
  pixelFormatRequest.cRedShift = 0;
  pixelFormatRequest.cGreenBits = 0;
  pixelFormatRequest.cGreenShift = 0;
  pixelFormatRequest.cBlueBits = 0;
  pixelFormatRequest.cBlueShift = 0;
  pixelFormatRequest.cAlphaBits = 0;
  pixelFormatRequest.cAlphaShift = 0;
  pixelFormatRequest.cAccumBits = 0;
  pixelFormatRequest.cAccumRedBits = 0;
  pixelFormatRequest.cAccumGreenBits = 0;
  pixelFormatRequest.cAccumBlueBits = 0;
  pixelFormatRequest.cAccumAlphaBits = 0;
  pixelFormatRequest.cDepthBits = 16;
  pixelFormatRequest.cStencilBits = 0;
  pixelFormatRequest.cAuxBuffers = 0;
  pixelFormatRequest.iLayerType = PFD_MAIN_PLANE;
  pixelFormatRequest.bReserved = 0;
  pixelFormatRequest.dwLayerMask = 0;
  pixelFormatRequest.dwVisibleMask = 0;
  pixelFormatRequest.dwDamageMask = 0;
}

// A set-up step failed after the window was asked for: tear down what was
// built, then tell the user.
bool FailOpening(const char* text) {
  CloseMainWindow();
  MessageBoxA(nullptr, text, "ERROR", MB_OK | MB_ICONWARNING);
  return false;
}

void ReportShutdownError(const char* text) { MessageBoxA(nullptr, text, "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION); }

}  // namespace

bool OpenMainWindow(const char* title, int width, int height, int bits, bool fullscreenRequested) {
  RECT windowRect;
  windowRect.left = 0;
  windowRect.top = 0;
  windowRect.right = width;
  windowRect.bottom = height;
  fullscreen = fullscreenRequested;

  appInstance = GetModuleHandleA(nullptr);

  WNDCLASSA windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = appInstance;
  windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = nullptr;
  windowClass.lpszMenuName = nullptr;
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) {
    MessageBoxA(nullptr, "Failed To Register The Window Class.", "ERROR", MB_OK | MB_ICONWARNING);
    return false;
  }

  if (fullscreen) {
    DEVMODEA displayMode;
    std::memset(&displayMode, 0, sizeof displayMode);
    displayMode.dmSize = kDisplayModeSize;
    displayMode.dmPelsWidth = DWORD(width);
    displayMode.dmPelsHeight = DWORD(height);
    displayMode.dmBitsPerPel = DWORD(bits);
    displayMode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    if (ChangeDisplaySettingsA(&displayMode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) {
      if (MessageBoxA(nullptr,
                      "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?",
                      "Orvo GL", MB_YESNO | MB_ICONWARNING) == IDYES) {
        fullscreen = false;
      } else {
        MessageBoxA(nullptr, "Program Will Now Close.", "ERROR", MB_OK | MB_ICONERROR);
        return false;
      }
    }
  }

  DWORD exStyle;
  DWORD style;
  if (fullscreen) {
    exStyle = WS_EX_APPWINDOW;
    style = WS_POPUP;
    ShowCursor(FALSE);
  } else {
    exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    style = WS_OVERLAPPEDWINDOW;
  }

  AdjustWindowRectEx(&windowRect, style, FALSE, exStyle);

  mainWindow = CreateWindowExA(exStyle, kClassName, title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                               windowRect.right - windowRect.left, windowRect.bottom - windowRect.top, nullptr, nullptr,
                               appInstance, nullptr);
  if (!mainWindow) return FailOpening("Window Creation Error.");

  if (!pixelFormatFilled) {
    pixelFormatFilled = true;
    FillPixelFormatRequest(bits);
  }

  deviceContext = GetDC(mainWindow);
  if (!deviceContext) return FailOpening("Can't Create A GL Device Context.");

  int format = ChoosePixelFormat(deviceContext, &pixelFormatRequest);
  if (!format) return FailOpening("Can't Find A Suitable PixelFormat.");

  if (!SetPixelFormat(deviceContext, format, &pixelFormatRequest)) return FailOpening("Can't Set The PixelFormat.");

  renderContext = wglCreateContext(deviceContext);
  if (!renderContext) return FailOpening("Can't Create A GL Rendering Context.");

  if (!wglMakeCurrent(deviceContext, renderContext)) return FailOpening("Can't Activate The GL Rendering Context.");

  ShowWindow(mainWindow, SW_SHOW);
  SetForegroundWindow(mainWindow);
  SetFocus(mainWindow);

  ResizeScene(width, height);
  if (!InitScene()) return FailOpening("Initialization Failed.");
  return true;
}

void CloseMainWindow() {
  if (fullscreen) {
    ChangeDisplaySettingsA(nullptr, 0);
    ShowCursor(TRUE);
  }

  if (renderContext) {
    if (!wglMakeCurrent(nullptr, nullptr)) ReportShutdownError("Release Of DC And RC Failed.");
    if (!wglDeleteContext(renderContext)) ReportShutdownError("Release Rendering Context Failed.");
    renderContext = nullptr;
  }

  if (deviceContext) {
    if (!ReleaseDC(mainWindow, deviceContext)) ReportShutdownError("Release Device Context Failed.");
    deviceContext = nullptr;
  }

  if (mainWindow) {
    if (!DestroyWindow(mainWindow)) ReportShutdownError("Could Not Release hWnd.");
    mainWindow = nullptr;
  }

  if (!UnregisterClassA(kClassName, appInstance)) ReportShutdownError("Could Not Unregister Class.");
  appInstance = nullptr;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      // The high word is non-zero while the window is minimised; losing the
      // focus to another application leaves the game running.
      appActive = HIWORD(wParam) == 0;
      return 0;
    case WM_SYSCOMMAND:
      // Keep the screen saver and the display's power-down from starting.
      if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
      break;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      // Only codes that fit the key table are recorded.
      if (wParam < 256) keyDown[wParam] = true;
      return 0;
    case WM_KEYUP:
      if (wParam < 256) keyDown[wParam] = false;
      return 0;
    case WM_SIZE:
      ResizeScene(LOWORD(lParam), HIWORD(lParam));
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
