// USER32, device contexts: GetDC, ReleaseDC.
//
// Callers may rely on: every window has one device context for its whole
// life (as with CS_OWNDC); GetDC returns it, null for anything but a live
// window. ReleaseDC returns 1 for a window's own DC and 0 otherwise; what the
// font code keeps for the DC is let go.
#include "platform/core/core.h"

HDC WINAPI GetDC(HWND handle) {
  if (LayerShouldFail("GetDC")) return nullptr;
  return LayerWindowDC(LayerFindWindow(handle));
}

int WINAPI ReleaseDC(HWND handle, HDC dc) {
  if (LayerShouldFail("ReleaseDC")) return 0;
  LayerWindow* window = LayerFindWindow(handle);
  if (!window || LayerWindowDC(window) != dc) return 0;
  LayerFontsReleaseDC(dc);
  return 1;
}
