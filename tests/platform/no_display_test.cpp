// The shipped layer (no test driver linked) on a machine with no display:
// SDL would fall back to its off-screen driver and run the game unseen; the
// layer does not, even when asked to through SDL's own environment variable.
// Windows cannot be made, message boxes go to standard error.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/testing/requests.h"
#include "platform/win32.h"

namespace {

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

class NoDisplayTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
  }
};

TEST_F(NoDisplayTest, WindowCreationFails) {
  WNDCLASSA record = {};
  record.lpfnWndProc = PlainProc;
  record.lpszClassName = "OpenGL";
  ASSERT_NE(RegisterClassA(&record), 0) << "classes need no display";
  RECT rect = {0, 0, 640, 480};
  AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW);
  EXPECT_EQ(CreateWindowExA(WS_EX_APPWINDOW, "OpenGL", "unseen", WS_OVERLAPPEDWINDOW, 0, 0, rect.right - rect.left,
                            rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_TRUE(UnregisterClassA("OpenGL", nullptr));
  DEVMODEA mode = DisplayModeRequest(640, 480);
  EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_FAILED);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(NoDisplayTest, MessageBoxesGoToStandardError) {
  struct Case {
    const char* text;
    const char* caption;
    UINT style;
    int answer;
  } cases[] = {
      {"Would You Like To Run In Fullscreen Mode?", "Start FullScreen?", MB_YESNO | MB_ICONQUESTION, IDNO},
      {"Window Creation Error.", "ERROR", MB_OK | MB_ICONWARNING, IDOK},
  };
  for (const Case& c : cases) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, c.text, c.caption, c.style), c.answer);
    std::string written = ::testing::internal::GetCapturedStderr();
    // The first look for a display in the process says why there is none.
    const std::string reason = "platform_no_display_test: no display: DISPLAY is not set\n";
    if (written.compare(0, reason.size(), reason) == 0) written.erase(0, reason.size());
    EXPECT_EQ(written, std::string(c.caption) + ": " + c.text + "\n");
  }
}

}  // namespace
