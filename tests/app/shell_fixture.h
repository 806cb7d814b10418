// Shared set-up of the shell tests: the driver and the shell's process-wide
// state back to program start, and readable comparisons of layer states.
#pragma once

#include <algorithm>
#include <ostream>

#include <gtest/gtest.h>

#include "app/window.h"
#include "game/keys.h"
#include "platform/testing/driver.h"

inline const char* const kTitle = "Quellor, coded by r0vane";

inline std::ostream& operator<<(std::ostream& out, const LayerSnapshot& s) {
  return out << "{mode changed " << s.displayModeChanged << ", cursor " << s.cursorCounter << ", windows "
             << s.liveWindows << ", classes " << s.registeredClasses << ", current " << s.contextCurrent << "}";
}

inline bool operator==(const LayerSnapshot& a, const LayerSnapshot& b) {
  return a.displayModeChanged == b.displayModeChanged && a.cursorCounter == b.cursorCounter &&
         a.liveWindows == b.liveWindows && a.registeredClasses == b.registeredClasses &&
         a.contextCurrent == b.contextCurrent;
}

// The layer's state with the window set closed, the cursor counter taken
// from `base` (the counter is the layer's own and need not start at 0).
inline LayerSnapshot ClosedState(const LayerSnapshot& base) { return {false, base.cursorCounter, 0, 0, false}; }

inline void ResetShell() {
  DriveReset();
  appInstance = nullptr;
  mainWindow = nullptr;
  deviceContext = nullptr;
  renderContext = nullptr;
  fullscreen = true;
  appActive = true;
  std::fill(keyDown, keyDown + 256, false);
  // The pixel-format request as at program start, not yet filled.
  pixelFormatRequest = PIXELFORMATDESCRIPTOR{};
  pixelFormatRequest.nSize = 40;
  pixelFormatRequest.nVersion = 1;
  pixelFormatRequest.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pixelFormatRequest.iPixelType = PFD_TYPE_RGBA;
  pixelFormatFilled = false;
}

inline void ExpectHandlesNull() {
  EXPECT_EQ(appInstance, nullptr);
  EXPECT_EQ(mainWindow, nullptr);
  EXPECT_EQ(deviceContext, nullptr);
  EXPECT_EQ(renderContext, nullptr);
}
