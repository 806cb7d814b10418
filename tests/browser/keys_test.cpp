// The browser backend's keyboard table: the page's physical key codes
// (KeyboardEvent.code) to the Win32 virtual-key codes and PC scan codes a
// Windows program gets, and back for the test driver's typing.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/web/web_backend.h"
#include "platform/win32.h"

namespace {

struct Case {
  const char* code;
  int virtualKey;
  int scanCode;
  bool extended;
};

const Case cases[] = {
    {"KeyA", 'A', 0x1E, false},
    {"KeyQ", 'Q', 0x10, false},
    {"KeyZ", 'Z', 0x2C, false},
    {"Digit0", '0', 0x0B, false},
    {"Digit1", '1', 0x02, false},
    {"Digit9", '9', 0x0A, false},
    {"ArrowLeft", VK_LEFT, 0x4B, true},
    {"ArrowUp", VK_UP, 0x48, true},
    {"ArrowRight", VK_RIGHT, 0x4D, true},
    {"ArrowDown", VK_DOWN, 0x50, true},
    {"F1", VK_F1, 0x3B, false},
    {"F12", VK_F12, 0x58, false},
    {"Escape", VK_ESCAPE, 0x01, false},
    {"Enter", VK_RETURN, 0x1C, false},
    {"NumpadEnter", VK_RETURN, 0x1C, true},
    {"ShiftRight", VK_SHIFT, 0x36, false},
    {"ControlRight", VK_CONTROL, 0x1D, true},
    {"AltRight", VK_MENU, 0x38, true},
    {"Numpad7", VK_NUMPAD7, 0x47, false},
    {"Home", VK_HOME, 0x47, true},
    {"Quote", VK_OEM_7, 0x28, false},
};

TEST(WebKeysTest, PhysicalKeysAreTheirWin32KeysWithTheirScanCodes) {
  for (const Case& key : cases) {
    int virtualKey = 0, scanCode = 0;
    bool extended = false;
    ASSERT_TRUE(WebVirtualKeyOf(key.code, &virtualKey, &scanCode, &extended)) << key.code;
    EXPECT_EQ(virtualKey, key.virtualKey) << key.code;
    EXPECT_EQ(scanCode, key.scanCode) << key.code;
    EXPECT_EQ(extended, key.extended) << key.code;
  }
}

TEST(WebKeysTest, KeysWin32HasNoCodeForAreLeftOut) {
  int virtualKey = 0, scanCode = 0;
  bool extended = false;
  for (const char* code : {"", "Key", "KeyAA", "Keya", "Digit10", "Fn", "IntlBackslash", "Lang1", "MediaPlayPause"})
    EXPECT_FALSE(WebVirtualKeyOf(code, &virtualKey, &scanCode, &extended)) << code;
}

TEST(WebKeysTest, EveryVirtualKeyTypesBackAsAKeyOfThatCode) {
  // The test driver types by virtual-key code; the key it picks must come
  // back as the same code (the left one of a pair).
  for (int virtualKey = 1; virtualKey < 256; ++virtualKey) {
    const char* code = WebCodeOfVirtualKey(virtualKey);
    if (!code) continue;
    int back = 0, scanCode = 0;
    bool extended = false;
    ASSERT_TRUE(WebVirtualKeyOf(code, &back, &scanCode, &extended)) << code;
    EXPECT_EQ(back, virtualKey) << code;
  }
  EXPECT_STREQ(WebCodeOfVirtualKey(VK_SHIFT), "ShiftLeft");
  EXPECT_STREQ(WebCodeOfVirtualKey('M'), "KeyM");
  EXPECT_EQ(WebCodeOfVirtualKey(0xE5), nullptr);
}

}  // namespace
