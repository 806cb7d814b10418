// USER32, the display: ChangeDisplaySettingsA and ShowCursor, and the
// display connection the windows and boxes need.
//
// Callers may rely on:
// - ChangeDisplaySettingsA(request, CDS_FULLSCREEN) succeeds only when the
//   display's own mode list holds the requested width x height exactly; a
//   WS_POPUP window made afterwards at 0,0 in that size covers the screen in
//   that exclusive mode. Displays may be unable to change their colour
//   depth, so the requested bits per pixel are not compared: a mode of the
//   right size at the display's own depth is accepted. A refresh rate, when
//   asked for, must match. Otherwise DISP_CHANGE_BADMODE and nothing
//   changes; CDS_TEST only checks. A listed mode the machine refuses at the
//   moment (a browser without the player's permission) is DISP_CHANGE_FAILED,
//   and nothing changes either. (null, 0) restores the desktop mode.
// - ShowCursor keeps the display counter: it starts at 0, the cursor is
//   hidden while it is negative, and each call returns the new count.
#include "platform/core/core.h"

namespace {
int cursorCounter = 0;
bool displayChanged = false;
NativeMode changedMode;  // the mode in force while displayChanged

bool ModeListed(int width, int height, NativeMode* found) {
  if (!layerHooks.displayModes) return BackendFindDisplayMode(width, height, found);
  for (const std::pair<int, int>& mode : *layerHooks.displayModes) {
    if (mode.first == width && mode.second == height) {
      *found = NativeMode{width, height, 0};
      return true;
    }
  }
  return false;
}
}  // namespace

bool LayerVideoReady() {
  if (layerHooks.noDisplay) return false;
  if (BackendVideoStarted()) return true;
  if (!BackendVideoStart()) return false;
  BackendShowCursor(cursorCounter >= 0);
  return true;
}

const NativeMode* LayerExclusiveMode(const LayerWindow* window, bool* real) {
  *real = !layerHooks.displayModes;
  bool covers = displayChanged && (window->style & WS_POPUP) && window->x == 0 && window->y == 0 &&
                window->clientWidth == changedMode.width && window->clientHeight == changedMode.height;
  return covers ? &changedMode : nullptr;
}

void LayerRestoreDesktopMode() {
  if (!displayChanged) return;
  displayChanged = false;
  for (LayerWindow* window : LayerWindows()) {
    if (!window->exclusiveFullscreen) continue;
    window->exclusiveFullscreen = false;
    if (window->native && !layerHooks.displayModes) BackendLeaveFullscreen(window->native);
  }
  if (!layerHooks.displayModes) BackendLeaveDisplayMode();
}

void LayerShutdown() {
  LayerRestoreDesktopMode();
  BackendShutdown();
}

bool LayerDisplayModeChanged() { return displayChanged; }

int LayerCursorCounter() { return cursorCounter; }

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
  if (LayerShouldFail("ChangeDisplaySettingsA")) return DISP_CHANGE_FAILED;
  if (!mode) {
    LayerRestoreDesktopMode();
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (!LayerVideoReady()) return DISP_CHANGE_FAILED;
  NativeMode desktop;
  if (!BackendDesktopMode(&desktop)) return DISP_CHANGE_FAILED;
  int width = (mode->dmFields & DM_PELSWIDTH) ? int(mode->dmPelsWidth) : desktop.width;
  int height = (mode->dmFields & DM_PELSHEIGHT) ? int(mode->dmPelsHeight) : desktop.height;
  NativeMode found;
  if (!ModeListed(width, height, &found)) return DISP_CHANGE_BADMODE;
  if ((mode->dmFields & DM_DISPLAYFREQUENCY) && mode->dmDisplayFrequency > 1 && found.refreshRate != 0 &&
      int(mode->dmDisplayFrequency) != found.refreshRate)
    return DISP_CHANGE_BADMODE;
  if (flags & CDS_TEST) return DISP_CHANGE_SUCCESSFUL;
  if (!layerHooks.displayModes && !BackendEnterDisplayMode(found)) return DISP_CHANGE_FAILED;
  displayChanged = true;
  changedMode = found;
  return DISP_CHANGE_SUCCESSFUL;
}

int WINAPI ShowCursor(BOOL show) {
  cursorCounter += show ? 1 : -1;
  if (BackendVideoStarted()) BackendShowCursor(cursorCounter >= 0);
  return cursorCounter;
}
