// The keyboard's side of the messages: lParam of key messages, the key state
// TranslateMessage reads, and the characters it makes (user32_keys.cpp).
#pragma once

#include <SDL2/SDL.h>

#include "platform/win32.h"

// lParam of a key message: repeat count 1, the PC scan code, the extended
// bit, Alt held (bit 29), key down before (bit 30), key up (bit 31).
LPARAM LayerKeyParameter(SDL_Keycode keycode, SDL_Scancode scancode, bool down, bool repeat, bool altHeld);
// A key message has been taken off the queue: the key state follows it.
void LayerKeyTaken(UINT message, WPARAM virtualKey);
void LayerResetKeyboard();
// The character a key press makes with the current key state (0: none).
int LayerCharacterOf(int virtualKey, bool altHeld);
