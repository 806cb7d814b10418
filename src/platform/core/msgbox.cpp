// USER32, message boxes: MessageBoxA.
//
// Callers may rely on: MessageBoxA shows a modal box whose title is the
// caption, with the style's buttons (OK; OK, Cancel; Yes, No; Yes, No,
// Cancel) and icon kind, and waits. Return answers the first button (OK or
// Yes); Escape answers the last (OK, Cancel or No, Cancel), and so does
// closing the box. With no display it writes "caption: text" to standard
// error and returns what Escape would: IDNO for Yes/No, IDOK for OK.
#include <cstdio>

#include "platform/core/core.h"

namespace {

// The answer Escape gives, which is also the answer with no display.
int EscapeAnswer(UINT buttons) {
  switch (buttons) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
      return IDCANCEL;
    case MB_YESNO:
      return IDNO;
    default:
      return IDOK;
  }
}

bool ShowBox(const char* text, const char* caption, UINT style, int* answer) {
  if (!LayerVideoReady()) return false;
  UINT kind = style & MB_TYPEMASK;
  static const NativeBoxButton yesNo[] = {{IDYES, "Yes", true, false}, {IDNO, "No", false, true}};
  static const NativeBoxButton yesNoCancel[] = {
      {IDYES, "Yes", true, false}, {IDNO, "No", false, false}, {IDCANCEL, "Cancel", false, true}};
  static const NativeBoxButton okCancel[] = {{IDOK, "OK", true, false}, {IDCANCEL, "Cancel", false, true}};
  static const NativeBoxButton ok[] = {{IDOK, "OK", true, true}};
  const NativeBoxButton* buttons = ok;
  int count = 1;
  if (kind == MB_YESNO) {
    buttons = yesNo;
    count = 2;
  } else if (kind == MB_YESNOCANCEL) {
    buttons = yesNoCancel;
    count = 3;
  } else if (kind == MB_OKCANCEL) {
    buttons = okCancel;
    count = 2;
  }
  NativeBoxIcon icon = NativeBoxIcon::Information;
  UINT iconKind = style & MB_ICONMASK;
  if (iconKind == MB_ICONERROR) icon = NativeBoxIcon::Error;
  if (iconKind == MB_ICONWARNING) icon = NativeBoxIcon::Warning;
  int pressed = -1;
  if (!BackendMessageBox(text, caption, icon, buttons, count, &pressed)) return false;
  *answer = pressed > 0 ? pressed : EscapeAnswer(kind);
  return true;
}

}  // namespace

int WINAPI MessageBoxA(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT type) {
  if (LayerShouldFail("MessageBoxA")) return 0;
  if (!text) text = "";
  if (!caption) caption = "Error";
  int answer = 0;
  if (layerHooks.answerBox && !layerHooks.noDisplay) {
    answer = layerHooks.answerBox(text, caption, type);
  } else if (!ShowBox(text, caption, type, &answer)) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    answer = EscapeAnswer(type & MB_TYPEMASK);
  }
  if (layerHooks.boxShown) layerHooks.boxShown(text, caption, type, answer);
  return answer;
}
