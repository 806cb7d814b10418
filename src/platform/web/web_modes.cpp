// The web backend's display modes: the page's game area in the browser's
// fullscreen.
//
// The desktop's mode is the screen's size. Any size can be had as a mode:
// the window's canvas keeps that many pixels, and the game area, in
// fullscreen, scales it to fill the screen with its aspect kept (black bars
// at the sides or above and below). The browser goes fullscreen only while
// the player has just pressed a key or clicked: a request without that (as
// right after the start-up question, whose answer does not count) is
// refused, and so is one in a page that may not go fullscreen at all. Once
// in fullscreen, Escape is kept for the program (the Keyboard Lock API,
// where the browser has it): holding it down leaves fullscreen as the
// browser's own way out. If the player leaves fullscreen that way, the
// window stays in the page at its pixel size.
#include <emscripten.h>

#include "platform/web/web_backend.h"

namespace {

const int kLargestSide = 16384;

// clang-format off
EM_JS(int, WebScreenSize, (int* width, int* height), {
  if (typeof screen === "undefined") return 0;
  HEAP32[width >> 2] = screen.width;
  HEAP32[height >> 2] = screen.height;
  return 1;
});

EM_JS(int, WebFullscreenPossible, (), {
  return typeof document !== "undefined" && (document.fullscreenEnabled || document.webkitFullscreenEnabled) ? 1 : 0;
});

// Asks for fullscreen; 0 when the browser is sure to refuse. The request
// completes after the program's next turns.
EM_JS(int, WebEnterFullscreen, (), {
  var web = Module["quellorWeb"];
  if (!web) return 0;
  if ((document.fullscreenElement || document.webkitFullscreenElement) === web.area) return 1;
  if (navigator.userActivation && !navigator.userActivation.isActive) return 0;
  var request = web.area.requestFullscreen || web.area.webkitRequestFullscreen;
  if (!request) return 0;
  var asked;
  try {
    asked = request.call(web.area, {navigationUI: "hide"});
  } catch (error) {
    return 0;
  }
  web.ourFullscreen = true;
  Promise.resolve(asked).then(function() {
    if (web.ourFullscreen && navigator.keyboard && navigator.keyboard.lock)
      navigator.keyboard.lock(["Escape"]).then(function() { web.escapeKept = web.ourFullscreen; }, function() {});
  }, function(error) {
    web.ourFullscreen = false;
    console.warn("Quellor: the browser refused fullscreen: " + error.message);
  });
  return 1;
});

EM_JS(void, WebLeaveFullscreen, (), {
  if (Module["quellorWeb"]) Module["quellorWeb"].leaveFullscreen();
});
// clang-format on

}  // namespace

bool BackendDesktopMode(NativeMode* mode) {
  int width = 0, height = 0;
  if (!WebScreenSize(&width, &height) || width <= 0 || height <= 0) return false;
  *mode = NativeMode{width, height, 0};
  return true;
}

bool BackendFindDisplayMode(int width, int height, NativeMode* found) {
  if (!WebFullscreenPossible() || width < 1 || height < 1 || width > kLargestSide || height > kLargestSide)
    return false;
  *found = NativeMode{width, height, 0};
  return true;
}

bool BackendEnterDisplayMode(const NativeMode&) { return WebEnterFullscreen() != 0; }

void BackendLeaveDisplayMode() { WebLeaveFullscreen(); }
