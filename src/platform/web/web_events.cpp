// The web backend's events: what the page's listeners (web_video.cpp) queued
// since the program's last turn, as the backend's events, and events put
// into that queue for the test driver.
//
// - A key down or up: a Key event with its virtual-key code, for the shown
//   window; a held key's repeats come as further downs. Keys Win32 has no
//   code for (and keys typed into an input method) are left out.
// - The page hidden (another tab, a minimised browser): Minimised; shown
//   again: Restored.
// - The browser window losing or gaining the keyboard: FocusLost, FocusGained.
// The page has no close box, and its size is its own: no Close, Resized or
// Moved events come from it.
#include <emscripten.h>

#include "platform/web/web_backend.h"

namespace {

// The queue's event kinds, both ways.
const struct {
  int page;
  NativeEventKind kind;
} eventKinds[] = {
    {1, NativeEventKind::Key},      {2, NativeEventKind::Close},       {3, NativeEventKind::Minimised},
    {4, NativeEventKind::Restored}, {5, NativeEventKind::FocusGained}, {6, NativeEventKind::FocusLost},
};

// clang-format off
// Takes the queue's first event into fields (kind, window, down, repeat,
// Alt, Control) and its key code into `code`; 0 when none waits.
EM_JS(int, WebTakeEvent, (int* fields, char* code, int codeSize), {
  var web = Module["quellorWeb"];
  var event = web && web.events.shift();
  if (!event) return 0;
  for (var i = 0; i < 6; ++i) HEAP32[(fields >> 2) + i] = event[i] || 0;
  stringToUTF8(event[6] || "", code, codeSize);
  return event[0];
});

EM_JS(void, WebQueueEvent, (int kind, int window, int down, int repeat, int alt, int control, const char* code), {
  var web = Module["quellorWeb"];
  if (web) web.events.push([kind, window, down, repeat, alt, control, UTF8ToString(code)]);
});
// clang-format on

}  // namespace

bool BackendNextEvent(NativeEvent* event) {
  int fields[6];
  char code[32];
  while (int page = WebTakeEvent(fields, code, sizeof code)) {
    *event = NativeEvent();
    event->window = WebFindWindow(fields[1]);
    bool known = false;
    for (const auto& row : eventKinds)
      if (row.page == page) {
        event->kind = row.kind;
        known = true;
      }
    if (!known) continue;
    if (event->kind != NativeEventKind::Key) {
      if (event->window) return true;
      continue;
    }
    if (!WebVirtualKeyOf(code, &event->virtualKey, &event->scanCode, &event->extended)) continue;
    event->down = fields[2] != 0;
    event->repeat = fields[3] != 0;
    event->altHeld = fields[4] != 0;
    event->controlHeld = fields[5] != 0;
    return true;
  }
  return false;
}

bool BackendInjectEvent(const NativeEvent& event) {
  int number = event.window ? event.window->number : 0;
  for (const auto& row : eventKinds) {
    if (row.kind != event.kind) continue;
    const char* code = "";
    if (event.kind == NativeEventKind::Key) {
      code = WebCodeOfVirtualKey(event.virtualKey);
      if (!code) return false;
    } else if (!event.window) {
      return false;
    }
    WebQueueEvent(row.page, number, event.down, event.repeat, event.altHeld, event.controlHeld, code);
    return true;
  }
  return false;
}
