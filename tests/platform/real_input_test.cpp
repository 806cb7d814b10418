// Real input from the X server, pressed with xdotool as a player (or the
// end-to-end tests) would: keys through SDL's own keyboard handling, and
// real SDL message boxes answered with Return and Escape. These tests move
// the X focus and the pointer, so they run alone.
#include <SDL2/SDL.h>

#include <cstdlib>
#include <string>

#include "layer_fixture.h"

namespace layer_test {
namespace {

bool HaveXdotool() { return std::system("command -v xdotool >/dev/null 2>&1") == 0 && std::getenv("DISPLAY"); }

class RealKeyTest : public LayerTest {
 protected:
  void SetUp() override {
    LayerTest::SetUp();
    window = MakeShownWindow();  // with no window manager, SDL gives it the X focus
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    SetFocus(window);
    Pump();
  }

  static std::vector<MSG> Take() {
    std::vector<MSG> taken;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) taken.push_back(msg);
    return taken;
  }

  HWND window = nullptr;
};

// Real key presses from the X server (xdotool), through SDL's own keyboard
// handling: the codes must not depend on the driver's injected events.
// (xdotool presses the right-hand modifiers together with the left-hand
// ones, so those are left to the injected-event test above.)
TEST_F(RealKeyTest, RealKeysFromTheXServerGetTheirVirtualKeyCodes) {
  if (!HaveXdotool()) GTEST_SKIP() << "needs xdotool and an X display";
  const std::pair<const char*, int> keys[] = {
      {"a", 'A'},
      {"z", 'Z'},
      {"0", '0'},
      {"7", '7'},
      {"F1", VK_F1},
      {"F12", VK_F12},
      {"Left", VK_LEFT},
      {"Up", VK_UP},
      {"Right", VK_RIGHT},
      {"Down", VK_DOWN},
      {"Escape", VK_ESCAPE},
      {"Return", VK_RETURN},
      {"space", VK_SPACE},
      {"Tab", VK_TAB},
      {"BackSpace", VK_BACK},
      {"Shift_L", VK_SHIFT},
      {"Control_L", VK_CONTROL},
      {"Prior", VK_PRIOR},
      {"Delete", VK_DELETE},
      {"KP_Add", VK_ADD},
      {"KP_Multiply", VK_MULTIPLY},
      {"KP_Enter", VK_RETURN},
      {"semicolon", VK_OEM_1},
      {"minus", VK_OEM_MINUS},
      {"equal", VK_OEM_PLUS},
      {"bracketleft", VK_OEM_4},
      {"apostrophe", VK_OEM_7},
      {"grave", VK_OEM_3},
      {"slash", VK_OEM_2},
      {"backslash", VK_OEM_5},
  };
  std::string command = "xdotool key --delay 5";
  std::vector<WPARAM> expected;
  for (const auto& key : keys) {
    command += std::string(" ") + key.first;
    expected.push_back(WPARAM(key.second));
  }
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::vector<WPARAM> pressed;
  for (int tries = 0; tries < 200 && pressed.size() < expected.size(); ++tries) {
    for (const MSG& msg : Take())
      if (msg.message == WM_KEYDOWN) pressed.push_back(msg.wParam);
    SDL_Delay(10);
  }
  EXPECT_EQ(pressed, expected);
}

// AltGr is Control and Alt on Windows: keys pressed with it are key
// messages, not system keys, so AltGr+F4 closes nothing; with a right Alt
// that is plain Alt, Alt+F4 is the system key that closes the window.
TEST_F(RealKeyTest, AltGrIsControlAndAltNotTheSystemKey) {
  if (!HaveXdotool() || std::system("command -v xmodmap >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "needs xdotool, xmodmap and an X display";
  struct Row {
    const char* keysym;  // what the right Alt key (keycode 108) types
    UINT f4Message;
  };
  const Row rows[] = {{"ISO_Level3_Shift", WM_KEYDOWN}, {"Alt_R", WM_SYSKEYDOWN}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.keysym);
    ASSERT_EQ(std::system((std::string("xmodmap -e 'keycode 108 = ") + row.keysym + "'").c_str()), 0);
    SDL_Delay(200);
    Take();
    ASSERT_EQ(std::system("xdotool keydown 108 key F4 keyup 108"), 0);
    std::vector<MSG> f4;
    for (int tries = 0; tries < 100 && f4.empty(); ++tries) {
      for (const MSG& msg : Take())
        if (msg.wParam == VK_F4 && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) f4.push_back(msg);
      SDL_Delay(10);
    }
    ASSERT_EQ(f4.size(), 1u);
    EXPECT_EQ(f4[0].message, row.f4Message);
  }
  std::system("xmodmap -e 'keycode 108 = Alt_R'");
}

// A real SDL box on the X display, answered by pressing keys with xdotool
// the way a player (or the end-to-end tests) would: Return takes the first
// button, Escape the last.
struct KeyAnswer {
  const char* name;
  const char* key;
  UINT style;
  int answer;
};

class RealBoxTest : public LayerTest, public ::testing::WithParamInterface<KeyAnswer> {};

TEST_P(RealBoxTest, KeyAnswersTheBox) {
  if (!HaveXdotool()) GTEST_SKIP() << "needs xdotool and an X display";
  const KeyAnswer& c = GetParam();
  DriveRealBoxes(true);
  // The key is pressed once the box is up; the box takes the keyboard.
  std::string press = std::string("(sleep 1.5; xdotool key ") + c.key + ") >/dev/null 2>&1 &";
  ASSERT_EQ(std::system(press.c_str()), 0);
  EXPECT_EQ(MessageBoxA(nullptr, "Would You Like To Run In Fullscreen Mode?", "Start FullScreen?", c.style), c.answer);
  ASSERT_EQ(DriveShownBoxes().size(), 1u);
  EXPECT_EQ(DriveShownBoxes()[0].answer, c.answer);
}

INSTANTIATE_TEST_SUITE_P(Keys, RealBoxTest,
                         ::testing::Values(KeyAnswer{"ReturnIsYes", "Return", MB_YESNO | MB_ICONQUESTION, IDYES},
                                           KeyAnswer{"EscapeIsNo", "Escape", MB_YESNO | MB_ICONQUESTION, IDNO},
                                           KeyAnswer{"ReturnIsOk", "Return", MB_OK | MB_ICONWARNING, IDOK},
                                           KeyAnswer{"EscapeIsOk", "Escape", MB_OK | MB_ICONERROR, IDOK}),
                         [](const ::testing::TestParamInfo<KeyAnswer>& info) { return info.param.name; });

}  // namespace
}  // namespace layer_test
