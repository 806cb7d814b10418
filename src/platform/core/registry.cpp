// The live windows: handles, device contexts and native windows to records.
#include <algorithm>

#include "platform/core/core.h"

namespace {
std::vector<LayerWindow*> windows;
}  // namespace

HWND LayerWindowHandle(LayerWindow* window) { return window ? &window->windowCell : nullptr; }

HDC LayerWindowDC(LayerWindow* window) { return window ? &window->dcCell : nullptr; }

LayerWindow* LayerFindWindow(HWND handle) {
  if (!handle) return nullptr;
  for (LayerWindow* window : windows)
    if (&window->windowCell == handle) return window;
  return nullptr;
}

LayerWindow* LayerFindWindowByDC(HDC dc) {
  if (!dc) return nullptr;
  for (LayerWindow* window : windows)
    if (&window->dcCell == dc) return window;
  return nullptr;
}

LayerWindow* LayerFindWindowByNative(const NativeWindow* native) {
  if (!native) return nullptr;
  for (LayerWindow* window : windows)
    if (window->native == native) return window;
  return nullptr;
}

const std::vector<LayerWindow*>& LayerWindows() { return windows; }

void LayerAddWindow(LayerWindow* window) { windows.push_back(window); }

void LayerRemoveWindow(LayerWindow* window) {
  windows.erase(std::find(windows.begin(), windows.end(), window));
  delete window;
}

int LayerLiveWindowCount() { return int(windows.size()); }

bool LayerDrawableSize(HWND handle, int* width, int* height) {
  LayerWindow* window = LayerFindWindow(handle);
  if (!window || !window->native) return false;
  BackendDrawableSize(window->native, width, height);
  return true;
}
