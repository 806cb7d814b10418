// The window procedure as a table of messages, called on the open game
// window, and key messages taking the real path through the message queue.
#include <GL/gl.h>

#include <algorithm>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "app/window.h"
#include "game/keys.h"
#include "platform/testing/driver.h"
#include "call_counts.h"
#include "shell_fixture.h"

namespace {

class WindowProcTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetShell();
    ASSERT_TRUE(OpenMainWindow(kTitle, 640, 480, 16, false));
    DrainMessages();
  }
  void TearDown() override {
    CloseMainWindow();
    ResetShell();
  }
  // Dispatches whatever is waiting; true if a quit message was among it.
  static bool DrainMessages(WPARAM* quitCode = nullptr) {
    bool quit = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
        if (quitCode) *quitCode = message.wParam;
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    return quit;
  }
};

std::vector<GLint> Viewport() {
  std::vector<GLint> viewport(4);
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  return viewport;
}

struct ProcRow {
  const char* name;
  std::function<void()> before;  // state to start from
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool defaultHandled;  // handed to DefWindowProcA rather than handled here
  std::function<void()> check;
};

TEST_F(WindowProcTest, MessagesTurnIntoTheProgramsState) {
  const ProcRow rows[] = {
      {"minimised", [] { appActive = true; }, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0, false,
       [] { EXPECT_FALSE(appActive); }},
      {"restored and activated", [] { appActive = false; }, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0, false,
       [] { EXPECT_TRUE(appActive); }},
      {"activated while minimised", [] { appActive = true; }, WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0, false,
       [] { EXPECT_FALSE(appActive); }},
      {"deactivated, not minimised", [] { appActive = true; }, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0, false,
       [] { EXPECT_TRUE(appActive); }},
      {"screen saver refused", nullptr, WM_SYSCOMMAND, SC_SCREENSAVE, 0, false, nullptr},
      {"monitor power-down refused", nullptr, WM_SYSCOMMAND, SC_MONITORPOWER, 2, false, nullptr},
      {"screen saver with a low bit set", nullptr, WM_SYSCOMMAND, SC_SCREENSAVE | 1, 0, true, nullptr},
      {"another system command", nullptr, WM_SYSCOMMAND, SC_KEYMENU, 0, true, nullptr},
      {"close posts quit 0 and keeps the window", nullptr, WM_CLOSE, 0, 0, false,
       [] {
         WPARAM code = 99;
         EXPECT_TRUE(DrainMessages(&code));
         EXPECT_EQ(code, 0u);
         EXPECT_EQ(DriveSnapshot().liveWindows, 1);
         int width = 0, height = 0;
         EXPECT_TRUE(DriveClientSize(mainWindow, &width, &height));
       }},
      {"key down", [] { keyDown[VK_LEFT] = false; }, WM_KEYDOWN, VK_LEFT, 0x014B0001, false,
       [] { EXPECT_TRUE(keyDown[VK_LEFT]); }},
      {"key repeat", [] { keyDown[VK_F1] = false; }, WM_KEYDOWN, VK_F1, 0x403B0001, false,
       [] { EXPECT_TRUE(keyDown[VK_F1]); }},
      {"key up", [] { keyDown[VK_LEFT] = true; }, WM_KEYUP, VK_LEFT, 0xC14B0001, false,
       [] { EXPECT_FALSE(keyDown[VK_LEFT]); }},
      {"highest code", [] { keyDown[255] = false; }, WM_KEYDOWN, 255, 0, false, [] { EXPECT_TRUE(keyDown[255]); }},
      {"size", nullptr, WM_SIZE, SIZE_RESTORED, MAKELPARAM(320, 200), false,
       [] {
         EXPECT_EQ(Viewport(), (std::vector<GLint>{0, 0, 320, 200}));
       }},
      {"size of a minimised window", nullptr, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0), false,
       [] {
         EXPECT_EQ(Viewport(), (std::vector<GLint>{0, 0, 0, 1}));
       }},
      {"any other message", nullptr, WM_PAINT, 0, 0, true, nullptr},
  };
  for (const ProcRow& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.before) row.before();
    bool activeBefore = appActive;
    std::vector<bool> keysBefore(keyDown, keyDown + 256);
    int defaultBefore = DefaultHandledCount();

    LRESULT result = MainWindowProc(mainWindow, row.message, row.wParam, row.lParam);

    EXPECT_EQ(DefaultHandledCount() - defaultBefore, row.defaultHandled ? 1 : 0);
    if (!row.defaultHandled) {
      EXPECT_EQ(result, 0);
    }
    if (row.message != WM_ACTIVATE) {
      EXPECT_EQ(appActive, activeBefore);
    }
    if (row.message != WM_KEYDOWN && row.message != WM_KEYUP) {
      EXPECT_EQ(std::vector<bool>(keyDown, keyDown + 256), keysBefore);
    }
    if (row.check) row.check();
    // Nothing the row did may end the program, except the close row's quit,
    // which its own check took off the queue.
    EXPECT_FALSE(DrainMessages());
  }
}

// A key message whose code does not fit the key table changes nothing.
TEST_F(WindowProcTest, KeyCodesOutsideTheTableAreIgnored) {
  keyDown[VK_RIGHT] = true;
  std::vector<bool> before(keyDown, keyDown + 256);
  for (WPARAM code : {WPARAM(256), WPARAM(300), WPARAM(300 + 256), ~WPARAM(0)}) {
    EXPECT_EQ(MainWindowProc(mainWindow, WM_KEYDOWN, code, 0), 0);
    EXPECT_EQ(MainWindowProc(mainWindow, WM_KEYUP, code, 0), 0);
  }
  EXPECT_EQ(std::vector<bool>(keyDown, keyDown + 256), before);
}

// Through the queue as the main loop takes them: plain keys reach the table,
// keys with Alt held (system keys) do not.
TEST_F(WindowProcTest, KeysFromTheQueueAreRecordedButSystemKeysAreNot) {
  DriveKey(VK_UP, true);
  DrainMessages();
  EXPECT_TRUE(keyDown[VK_UP]);
  DriveKey(VK_UP, false);
  DrainMessages();
  EXPECT_FALSE(keyDown[VK_UP]);

  DriveAltKey(VK_F1, true);
  DrainMessages();
  EXPECT_FALSE(keyDown[VK_F1]);
  DriveAltKey(VK_F1, false);
  DrainMessages();
}

}  // namespace
