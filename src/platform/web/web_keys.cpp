// The web backend's keyboard: the page's physical key codes
// (KeyboardEvent.code) to Win32 virtual-key codes, with the PC keyboard's
// set-1 scan codes that key messages carry in lParam.
//
// Every key of a full PC keyboard has its Win32 virtual-key code, taken by
// where the key sits (as on a US keyboard), not by what it types: letters
// 'A'-'Z', digits '0'-'9', F1-F12, arrows, the editing block, Escape,
// Return, Space, Tab, Backspace, keypad, punctuation as the VK_OEM_ codes.
// Left and right Shift, Control and Alt all report the generic VK_SHIFT,
// VK_CONTROL and VK_MENU, as WM_KEYDOWN does on Windows.
#include <cstring>

#include "platform/web/web_backend.h"
#include "platform/win32.h"

namespace {

struct KeyRow {
  int virtualKey;
  const char* code;
  int pcScancode;  // set-1 make code
  bool extended;   // E0-prefixed on a PC keyboard
};

// Scan codes of the letters A-Z and the digits 0-9, in that order.
const unsigned char letterScancodes[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                           0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                           0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
const unsigned char digitScancodes[10] = {0x0B, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A};

// Left-hand variants come first, so a generic code injects the left key.
const KeyRow keyRows[] = {
    {VK_F1, "F1", 0x3B, false},
    {VK_F2, "F2", 0x3C, false},
    {VK_F3, "F3", 0x3D, false},
    {VK_F4, "F4", 0x3E, false},
    {VK_F5, "F5", 0x3F, false},
    {VK_F6, "F6", 0x40, false},
    {VK_F7, "F7", 0x41, false},
    {VK_F8, "F8", 0x42, false},
    {VK_F9, "F9", 0x43, false},
    {VK_F10, "F10", 0x44, false},
    {VK_F11, "F11", 0x57, false},
    {VK_F12, "F12", 0x58, false},
    {VK_ESCAPE, "Escape", 0x01, false},
    {VK_RETURN, "Enter", 0x1C, false},
    {VK_SPACE, "Space", 0x39, false},
    {VK_TAB, "Tab", 0x0F, false},
    {VK_BACK, "Backspace", 0x0E, false},
    {VK_SHIFT, "ShiftLeft", 0x2A, false},
    {VK_SHIFT, "ShiftRight", 0x36, false},
    {VK_CONTROL, "ControlLeft", 0x1D, false},
    {VK_CONTROL, "ControlRight", 0x1D, true},
    {VK_MENU, "AltLeft", 0x38, false},
    {VK_MENU, "AltRight", 0x38, true},
    {VK_LWIN, "MetaLeft", 0x5B, true},
    {VK_RWIN, "MetaRight", 0x5C, true},
    {VK_APPS, "ContextMenu", 0x5D, true},
    {VK_CAPITAL, "CapsLock", 0x3A, false},
    {VK_NUMLOCK, "NumLock", 0x45, true},
    {VK_SCROLL, "ScrollLock", 0x46, false},
    {VK_PAUSE, "Pause", 0x45, false},
    {VK_SNAPSHOT, "PrintScreen", 0x37, true},
    {VK_LEFT, "ArrowLeft", 0x4B, true},
    {VK_UP, "ArrowUp", 0x48, true},
    {VK_RIGHT, "ArrowRight", 0x4D, true},
    {VK_DOWN, "ArrowDown", 0x50, true},
    {VK_INSERT, "Insert", 0x52, true},
    {VK_DELETE, "Delete", 0x53, true},
    {VK_HOME, "Home", 0x47, true},
    {VK_END, "End", 0x4F, true},
    {VK_PRIOR, "PageUp", 0x49, true},
    {VK_NEXT, "PageDown", 0x51, true},
    {VK_NUMPAD0, "Numpad0", 0x52, false},
    {VK_NUMPAD1, "Numpad1", 0x4F, false},
    {VK_NUMPAD2, "Numpad2", 0x50, false},
    {VK_NUMPAD3, "Numpad3", 0x51, false},
    {VK_NUMPAD4, "Numpad4", 0x4B, false},
    {VK_NUMPAD5, "Numpad5", 0x4C, false},
    {VK_NUMPAD6, "Numpad6", 0x4D, false},
    {VK_NUMPAD7, "Numpad7", 0x47, false},
    {VK_NUMPAD8, "Numpad8", 0x48, false},
    {VK_NUMPAD9, "Numpad9", 0x49, false},
    {VK_MULTIPLY, "NumpadMultiply", 0x37, false},
    {VK_ADD, "NumpadAdd", 0x4E, false},
    {VK_SUBTRACT, "NumpadSubtract", 0x4A, false},
    {VK_DECIMAL, "NumpadDecimal", 0x53, false},
    {VK_DIVIDE, "NumpadDivide", 0x35, true},
    {VK_RETURN, "NumpadEnter", 0x1C, true},
    {VK_OEM_1, "Semicolon", 0x27, false},
    {VK_OEM_PLUS, "Equal", 0x0D, false},
    {VK_OEM_COMMA, "Comma", 0x33, false},
    {VK_OEM_MINUS, "Minus", 0x0C, false},
    {VK_OEM_PERIOD, "Period", 0x34, false},
    {VK_OEM_2, "Slash", 0x35, false},
    {VK_OEM_3, "Backquote", 0x29, false},
    {VK_OEM_4, "BracketLeft", 0x1A, false},
    {VK_OEM_5, "Backslash", 0x2B, false},
    {VK_OEM_6, "BracketRight", 0x1B, false},
    {VK_OEM_7, "Quote", 0x28, false},
};

// "KeyA".."KeyZ" and "Digit0".."Digit9": the letter or digit, else 0.
char LetterOrDigitOf(const char* code) {
  if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && code[4] == '\0') return code[3];
  if (std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' && code[6] == '\0') return code[5];
  return 0;
}

}  // namespace

bool WebVirtualKeyOf(const char* code, int* virtualKey, int* scanCode, bool* extended) {
  if (char c = LetterOrDigitOf(code)) {
    *virtualKey = c;
    *scanCode = c >= 'A' ? letterScancodes[c - 'A'] : digitScancodes[c - '0'];
    *extended = false;
    return true;
  }
  for (const KeyRow& row : keyRows) {
    if (std::strcmp(row.code, code) != 0) continue;
    *virtualKey = row.virtualKey;
    *scanCode = row.pcScancode;
    *extended = row.extended;
    return true;
  }
  return false;
}

const char* WebCodeOfVirtualKey(int virtualKey) {
  static const char* const letters[26] = {"KeyA", "KeyB", "KeyC", "KeyD", "KeyE", "KeyF", "KeyG", "KeyH", "KeyI",
                                          "KeyJ", "KeyK", "KeyL", "KeyM", "KeyN", "KeyO", "KeyP", "KeyQ", "KeyR",
                                          "KeyS", "KeyT", "KeyU", "KeyV", "KeyW", "KeyX", "KeyY", "KeyZ"};
  static const char* const digits[10] = {"Digit0", "Digit1", "Digit2", "Digit3", "Digit4",
                                         "Digit5", "Digit6", "Digit7", "Digit8", "Digit9"};
  if (virtualKey >= 'A' && virtualKey <= 'Z') return letters[virtualKey - 'A'];
  if (virtualKey >= '0' && virtualKey <= '9') return digits[virtualKey - '0'];
  for (const KeyRow& row : keyRows)
    if (row.virtualKey == virtualKey) return row.code;
  return nullptr;
}
