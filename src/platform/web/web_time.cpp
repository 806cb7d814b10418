// The web backend's clock and turns. The clock is the page's monotonic
// clock (performance.now()). The browser's event loop shares the program's
// thread: it draws the page and hands over input only when the program
// returns to it, so the program's calls that may spin (the core's clock
// reads and message peeks, and every buffer swap) give it a turn. The
// program's state stays as it is across a turn (emscripten's asyncify
// unwinds and rewinds its stack). A turn is taken when the program has kept
// the thread for kTurnEveryMs, and at once after a swap. A visible page
// gets it back as soon as the browser is done (a message to itself, which
// browsers do not delay as they delay timers); a hidden page, whose program
// draws nothing, waits kHiddenTurnMs or as long as the browser makes it
// (browsers slow the timers of hidden pages down to once a second, or a
// minute), and no longer than until it is shown again.
#include <emscripten.h>

#include "platform/web/web_backend.h"

namespace {

const double kTurnEveryMs = 4.0;
const int kHiddenTurnMs = 40;

double lastTurn = 0.0;  // when the program last got the thread back

// clang-format off
EM_ASYNC_JS(void, WebYield, (int hiddenWaitMs), {
  await new Promise(function(resume) {
    if (typeof document !== "undefined" && document.hidden) {
      // Back at once when the page is shown: a browser may hold the timer
      // of a page hidden for long for a minute.
      var woken = false;
      var Wake = function() {
        if (woken) return;
        woken = true;
        document.removeEventListener("visibilitychange", Wake);
        resume();
      };
      document.addEventListener("visibilitychange", Wake);
      setTimeout(Wake, hiddenWaitMs);
      return;
    }
    var channel = Module["quellorTurns"];
    if (!channel) {
      channel = Module["quellorTurns"] = new MessageChannel();
      channel.port1.onmessage = function() {
        var waiting = channel.waiting;
        channel.waiting = null;
        if (waiting) waiting();
      };
    }
    channel.waiting = resume;
    channel.port2.postMessage(0);
  });
});
// clang-format on

}  // namespace

int64_t BackendMonotonicNanoseconds() { return int64_t(emscripten_get_now() * 1e6); }

void BackendTakeTurn(bool now) {
  if (!now && emscripten_get_now() - lastTurn < kTurnEveryMs) return;
  WebYield(kHiddenTurnMs);
  lastTurn = emscripten_get_now();
}
