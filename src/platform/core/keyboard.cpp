// The keyboard as Win32 sees it: the lParam of key messages, the key state
// that follows the messages taken off the queue (what GetKeyState reads on
// Windows), and the characters TranslateMessage makes of key presses on a
// US keyboard.
#include "platform/core/core.h"

namespace {
bool keyIsDown[256];
bool capsLockOn = false;
}  // namespace

LPARAM LayerKeyParameter(int scanCode, bool extended, bool down, bool repeat, bool altHeld) {
  uint32_t value = 1;  // repeat count
  value |= uint32_t(scanCode & 0xFF) << 16;
  if (extended) value |= 1u << 24;
  if (altHeld) value |= 1u << 29;
  if (repeat || !down) value |= 1u << 30;  // the key was down before
  if (!down) value |= 1u << 31;
  return LPARAM(value);
}

void LayerKeyTaken(UINT message, WPARAM virtualKey) {
  if (virtualKey >= 256) return;
  bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
  if (!down && !up) return;
  if (down && virtualKey == VK_CAPITAL && !keyIsDown[VK_CAPITAL]) capsLockOn = !capsLockOn;
  keyIsDown[virtualKey] = down;
}

void LayerResetKeyboard() {
  for (bool& key : keyIsDown) key = false;
  capsLockOn = false;
}

int LayerCharacterOf(int virtualKey, bool altHeld) {
  bool shift = keyIsDown[VK_SHIFT];
  bool control = keyIsDown[VK_CONTROL] && !altHeld;
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    if (control) return virtualKey - 'A' + 1;
    bool upper = shift != capsLockOn;
    return upper ? virtualKey : virtualKey - 'A' + 'a';
  }
  if (control) return 0;
  if (virtualKey >= '0' && virtualKey <= '9') return shift ? ")!@#$%^&*("[virtualKey - '0'] : virtualKey;
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) return '0' + virtualKey - VK_NUMPAD0;
  struct Punctuation {
    int virtualKey;
    char plain, shifted;
  };
  static const Punctuation punctuation[] = {
      {VK_OEM_1, ';', ':'},      {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
      {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},
      {VK_OEM_5, '\\', '|'},     {VK_OEM_6, ']', '}'},    {VK_OEM_7, '\'', '"'},    {VK_SPACE, ' ', ' '},
      {VK_RETURN, '\r', '\r'},   {VK_TAB, '\t', '\t'},    {VK_BACK, 8, 8},          {VK_ESCAPE, 27, 27},
      {VK_MULTIPLY, '*', '*'},   {VK_ADD, '+', '+'},      {VK_SUBTRACT, '-', '-'},  {VK_DECIMAL, '.', '.'},
      {VK_DIVIDE, '/', '/'},
  };
  for (const Punctuation& p : punctuation)
    if (p.virtualKey == virtualKey) return shift ? p.shifted : p.plain;
  return 0;
}
