// The SDL backend's keyboard: SDL keys to Win32 virtual-key codes, with the
// PC keyboard's scan codes that key messages carry in lParam.
//
// Every key of a full PC keyboard has its Win32 virtual-key code (letters
// 'A'-'Z', digits '0'-'9', F1-F12, arrows, the editing block, Escape,
// Return, Space, Tab, Backspace, keypad, punctuation as the VK_OEM_ codes);
// left and right Shift, Control and Alt all report the generic VK_SHIFT,
// VK_CONTROL and VK_MENU, as WM_KEYDOWN does on Windows.
#include "platform/sdl/sdl_backend.h"
#include "platform/win32.h"

namespace {

struct KeyRow {
  int virtualKey;
  SDL_Keycode keycode;
  SDL_Scancode scancode;
  int pcScancode;  // set-1 make code
  bool extended;   // E0-prefixed on a PC keyboard
};

// Left-hand variants come first, so a generic code injects the left key.
const KeyRow keyRows[] = {
    {'A', SDLK_a, SDL_SCANCODE_A, 0x1E, false},
    {'B', SDLK_b, SDL_SCANCODE_B, 0x30, false},
    {'C', SDLK_c, SDL_SCANCODE_C, 0x2E, false},
    {'D', SDLK_d, SDL_SCANCODE_D, 0x20, false},
    {'E', SDLK_e, SDL_SCANCODE_E, 0x12, false},
    {'F', SDLK_f, SDL_SCANCODE_F, 0x21, false},
    {'G', SDLK_g, SDL_SCANCODE_G, 0x22, false},
    {'H', SDLK_h, SDL_SCANCODE_H, 0x23, false},
    {'I', SDLK_i, SDL_SCANCODE_I, 0x17, false},
    {'J', SDLK_j, SDL_SCANCODE_J, 0x24, false},
    {'K', SDLK_k, SDL_SCANCODE_K, 0x25, false},
    {'L', SDLK_l, SDL_SCANCODE_L, 0x26, false},
    {'M', SDLK_m, SDL_SCANCODE_M, 0x32, false},
    {'N', SDLK_n, SDL_SCANCODE_N, 0x31, false},
    {'O', SDLK_o, SDL_SCANCODE_O, 0x18, false},
    {'P', SDLK_p, SDL_SCANCODE_P, 0x19, false},
    {'Q', SDLK_q, SDL_SCANCODE_Q, 0x10, false},
    {'R', SDLK_r, SDL_SCANCODE_R, 0x13, false},
    {'S', SDLK_s, SDL_SCANCODE_S, 0x1F, false},
    {'T', SDLK_t, SDL_SCANCODE_T, 0x14, false},
    {'U', SDLK_u, SDL_SCANCODE_U, 0x16, false},
    {'V', SDLK_v, SDL_SCANCODE_V, 0x2F, false},
    {'W', SDLK_w, SDL_SCANCODE_W, 0x11, false},
    {'X', SDLK_x, SDL_SCANCODE_X, 0x2D, false},
    {'Y', SDLK_y, SDL_SCANCODE_Y, 0x15, false},
    {'Z', SDLK_z, SDL_SCANCODE_Z, 0x2C, false},
    {'0', SDLK_0, SDL_SCANCODE_0, 0x0B, false},
    {'1', SDLK_1, SDL_SCANCODE_1, 0x02, false},
    {'2', SDLK_2, SDL_SCANCODE_2, 0x03, false},
    {'3', SDLK_3, SDL_SCANCODE_3, 0x04, false},
    {'4', SDLK_4, SDL_SCANCODE_4, 0x05, false},
    {'5', SDLK_5, SDL_SCANCODE_5, 0x06, false},
    {'6', SDLK_6, SDL_SCANCODE_6, 0x07, false},
    {'7', SDLK_7, SDL_SCANCODE_7, 0x08, false},
    {'8', SDLK_8, SDL_SCANCODE_8, 0x09, false},
    {'9', SDLK_9, SDL_SCANCODE_9, 0x0A, false},
    {VK_F1, SDLK_F1, SDL_SCANCODE_F1, 0x3B, false},
    {VK_F2, SDLK_F2, SDL_SCANCODE_F2, 0x3C, false},
    {VK_F3, SDLK_F3, SDL_SCANCODE_F3, 0x3D, false},
    {VK_F4, SDLK_F4, SDL_SCANCODE_F4, 0x3E, false},
    {VK_F5, SDLK_F5, SDL_SCANCODE_F5, 0x3F, false},
    {VK_F6, SDLK_F6, SDL_SCANCODE_F6, 0x40, false},
    {VK_F7, SDLK_F7, SDL_SCANCODE_F7, 0x41, false},
    {VK_F8, SDLK_F8, SDL_SCANCODE_F8, 0x42, false},
    {VK_F9, SDLK_F9, SDL_SCANCODE_F9, 0x43, false},
    {VK_F10, SDLK_F10, SDL_SCANCODE_F10, 0x44, false},
    {VK_F11, SDLK_F11, SDL_SCANCODE_F11, 0x57, false},
    {VK_F12, SDLK_F12, SDL_SCANCODE_F12, 0x58, false},
    {VK_ESCAPE, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 0x01, false},
    {VK_RETURN, SDLK_RETURN, SDL_SCANCODE_RETURN, 0x1C, false},
    {VK_SPACE, SDLK_SPACE, SDL_SCANCODE_SPACE, 0x39, false},
    {VK_TAB, SDLK_TAB, SDL_SCANCODE_TAB, 0x0F, false},
    {VK_BACK, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 0x0E, false},
    {VK_SHIFT, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 0x2A, false},
    {VK_SHIFT, SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 0x36, false},
    {VK_CONTROL, SDLK_LCTRL, SDL_SCANCODE_LCTRL, 0x1D, false},
    {VK_CONTROL, SDLK_RCTRL, SDL_SCANCODE_RCTRL, 0x1D, true},
    {VK_MENU, SDLK_LALT, SDL_SCANCODE_LALT, 0x38, false},
    {VK_MENU, SDLK_RALT, SDL_SCANCODE_RALT, 0x38, true},
    {VK_LWIN, SDLK_LGUI, SDL_SCANCODE_LGUI, 0x5B, true},
    {VK_RWIN, SDLK_RGUI, SDL_SCANCODE_RGUI, 0x5C, true},
    {VK_APPS, SDLK_APPLICATION, SDL_SCANCODE_APPLICATION, 0x5D, true},
    {VK_CAPITAL, SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK, 0x3A, false},
    {VK_NUMLOCK, SDLK_NUMLOCKCLEAR, SDL_SCANCODE_NUMLOCKCLEAR, 0x45, true},
    {VK_SCROLL, SDLK_SCROLLLOCK, SDL_SCANCODE_SCROLLLOCK, 0x46, false},
    {VK_PAUSE, SDLK_PAUSE, SDL_SCANCODE_PAUSE, 0x45, false},
    {VK_SNAPSHOT, SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN, 0x37, true},
    {VK_LEFT, SDLK_LEFT, SDL_SCANCODE_LEFT, 0x4B, true},
    {VK_UP, SDLK_UP, SDL_SCANCODE_UP, 0x48, true},
    {VK_RIGHT, SDLK_RIGHT, SDL_SCANCODE_RIGHT, 0x4D, true},
    {VK_DOWN, SDLK_DOWN, SDL_SCANCODE_DOWN, 0x50, true},
    {VK_INSERT, SDLK_INSERT, SDL_SCANCODE_INSERT, 0x52, true},
    {VK_DELETE, SDLK_DELETE, SDL_SCANCODE_DELETE, 0x53, true},
    {VK_HOME, SDLK_HOME, SDL_SCANCODE_HOME, 0x47, true},
    {VK_END, SDLK_END, SDL_SCANCODE_END, 0x4F, true},
    {VK_PRIOR, SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, 0x49, true},
    {VK_NEXT, SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 0x51, true},
    {VK_NUMPAD0, SDLK_KP_0, SDL_SCANCODE_KP_0, 0x52, false},
    {VK_NUMPAD1, SDLK_KP_1, SDL_SCANCODE_KP_1, 0x4F, false},
    {VK_NUMPAD2, SDLK_KP_2, SDL_SCANCODE_KP_2, 0x50, false},
    {VK_NUMPAD3, SDLK_KP_3, SDL_SCANCODE_KP_3, 0x51, false},
    {VK_NUMPAD4, SDLK_KP_4, SDL_SCANCODE_KP_4, 0x4B, false},
    {VK_NUMPAD5, SDLK_KP_5, SDL_SCANCODE_KP_5, 0x4C, false},
    {VK_NUMPAD6, SDLK_KP_6, SDL_SCANCODE_KP_6, 0x4D, false},
    {VK_NUMPAD7, SDLK_KP_7, SDL_SCANCODE_KP_7, 0x47, false},
    {VK_NUMPAD8, SDLK_KP_8, SDL_SCANCODE_KP_8, 0x48, false},
    {VK_NUMPAD9, SDLK_KP_9, SDL_SCANCODE_KP_9, 0x49, false},
    {VK_MULTIPLY, SDLK_KP_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY, 0x37, false},
    {VK_ADD, SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, 0x4E, false},
    {VK_SUBTRACT, SDLK_KP_MINUS, SDL_SCANCODE_KP_MINUS, 0x4A, false},
    {VK_DECIMAL, SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, 0x53, false},
    {VK_DIVIDE, SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, 0x35, true},
    {VK_RETURN, SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 0x1C, true},
    {VK_OEM_1, SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, 0x27, false},
    {VK_OEM_PLUS, SDLK_EQUALS, SDL_SCANCODE_EQUALS, 0x0D, false},
    {VK_OEM_COMMA, SDLK_COMMA, SDL_SCANCODE_COMMA, 0x33, false},
    {VK_OEM_MINUS, SDLK_MINUS, SDL_SCANCODE_MINUS, 0x0C, false},
    {VK_OEM_PERIOD, SDLK_PERIOD, SDL_SCANCODE_PERIOD, 0x34, false},
    {VK_OEM_2, SDLK_SLASH, SDL_SCANCODE_SLASH, 0x35, false},
    {VK_OEM_3, SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, 0x29, false},
    {VK_OEM_4, SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, 0x1A, false},
    {VK_OEM_5, SDLK_BACKSLASH, SDL_SCANCODE_BACKSLASH, 0x2B, false},
    {VK_OEM_6, SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET, 0x1B, false},
    {VK_OEM_7, SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, 0x28, false},
};

const KeyRow* RowOf(SDL_Keycode keycode, SDL_Scancode scancode) {
  for (const KeyRow& row : keyRows)
    if (keycode != SDLK_UNKNOWN && row.keycode == keycode) return &row;
  for (const KeyRow& row : keyRows)
    if (scancode != SDL_SCANCODE_UNKNOWN && row.scancode == scancode) return &row;
  return nullptr;
}

}  // namespace

bool SdlVirtualKeyOf(SDL_Keycode keycode, SDL_Scancode scancode, int* virtualKey, int* scanCode, bool* extended) {
  const KeyRow* row = RowOf(keycode, scancode);
  if (!row) return false;
  *virtualKey = row->virtualKey;
  *scanCode = row->pcScancode;
  *extended = row->extended;
  return true;
}

bool SdlKeyOfVirtualKey(int virtualKey, SDL_Keycode* keycode, SDL_Scancode* scancode) {
  for (const KeyRow& row : keyRows) {
    if (row.virtualKey == virtualKey) {
      *keycode = row.keycode;
      *scancode = row.scancode;
      return true;
    }
  }
  return false;
}
