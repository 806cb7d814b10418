// The web backend's message boxes: the browser's own modal dialogs. A box
// with one button is an alert; one with more is a confirm dialog, whose OK
// is the first button (OK or Yes) and whose Cancel closes the box without
// one (the core then answers as Escape would: No, or Cancel). The browser
// gives its dialogs no title of their own, so the caption comes first, on a
// line of its own above the text. The icon has no place in them.
#include <emscripten.h>

#include "platform/web/web_backend.h"

namespace {

// clang-format off
// 1: OK, 0: Cancel, -1: no page to ask in.
EM_JS(int, WebAsk, (const char* caption, const char* text, int choice), {
  if (typeof window === "undefined" || typeof window.alert !== "function") return -1;
  var message = UTF8ToString(caption) + "\n\n" + UTF8ToString(text);
  if (!choice) {
    window.alert(message);
    return 1;
  }
  return window.confirm(message) ? 1 : 0;
});
// clang-format on

}  // namespace

bool BackendMessageBox(const char* text, const char* caption, NativeBoxIcon, const NativeBoxButton* buttons,
                       int buttonCount, int* answer) {
  if (buttonCount < 1) return false;
  int asked = WebAsk(caption, text, buttonCount > 1 ? 1 : 0);
  if (asked < 0) return false;
  *answer = asked == 1 ? buttons[0].answer : -1;
  return true;
}
