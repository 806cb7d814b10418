// Every failure the window code can meet, met by the whole program: AppMain
// under the scripted driver, with the failure injected at start-up, at the
// reopen after F1, or in the teardown at the end. Each ends in its own
// message, then a clean exit with the documented status (1 when the window
// cannot be opened or reopened, the quit message's 0 otherwise), and leaves
// the display mode restored and the cursor shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/main.h"
#include "app/window.h"
#include "game/keys.h"
#include "game/world.h"
#include "platform/testing/driver.h"
#include "shell_fixture.h"

namespace {

enum class When { StartUp, AfterF1, Teardown };

struct FailureRow {
  int number;  // the message's number in the window code's table
  When when;
  const char* operation;  // the layer operation made to fail
  int nth;                // which call of it fails, counted from the moment it is armed
  const char* text;
  const char* caption;
  unsigned style;
  int status;       // AppMain's result
  int windowsLeft;  // windows and classes still there at exit, by design
  int classesLeft;
};

const char* const kError = "ERROR";
const char* const kShutdown = "SHUTDOWN ERROR";

const FailureRow kRows[] = {
    {1, When::StartUp, "RegisterClassA", 1, "Failed To Register The Window Class.", kError, 0x30, 1, 0, 0},
    {4, When::StartUp, "CreateWindowExA", 1, "Window Creation Error.", kError, 0x30, 1, 0, 0},
    {5, When::StartUp, "GetDC", 1, "Can't Create A GL Device Context.", kError, 0x30, 1, 0, 0},
    {6, When::StartUp, "ChoosePixelFormat", 1, "Can't Find A Suitable PixelFormat.", kError, 0x30, 1, 0, 0},
    {7, When::StartUp, "SetPixelFormat", 1, "Can't Set The PixelFormat.", kError, 0x30, 1, 0, 0},
    {8, When::StartUp, "wglCreateContext", 1, "Can't Create A GL Rendering Context.", kError, 0x30, 1, 0, 0},
    {9, When::StartUp, "wglMakeCurrent", 1, "Can't Activate The GL Rendering Context.", kError, 0x30, 1, 0, 0},
    // After F1 the old window's teardown comes first; its release of the
    // context is the first wglMakeCurrent, the reopen's the second.
    {4, When::AfterF1, "CreateWindowExA", 1, "Window Creation Error.", kError, 0x30, 1, 0, 0},
    {5, When::AfterF1, "GetDC", 1, "Can't Create A GL Device Context.", kError, 0x30, 1, 0, 0},
    {6, When::AfterF1, "ChoosePixelFormat", 1, "Can't Find A Suitable PixelFormat.", kError, 0x30, 1, 0, 0},
    {7, When::AfterF1, "SetPixelFormat", 1, "Can't Set The PixelFormat.", kError, 0x30, 1, 0, 0},
    {8, When::AfterF1, "wglCreateContext", 1, "Can't Create A GL Rendering Context.", kError, 0x30, 1, 0, 0},
    {9, When::AfterF1, "wglMakeCurrent", 2, "Can't Activate The GL Rendering Context.", kError, 0x30, 1, 0, 0},
    {1, When::AfterF1, "RegisterClassA", 1, "Failed To Register The Window Class.", kError, 0x30, 1, 0, 0},
    // Teardown failures are reported and the teardown goes on. A window
    // whose destruction failed, or a class that would not go, stays.
    {11, When::Teardown, "wglMakeCurrent", 1, "Release Of DC And RC Failed.", kShutdown, 0x40, 0, 0, 0},
    {12, When::Teardown, "wglDeleteContext", 1, "Release Rendering Context Failed.", kShutdown, 0x40, 0, 0, 0},
    {13, When::Teardown, "ReleaseDC", 1, "Release Device Context Failed.", kShutdown, 0x40, 0, 0, 0},
    {14, When::Teardown, "DestroyWindow", 1, "Could Not Release hWnd.", kShutdown, 0x40, 0, 1, 1},
    {15, When::Teardown, "UnregisterClassA", 1, "Could Not Unregister Class.", kShutdown, 0x40, 0, 0, 1},
};

const std::vector<std::pair<int, int>> kWith640x480 = {{1024, 768}, {640, 480}};

class ExitPaths : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }

  void Reset() {
    DriveReset();
    // Whatever a failed teardown left in the layer goes now.
    while (DriveSnapshot().liveWindows > 0 && leftWindow) {
      DestroyWindow(leftWindow);
      leftWindow = nullptr;
    }
    UnregisterClassA("OpenGL", GetModuleHandleA(nullptr));
    if (leftContext) wglDeleteContext(leftContext);
    leftContext = nullptr;
    world = GameWorld();
    ResetShell();
    DriveVirtualTime(true, 1000000);
    DriveAutoAdvance(1000, 1);
  }

  HWND leftWindow = nullptr;
  HGLRC leftContext = nullptr;  // a context whose deletion was made to fail
};

}  // namespace

TEST_F(ExitPaths, EveryFailureEndsInItsMessageAndACleanExit) {
  const LayerSnapshot base = DriveSnapshot();
  for (const FailureRow& row : kRows) {
    SCOPED_TRACE(testing::Message() << "message " << row.number << " (" << row.operation << ") "
                                    << (row.when == When::StartUp   ? "at start-up"
                                        : row.when == When::AfterF1 ? "after F1"
                                                                    : "in the teardown"));
    Reset();
    // Start-up and teardown run fullscreen, so the display mode and the
    // cursor have something to be restored from; F1 goes windowed to
    // fullscreen.
    DriveDisplayModes(kWith640x480);
    DriveAnswerBoxes({row.when == When::AfterF1 ? IDNO : IDYES});
    if (row.when == When::StartUp) DriveFail(row.operation, row.nth);
    int passes = 0;
    DriveOnPeek([&](int) {
      ++passes;
      if (passes == 3) DriveKey(VK_RIGHT, true);
      if (passes == 6) {
        if (row.when == When::AfterF1) {
          DriveKey(VK_F1, true);
          DriveFail(row.operation, row.nth);
        } else {
          leftWindow = mainWindow;
          if (row.number == 12) leftContext = renderContext;
          DriveFail(row.operation, row.nth);
          DriveCloseButton();
        }
      }
      if (passes > 200) DriveKey(VK_ESCAPE, true);  // a safety net; never reached
    });

    const int status = AppMain(nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(status, row.status);
    EXPECT_LT(passes, 200);

    // The message, once, in its own words. (A window that would not go
    // keeps its class too, so message 14 is followed by 15, as on Windows.)
    const std::vector<ShownBox>& boxes = DriveShownBoxes();
    auto found = std::find_if(boxes.begin(), boxes.end(), [&](const ShownBox& b) { return b.text == row.text; });
    ASSERT_NE(found, boxes.end());
    const ShownBox& box = *found;
    if (row.number != 14) {
      EXPECT_EQ(&box, &boxes.back());
    }
    EXPECT_EQ(box.caption, row.caption);
    EXPECT_EQ(box.style, row.style);
    EXPECT_EQ(std::count_if(boxes.begin(), boxes.end(), [&](const ShownBox& b) { return b.text == row.text; }), 1);
    // A set-up failure is shown after the mode was given back and the
    // cursor shown again.
    if (row.when != When::Teardown) {
      EXPECT_FALSE(box.state.displayModeChanged);
      EXPECT_EQ(box.state.cursorCounter, base.cursorCounter);
    }

    // Nothing left behind but what the design keeps on that failure.
    const LayerSnapshot end = DriveSnapshot();
    EXPECT_FALSE(end.displayModeChanged);
    EXPECT_EQ(end.cursorCounter, base.cursorCounter);
    EXPECT_FALSE(end.contextCurrent);
    EXPECT_EQ(end.liveWindows, base.liveWindows + row.windowsLeft);
    EXPECT_EQ(end.registeredClasses, base.registeredClasses + row.classesLeft);
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(deviceContext, nullptr);
    EXPECT_EQ(renderContext, nullptr);
  }
}

// The fullscreen mode refused and windowed mode declined: messages 2 and 3,
// no window ever, exit status 1; the class stays registered, as the program
// ends there.
TEST_F(ExitPaths, RefusedModeDeclinedEndsWithStatusOne) {
  const LayerSnapshot base = DriveSnapshot();
  DriveDisplayModes({{1024, 768}});
  DriveAnswerBoxes({IDYES, IDNO});
  EXPECT_EQ(AppMain(nullptr, nullptr, nullptr, 0), 1);
  const std::vector<ShownBox>& boxes = DriveShownBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[1].text,
            "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?");
  EXPECT_EQ(boxes[1].style, unsigned(MB_YESNO | MB_ICONWARNING));
  EXPECT_EQ(boxes[2].text, "Program Will Now Close.");
  EXPECT_EQ(boxes[2].style, unsigned(MB_OK | MB_ICONERROR));
  const LayerSnapshot end = DriveSnapshot();
  EXPECT_FALSE(end.displayModeChanged);
  EXPECT_EQ(end.cursorCounter, base.cursorCounter);
  EXPECT_EQ(end.liveWindows, base.liveWindows);
  EXPECT_EQ(end.registeredClasses, base.registeredClasses + 1);
}

// No display at all: the question cannot be shown (the layer takes its
// Escape answer, No, and writes it to standard error), the window cannot
// be made, exit status 1.
TEST_F(ExitPaths, NoDisplayEndsWithStatusOne) {
  const LayerSnapshot base = DriveSnapshot();
  DriveNoDisplay(true);
  EXPECT_EQ(AppMain(nullptr, nullptr, nullptr, 0), 1);
  const std::vector<ShownBox>& boxes = DriveShownBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, "Start FullScreen?");
  EXPECT_EQ(boxes[0].answer, IDNO);
  EXPECT_EQ(boxes[1].text, "Window Creation Error.");
  const LayerSnapshot end = DriveSnapshot();
  EXPECT_FALSE(end.displayModeChanged);
  EXPECT_EQ(end.cursorCounter, base.cursorCounter);
  EXPECT_EQ(end.liveWindows, base.liveWindows);
  EXPECT_EQ(end.registeredClasses, base.registeredClasses);
}
