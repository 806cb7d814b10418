// Opening and closing the game window under the scripted driver: every
// failure message with the moment it comes up, the fullscreen request and
// its windowed fallback, and the pixel-format request filled once.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/window.h"
#include "platform/testing/driver.h"
#include "scene_stub.h"
#include "shell_fixture.h"

namespace {

const std::vector<std::pair<int, int>> kWith640x480 = {{1024, 768}, {800, 600}, {640, 480}};
const std::vector<std::pair<int, int>> kWithout640x480 = {{1024, 768}, {800, 600}};

const char* const kNotSupported =
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?";

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetShell();
    sceneStub = SceneStub();
    base = DriveSnapshot();
  }
  void TearDown() override { ResetShell(); }
  LayerSnapshot base{};
};

// One row per failure message: where it is provoked, what it says, what
// had been released when it came up, and what is left afterwards.
struct FailureRow {
  int number;
  const char* operation;  // the Win32 operation made to fail; null: the scene set-up fails
  bool duringClose;       // the operation fails in CloseMainWindow rather than OpenMainWindow
  const char* text;
  const char* caption;
  unsigned style;
  // The layer when the box came up (cursor relative to program start).
  bool boxModeChanged;
  int boxCursor;
  int boxWindows;
  int boxClasses;
  bool boxCurrent;
  // What is left once the call returned.
  int leftWindows;
  int leftClasses;
  bool instanceKept;  // appInstance still holds the module handle
  // A box the failure brings on later in the same teardown, or null.
  const char* followingText;
};

// Every row opens fullscreen with the 640x480 mode offered, so the display
// mode really is changed and the cursor hidden before the failing step.
const FailureRow kFailures[] = {
    {1, "RegisterClassA", false, "Failed To Register The Window Class.", "ERROR", 0x30, false, 0, 0, 0, false, 0, 0,
     true, nullptr},
    {4, "CreateWindowExA", false, "Window Creation Error.", "ERROR", 0x30, false, 0, 0, 0, false, 0, 0, false, nullptr},
    {5, "GetDC", false, "Can't Create A GL Device Context.", "ERROR", 0x30, false, 0, 0, 0, false, 0, 0, false,
     nullptr},
    {6, "ChoosePixelFormat", false, "Can't Find A Suitable PixelFormat.", "ERROR", 0x30, false, 0, 0, 0, false, 0, 0,
     false, nullptr},
    {7, "SetPixelFormat", false, "Can't Set The PixelFormat.", "ERROR", 0x30, false, 0, 0, 0, false, 0, 0, false,
     nullptr},
    {8, "wglCreateContext", false, "Can't Create A GL Rendering Context.", "ERROR", 0x30, false, 0, 0, 0, false, 0, 0,
     false, nullptr},
    {9, "wglMakeCurrent", false, "Can't Activate The GL Rendering Context.", "ERROR", 0x30, false, 0, 0, 0, false, 0, 0,
     false, nullptr},
    // The real InitScene never fails; the stand-in is told to.
    {10, nullptr, false, "Initialization Failed.", "ERROR", 0x30, false, 0, 0, 0, false, 0, 0, false, nullptr},
    // Teardown: the display mode and cursor come back first, then each
    // release in turn; a failed one is reported and the rest still run.
    {11, "wglMakeCurrent", true, "Release Of DC And RC Failed.", "SHUTDOWN ERROR", 0x40, false, 0, 1, 1, true, 0, 0,
     false, nullptr},
    {12, "wglDeleteContext", true, "Release Rendering Context Failed.", "SHUTDOWN ERROR", 0x40, false, 0, 1, 1, false,
     0, 0, false, nullptr},
    {13, "ReleaseDC", true, "Release Device Context Failed.", "SHUTDOWN ERROR", 0x40, false, 0, 1, 1, false, 0, 0,
     false, nullptr},
    // A window that would not go keeps its class registered, as on Windows,
    // so the class release that is still attempted fails too.
    {14, "DestroyWindow", true, "Could Not Release hWnd.", "SHUTDOWN ERROR", 0x40, false, 0, 1, 1, false, 1, 1, false,
     "Could Not Unregister Class."},
    {15, "UnregisterClassA", true, "Could Not Unregister Class.", "SHUTDOWN ERROR", 0x40, false, 0, 0, 1, false, 0, 1,
     false, nullptr},
};

TEST_F(WindowTest, EveryFailureIsReportedInItsOwnWordsAfterTheRightTeardown) {
  for (const FailureRow& row : kFailures) {
    SCOPED_TRACE("message " + std::to_string(row.number));
    ResetShell();
    sceneStub = SceneStub();
    LayerSnapshot start = DriveSnapshot();
    DriveDisplayModes(kWith640x480);

    if (!row.duringClose) {
      if (row.operation)
        DriveFail(row.operation);
      else
        sceneStub.initResult = false;
      EXPECT_FALSE(OpenMainWindow(kTitle, 640, 480, 16, true));
    } else {
      ASSERT_TRUE(OpenMainWindow(kTitle, 640, 480, 16, true));
      ASSERT_TRUE(DriveShownBoxes().empty());
      ASSERT_TRUE(DriveSnapshot().displayModeChanged);
      DriveFail(row.operation);
    }
    HWND window = mainWindow;
    HGLRC context = renderContext;
    if (row.duringClose) CloseMainWindow();

    const std::vector<ShownBox>& boxes = DriveShownBoxes();
    ASSERT_EQ(boxes.size(), row.followingText ? 2u : 1u);
    if (row.followingText) {
      EXPECT_EQ(boxes[1].text, row.followingText);
    }
    EXPECT_EQ(boxes[0].text, row.text);
    EXPECT_EQ(boxes[0].caption, row.caption);
    EXPECT_EQ(boxes[0].style, row.style);
    LayerSnapshot expected = {row.boxModeChanged, start.cursorCounter + row.boxCursor,
                              start.liveWindows + row.boxWindows, start.registeredClasses + row.boxClasses,
                              row.boxCurrent};
    EXPECT_EQ(boxes[0].state, expected);

    LayerSnapshot left = DriveSnapshot();
    EXPECT_FALSE(left.displayModeChanged);
    EXPECT_EQ(left.cursorCounter, start.cursorCounter);
    EXPECT_EQ(left.liveWindows, start.liveWindows + row.leftWindows);
    EXPECT_EQ(left.registeredClasses, start.registeredClasses + row.leftClasses);
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(deviceContext, nullptr);
    EXPECT_EQ(renderContext, nullptr);
    EXPECT_EQ(appInstance, row.instanceKept ? GetModuleHandleA(nullptr) : nullptr);

    // What a failed release left behind, so the next row starts clean.
    DriveClearFaults();
    if (row.leftWindows) DestroyWindow(window);
    if (row.leftClasses) UnregisterClassA("OpenGL", GetModuleHandleA(nullptr));
    if (row.number == 12) wglDeleteContext(context);
  }
}

TEST_F(WindowTest, FullscreenAcceptedChangesTheModeAndHidesTheCursorUntilClosed) {
  DriveDisplayModes(kWith640x480);
  ASSERT_TRUE(OpenMainWindow(kTitle, 640, 480, 16, true));
  EXPECT_TRUE(DriveShownBoxes().empty());
  EXPECT_TRUE(fullscreen);
  EXPECT_EQ(DriveSnapshot(), (LayerSnapshot{true, base.cursorCounter - 1, 1, 1, true}));
  int width = 0, height = 0;
  ASSERT_TRUE(DriveClientSize(mainWindow, &width, &height));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  // The scene was set up for the requested size, in the new context.
  EXPECT_EQ(sceneStub.initCalls, 1);
  EXPECT_TRUE(sceneStub.initSawDeviceContext);
  EXPECT_TRUE(sceneStub.initSawCurrentContext);
  EXPECT_EQ(sceneStub.lastWidth, 640);
  EXPECT_EQ(sceneStub.lastHeight, 480);

  CloseMainWindow();
  EXPECT_EQ(DriveSnapshot(), ClosedState(base));
  EXPECT_TRUE(DriveShownBoxes().empty());
  ExpectHandlesNull();
}

TEST_F(WindowTest, FullscreenRefusedAndWindowedAcceptedOpensAWindowAndLeavesDisplayAndCursorAlone) {
  DriveDisplayModes(kWithout640x480);
  DriveAnswerBoxes({IDYES});
  ASSERT_TRUE(OpenMainWindow(kTitle, 640, 480, 16, true));

  const std::vector<ShownBox>& boxes = DriveShownBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, kNotSupported);
  EXPECT_EQ(boxes[0].caption, "Orvo GL");
  EXPECT_EQ(boxes[0].style, 0x34u);
  EXPECT_EQ(boxes[0].state, (LayerSnapshot{false, base.cursorCounter, 0, 1, false}));

  EXPECT_FALSE(fullscreen);
  EXPECT_EQ(DriveSnapshot(), (LayerSnapshot{false, base.cursorCounter, 1, 1, true}));
  int width = 0, height = 0;
  ASSERT_TRUE(DriveClientSize(mainWindow, &width, &height));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);

  // Closing a windowed window neither restores a mode nor shows the cursor.
  CloseMainWindow();
  EXPECT_EQ(DriveSnapshot(), ClosedState(base));
  EXPECT_EQ(DriveShownBoxes().size(), 1u);
  ExpectHandlesNull();
}

TEST_F(WindowTest, FullscreenRefusedAndWindowedDeclinedClosesWithoutAWindowAndKeepsTheClass) {
  DriveDisplayModes(kWithout640x480);
  DriveAnswerBoxes({IDNO});
  EXPECT_FALSE(OpenMainWindow(kTitle, 640, 480, 16, true));

  const std::vector<ShownBox>& boxes = DriveShownBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, kNotSupported);
  EXPECT_EQ(boxes[0].caption, "Orvo GL");
  EXPECT_EQ(boxes[0].answer, IDNO);
  EXPECT_EQ(boxes[1].text, "Program Will Now Close.");
  EXPECT_EQ(boxes[1].caption, "ERROR");
  EXPECT_EQ(boxes[1].style, 0x10u);
  for (const ShownBox& box : boxes) EXPECT_EQ(box.state, (LayerSnapshot{false, base.cursorCounter, 0, 1, false}));

  EXPECT_EQ(DriveSnapshot(), (LayerSnapshot{false, base.cursorCounter, 0, 1, false}));
  EXPECT_TRUE(DriveDeliveredMessages().empty());  // no window ever existed
  EXPECT_EQ(mainWindow, nullptr);
  EXPECT_EQ(deviceContext, nullptr);
  EXPECT_EQ(renderContext, nullptr);
  EXPECT_EQ(sceneStub.initCalls, 0);

  UnregisterClassA("OpenGL", GetModuleHandleA(nullptr));
}

TEST_F(WindowTest, WindowedOpenLeavesTheDisplayModeAndCursorAlone) {
  ASSERT_TRUE(OpenMainWindow(kTitle, 640, 480, 16, false));
  EXPECT_FALSE(fullscreen);
  EXPECT_EQ(DriveSnapshot(), (LayerSnapshot{false, base.cursorCounter, 1, 1, true}));
  int width = 0, height = 0;
  ASSERT_TRUE(DriveClientSize(mainWindow, &width, &height));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  CloseMainWindow();
  EXPECT_EQ(DriveSnapshot(), ClosedState(base));
  ExpectHandlesNull();
}

// ResetShell puts the request back as it is at program start.
TEST_F(WindowTest, PixelFormatRequestIsFilledByTheFirstOpenOnly) {
  PIXELFORMATDESCRIPTOR initial = {};
  initial.nSize = 40;
  initial.nVersion = 1;
  initial.dwFlags = 0x25;
  initial.iPixelType = PFD_TYPE_RGBA;
  EXPECT_EQ(std::memcmp(&pixelFormatRequest, &initial, sizeof initial), 0);

  ASSERT_TRUE(OpenMainWindow(kTitle, 640, 480, 16, false));
  PIXELFORMATDESCRIPTOR filled = initial;
  filled.cColorBits = 16;
  filled.cDepthBits = 16;
  EXPECT_EQ(std::memcmp(&pixelFormatRequest, &filled, sizeof filled), 0);
  CloseMainWindow();

  // A later open, with another colour depth, uses the record as it stands.
  pixelFormatRequest.cDepthBits = 24;
  ASSERT_TRUE(OpenMainWindow(kTitle, 640, 480, 24, false));
  EXPECT_EQ(pixelFormatRequest.cColorBits, 16);
  EXPECT_EQ(pixelFormatRequest.cDepthBits, 24);
  CloseMainWindow();
  pixelFormatRequest.cDepthBits = 16;
}

}  // namespace
