// The web backend's display and windows: the page's game area and a canvas
// for every window, and the cursor.
//
// Video starts where there is a page (a document); it finds the game area
// (the element with id "game", else the body), gives it the style the
// windows need, and starts listening to the keyboard, the page's
// visibility and its focus (web_events.cpp takes what they report). A
// window is a hidden canvas of its client size in the game area, shown as
// the page's one picture of the program: a plain window at its size in CSS
// pixels, a window in a display mode scaled to fill the screen with its
// aspect kept (the game area in fullscreen, web_modes.cpp). The shown
// window's title is the page's title, and the shown canvas has the
// keyboard focus. At the end every listener goes, and the page's title,
// cursor and fullscreen state are as they were.
#include <emscripten.h>

#include <algorithm>
#include <vector>

#include "platform/web/web_backend.h"

namespace {

bool videoStarted = false;
int nextWindowNumber = 1;
std::vector<NativeWindow*> windows;

// clang-format off
EM_JS(int, WebStartPage, (), {
  if (typeof document === "undefined") return 0;
  var web = Module["quellorWeb"] = {
    area: document.getElementById("game") || document.body,
    events: [],
    shown: 0,
    title: document.title,
    listeners: [],
    swaps: [],
    ourFullscreen: false,
    escapeKept: false,  // the keyboard is locked for Escape in fullscreen
  };
  var style = document.createElement("style");
  style.textContent =
    ".quellor-area { background: #000; }\n" +
    ".quellor-window { display: block; outline: none; background: #000; }\n" +
    ".quellor-window[hidden] { display: none; }\n" +
    ".quellor-area:fullscreen { display: flex; align-items: center; justify-content: center;" +
    " width: 100vw; height: 100vh; }\n" +
    ".quellor-area:fullscreen > .quellor-window { width: 100%; height: 100%; object-fit: contain; }\n" +
    ".quellor-cursorless, .quellor-cursorless * { cursor: none; }\n";
  document.head.appendChild(style);
  web.area.classList.add("quellor-area");
  // Keys that would scroll the page or open help belong to the game.
  var taken = ["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "F1", "Space", "PageUp", "PageDown", "Home", "End"];
  function Key(event) {
    if (event.isComposing) return;
    web.events.push([1, web.shown, event.type === "keydown" ? 1 : 0, event.repeat ? 1 : 0, event.altKey ? 1 : 0,
                     event.ctrlKey ? 1 : 0, event.code || ""]);
    if (taken.indexOf(event.code) >= 0) event.preventDefault();
  }
  function Listen(target, type, listener) {
    target.addEventListener(type, listener, true);
    web.listeners.push([target, type, listener]);
  }
  Listen(window, "keydown", Key);
  Listen(window, "keyup", Key);
  Listen(document, "visibilitychange", function() { web.events.push([document.hidden ? 3 : 4, web.shown]); });
  Listen(window, "blur", function(event) { if (event.target === window) web.events.push([6, web.shown]); });
  Listen(window, "focus", function(event) { if (event.target === window) web.events.push([5, web.shown]); });
  // Out of the fullscreen the program asked for (web_modes.cpp), with the
  // keyboard free again.
  web.leaveFullscreen = function() {
    if (!web.ourFullscreen) return;
    web.ourFullscreen = false;
    web.escapeKept = false;
    if (navigator.keyboard && navigator.keyboard.unlock) navigator.keyboard.unlock();
    if ((document.fullscreenElement || document.webkitFullscreenElement) !== web.area) return;
    var leave = document.exitFullscreen || document.webkitExitFullscreen;
    Promise.resolve(leave.call(document)).catch(function() {});
  };
  // The end, however the program ended (the page calls it too): the
  // listeners go, and fullscreen, the keyboard, the cursor and the title
  // are the page's again.
  web.end = function() {
    web.listeners.forEach(function(entry) { entry[0].removeEventListener(entry[1], entry[2], true); });
    web.listeners = [];
    web.events = [];
    web.leaveFullscreen();
    web.area.classList.remove("quellor-cursorless");
    document.title = web.title;
  };
  return 1;
});

EM_JS(void, WebEndPage, (), { Module["quellorWeb"].end(); });

EM_JS(void, WebMakeCanvas, (int number, int width, int height, const char* title), {
  var web = Module["quellorWeb"];
  var canvas = document.createElement("canvas");
  canvas.id = "quellor-window-" + number;
  canvas.className = "quellor-window";
  canvas.width = width;
  canvas.height = height;
  canvas.tabIndex = 0;
  canvas.hidden = true;
  canvas.dataset.title = UTF8ToString(title);
  canvas.addEventListener("contextmenu", function(event) { event.preventDefault(); });
  web.area.appendChild(canvas);
});

EM_JS(void, WebRemakeCanvas, (int number), {
  var old = document.getElementById("quellor-window-" + number);
  var canvas = old.cloneNode(false);
  canvas.addEventListener("contextmenu", function(event) { event.preventDefault(); });
  old.replaceWith(canvas);
});

EM_JS(void, WebRemoveCanvas, (int number), {
  var web = Module["quellorWeb"];
  var canvas = document.getElementById("quellor-window-" + number);
  if (canvas) canvas.remove();
  if (web.shown === number) web.shown = 0;
});

EM_JS(void, WebShowCanvas, (int number, int visible), {
  var web = Module["quellorWeb"];
  var canvas = document.getElementById("quellor-window-" + number);
  if (!canvas) return;
  canvas.hidden = !visible;
  if (visible) {
    web.shown = number;
    document.title = canvas.dataset.title || web.title;
  } else if (web.shown === number) {
    web.shown = 0;
  }
});

EM_JS(void, WebFocusCanvas, (int number), {
  var canvas = document.getElementById("quellor-window-" + number);
  if (!canvas || canvas.hidden) return;
  Module["quellorWeb"].shown = number;
  canvas.focus({preventScroll: true});
});

EM_JS(void, WebLoseContext, (int number), {
  var canvas = document.getElementById("quellor-window-" + number);
  var gl = canvas && canvas.getContext("webgl");
  var lose = gl && gl.getExtension("WEBGL_lose_context");
  if (lose) lose.loseContext();
});

EM_JS(void, WebHideCursor, (int hidden), {
  Module["quellorWeb"].area.classList.toggle("quellor-cursorless", !!hidden);
});
// clang-format on

// The canvas's WebGL context goes with it (freed at once, not when the
// page's garbage is collected).
void DropWebGl(NativeWindow* window) {
  if (!window->webgl) return;
  emscripten_webgl_destroy_context(window->webgl);
  WebLoseContext(window->number);
  window->webgl = 0;
}

}  // namespace

NativeWindow* WebFindWindow(int number) {
  for (NativeWindow* window : windows)
    if (window->number == number) return window;
  return nullptr;
}

void WebReplaceCanvas(NativeWindow* window) {
  DropWebGl(window);
  WebRemakeCanvas(window->number);
}

bool BackendVideoStarted() { return videoStarted; }

bool BackendVideoStart() {
  if (!videoStarted) videoStarted = WebStartPage() != 0;
  return videoStarted;
}

void BackendShutdown() {
  if (!videoStarted) return;
  for (NativeWindow* window : std::vector<NativeWindow*>(windows)) BackendDestroyWindow(window);
  WebEndPage();
  videoStarted = false;
}

NativeWindow* BackendCreateWindow(const NativeWindowRequest& request) {
  // A window in a display mode has the mode's pixels.
  NativeWindow* window = new NativeWindow{nextWindowNumber++, request.clientWidth, request.clientHeight, 0};
  if (request.fullscreenMode) {
    window->width = request.fullscreenMode->width;
    window->height = request.fullscreenMode->height;
  }
  WebMakeCanvas(window->number, window->width, window->height, request.title ? request.title : "");
  windows.push_back(window);
  return window;
}

NativeWindow* BackendRemakeWindow(NativeWindow* old, const NativeWindowRequest&, bool visible) {
  // A canvas takes its buffers from its first WebGL context: until then any
  // format can still be had from the same canvas.
  if (old->webgl) WebReplaceCanvas(old);
  WebShowCanvas(old->number, visible);
  return old;
}

void BackendDestroyWindow(NativeWindow* window) {
  windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
  WebForgetWindowContexts(window);
  DropWebGl(window);
  WebRemoveCanvas(window->number);
  delete window;
}

void BackendShowWindow(NativeWindow* window) { WebShowCanvas(window->number, 1); }

void BackendHideWindow(NativeWindow* window) { WebShowCanvas(window->number, 0); }

// A page cannot minimise or restore itself; the player hides it (another
// tab, a minimised browser) and web_events.cpp reports that.
void BackendMinimiseWindow(NativeWindow*) {}

void BackendRestoreWindow(NativeWindow*) {}

void BackendRaiseWindow(NativeWindow* window) { WebFocusCanvas(window->number); }

void BackendFocusWindow(NativeWindow* window) { WebFocusCanvas(window->number); }

// The canvas keeps its pixels; out of fullscreen the page shows it at their size.
void BackendLeaveFullscreen(NativeWindow*) {}

void BackendDrawableSize(NativeWindow* window, int* width, int* height) {
  *width = window->width;
  *height = window->height;
}

void BackendShowCursor(bool visible) {
  if (videoStarted) WebHideCursor(visible ? 0 : 1);
}
