// The SDL backend's message boxes: SDL's own modal boxes.
#include <vector>

#include "platform/sdl/sdl_backend.h"

bool BackendMessageBox(const char* text, const char* caption, NativeBoxIcon icon, const NativeBoxButton* buttons,
                       int buttonCount, int* answer) {
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
  if (SDL_ShowMessageBox(&data, &pressed) != 0) return false;
  *answer = pressed;
  return true;
}
