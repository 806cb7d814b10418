// The SDL backend's message boxes: SDL's own modal boxes, closed by a request
// to end (posix_signals.cpp).
#include <vector>

#include "platform/sdl/sdl_backend.h"

bool BackendMessageBox(const char* text, const char* caption, NativeBoxIcon icon, const NativeBoxButton* buttons,
                       int buttonCount, int* answer) {
  if (SdlEnding()) {
    *answer = -1;  // the program is ending: closed at once
    return true;
  }
  X11LetBoxHaveKeyboard();
  std::vector<SDL_MessageBoxButtonData> sdlButtons;
  for (int i = 0; i < buttonCount; ++i) {
    Uint32 flags = 0;
    if (buttons[i].returnKey) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (buttons[i].escapeKey) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    sdlButtons.push_back(SDL_MessageBoxButtonData{flags, buttons[i].answer, buttons[i].label});
  }
  SDL_MessageBoxData data;
  SDL_zero(data);
  data.flags = SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  data.flags |= icon == NativeBoxIcon::Error     ? SDL_MESSAGEBOX_ERROR
                : icon == NativeBoxIcon::Warning ? SDL_MESSAGEBOX_WARNING
                                                 : SDL_MESSAGEBOX_INFORMATION;
  data.title = caption;
  data.message = text;
  data.numbuttons = buttonCount;
  data.buttons = sdlButtons.data();
  int pressed = -1;
  SdlBoxShowing(true);
  int shown = SDL_ShowMessageBox(&data, &pressed);
  SdlBoxShowing(false);
  if (SdlEnding()) {
    *answer = -1;  // closed by the request to end
    return true;
  }
  if (shown != 0) return false;
  *answer = pressed;
  return true;
}
