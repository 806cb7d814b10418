// What user32.cpp, gdi32.cpp and opengl32.cpp share about windows, device
// contexts and rendering contexts, and the hooks through which the scripted
// test driver watches and steers them. Every hook is off in the shipped game.
#pragma once

#include <SDL2/SDL.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32.h"

// One live window. The window handle and its one device context are the
// addresses of the two cells inside the record.
struct LayerWindow {
  HWND__ windowCell;
  HDC__ dcCell;
  SDL_Window* native = nullptr;  // hidden until ShowWindow
  std::string className;
  std::string title;
  WNDPROC procedure = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0;                    // client origin on the screen
  int clientWidth = 0, clientHeight = 0;
  bool exclusiveFullscreen = false;    // covers the screen in a changed display mode
  int pixelFormat = 0;                 // 0 until SetPixelFormat
  int nativeFormat = 0;                // the format the native window was made for (0: defaults)
  bool visible = false;
  bool sized = false;                  // WM_SIZE/WM_MOVE have been sent once
  bool active = false;
  bool minimised = false;
  bool destroying = false;
};

HWND LayerWindowHandle(LayerWindow* window);
HDC LayerWindowDC(LayerWindow* window);
LayerWindow* LayerFindWindow(HWND handle);   // null for anything not live
LayerWindow* LayerFindWindowByDC(HDC dc);
LayerWindow* LayerFindWindowByNative(uint32_t sdlWindowId);
// The window the keyboard goes to: the focus window, else the first live one.
LayerWindow* LayerInputWindow();

// SDL video on a real display (X11, then Wayland), started on first need.
// False when there is no display.
bool LayerVideoReady();
// True once SDL video has started (nothing is started by asking).
bool LayerVideoStarted();

// Re-creates the still-hidden native window with the GL attributes of the
// window's pixel format, when they differ from those it was made with.
bool LayerRealiseFormat(LayerWindow* window);
// Sets SDL's GL attributes for one of the layer's pixel formats (0: SDL's defaults).
void LayerApplyFormatAttributes(int format);

// The current rendering context (opengl32.cpp); windows being destroyed
// drop it when it draws into them.
HGLRC LayerCurrentContext();
void LayerWindowGoing(LayerWindow* window);

// What the driver's snapshot reads.
bool LayerDisplayModeChanged();
int LayerCursorCounter();
int LayerLiveWindowCount();
int LayerRegisteredClassCount();

// Hooks for the scripted test driver; all off in the game.
struct LayerHooks {
  bool noDisplay = false;  // behave as if no display could be opened
  // In place of the display's own mode list; the popup window made after an
  // accepted change is then a borderless window of the mode's size at 0,0.
  const std::vector<std::pair<int, int>>* displayModes = nullptr;
  // Answers a message box instead of showing it.
  int (*answerBox)(const char* text, const char* caption, UINT style) = nullptr;
  // Told of every box, with its answer, shown or answered.
  void (*boxShown)(const char* text, const char* caption, UINT style, int answer) = nullptr;
  // Told of every message a window procedure receives, and the call it came from.
  void (*delivered)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const char* during) = nullptr;
  // Called at the start of every PeekMessageA.
  void (*peek)() = nullptr;
};
extern LayerHooks layerHooks;

// The SDL keycode and scancode of a Win32 virtual-key code (for injected
// keys); false for codes the layer does not map.
bool LayerKeyForVirtualKey(int virtualKey, SDL_Keycode* keycode, SDL_Scancode* scancode);
// The Win32 virtual-key code of an SDL key (0: none).
int LayerVirtualKeyOf(SDL_Keycode keycode, SDL_Scancode scancode);

// Restores the display mode and closes SDL at the end of the process.
void LayerShutdown();
