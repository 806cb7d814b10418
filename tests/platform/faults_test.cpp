// Every layer operation that can fail, made to fail by the driver: it
// returns its own Win32 failure value, changes nothing, and works again once
// the fault is spent.
#include <functional>

#include "layer_fixture.h"

namespace layer_test {
namespace {

// The objects a failing call works on, made before the fault is armed.
struct Scene {
  HWND window = nullptr;
  HDC dc = nullptr;
  HGLRC context = nullptr;
  int format = 0;
};

struct FaultCase {
  const char* operation;
  bool needsContext;  // the scene has a format and a current context
  // Calls the operation; true when its result is the failure value.
  std::function<bool(Scene&)> callFails;
};

DEVMODEA SmallMode() { return DisplayModeRequest(640, 480); }

const FaultCase kFaults[] = {
    {"RegisterClassA", false,
     [](Scene&) {
       WNDCLASSA record = {};
       record.lpfnWndProc = RecordingProc;
       record.lpszClassName = "Another";
       ATOM atom = RegisterClassA(&record);
       if (atom) UnregisterClassA("Another", nullptr);
       return atom == 0;
     }},
    {"UnregisterClassA", false,
     [](Scene&) {
       WNDCLASSA record = {};
       record.lpfnWndProc = RecordingProc;
       record.lpszClassName = "Another";
       RegisterClassA(&record);
       BOOL done = UnregisterClassA("Another", nullptr);
       if (!done) {
         DriveClearFaults();
         UnregisterClassA("Another", nullptr);
       }
       return done == FALSE;
     }},
    {"CreateWindowExA", false,
     [](Scene&) {
       HWND window = CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
       if (window) DestroyWindow(window);
       return window == nullptr;
     }},
    {"DestroyWindow", false,
     [](Scene&) {
       HWND window = CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
       BOOL done = DestroyWindow(window);
       if (!done) {
         DriveClearFaults();
         DestroyWindow(window);
       }
       return done == FALSE;
     }},
    {"GetDC", false, [](Scene& s) { return GetDC(s.window) == nullptr; }},
    {"ReleaseDC", false, [](Scene& s) { return ReleaseDC(s.window, s.dc) == 0; }},
    {"ChoosePixelFormat", false,
     [](Scene& s) {
       PIXELFORMATDESCRIPTOR request = GameFormatRequest();
       return ChoosePixelFormat(s.dc, &request) == 0;
     }},
    {"SetPixelFormat", false,
     [](Scene& s) {
       PIXELFORMATDESCRIPTOR request = GameFormatRequest();
       return SetPixelFormat(s.dc, ChoosePixelFormat(s.dc, &request), &request) == FALSE;
     }},
    {"wglCreateContext", true,
     [](Scene& s) {
       HGLRC context = wglCreateContext(s.dc);
       if (context) wglDeleteContext(context);
       return context == nullptr;
     }},
    {"wglMakeCurrent", true, [](Scene& s) { return wglMakeCurrent(s.dc, s.context) == FALSE; }},
    {"wglDeleteContext", true,
     [](Scene& s) {
       HGLRC context = wglCreateContext(s.dc);
       BOOL done = wglDeleteContext(context);
       if (!done) {
         DriveClearFaults();
         wglDeleteContext(context);
       }
       return done == FALSE;
     }},
    {"SwapBuffers", true, [](Scene& s) { return SwapBuffers(s.dc) == FALSE; }},
    {"ChangeDisplaySettingsA", false,
     [](Scene&) {
       DriveDisplayModes({{640, 480}});
       DEVMODEA mode = SmallMode();
       return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_FAILED;
     }},
    {"MessageBoxA", false, [](Scene&) { return MessageBoxA(nullptr, "text", "caption", MB_YESNO) == 0; }},
    {"AdjustWindowRectEx", false,
     [](Scene&) {
       RECT rect = {0, 0, 640, 480};
       return AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0) == FALSE && rect.right == 640;
     }},
    {"SetForegroundWindow", false, [](Scene& s) { return SetForegroundWindow(s.window) == FALSE; }},
    {"SetFocus", false,
     [](Scene&) {
       // SetFocus answers the previous focus, which may be null: the new
       // window getting WM_SETFOCUS tells success.
       HWND window = CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
       size_t before = ReceivedMessages().size();
       SetFocus(window);
       bool focused = false;
       for (size_t i = before; i < ReceivedMessages().size(); ++i)
         focused = focused || ReceivedMessages()[i].message == WM_SETFOCUS;
       DestroyWindow(window);
       return !focused;
     }},
    {"LoadIconA", false, [](Scene&) { return LoadIconA(nullptr, IDI_WINLOGO) == nullptr; }},
    {"LoadCursorA", false, [](Scene&) { return LoadCursorA(nullptr, IDC_ARROW) == nullptr; }},
};

class FaultTest : public LayerTest, public ::testing::WithParamInterface<FaultCase> {
 protected:
  void SetUp() override {
    LayerTest::SetUp();
    ASSERT_TRUE(Register());
    if (GetParam().needsContext) {
      ASSERT_TRUE(MakeGLWindow(&scene.window, &scene.dc, &scene.context));
    } else {
      scene.window = MakeWindow();
      ASSERT_NE(scene.window, nullptr);
      scene.dc = GetDC(scene.window);
    }
  }
  Scene scene;
};

TEST_P(FaultTest, FailsOnTheArmedCallOnly) {
  const FaultCase& c = GetParam();
  DriveFail(c.operation);
  EXPECT_TRUE(c.callFails(scene)) << "the armed call fails";
  EXPECT_FALSE(c.callFails(scene)) << "the fault is spent";

  DriveFail(c.operation, 2);
  // A failed SetPixelFormat left the window without a format and the next
  // one set it; a format is set once per window, so there is no third try.
  if (std::string(c.operation) == "SetPixelFormat") return;
  EXPECT_FALSE(c.callFails(scene)) << "the first of two calls succeeds";
  EXPECT_TRUE(c.callFails(scene)) << "the second fails";
}

TEST_F(LayerTest, EveryCallFailsUntilTheFaultsAreCleared) {
  DriveFail("GetDC", 0);
  ASSERT_TRUE(Register());
  HWND window = MakeWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetDC(window), nullptr);
  EXPECT_EQ(GetDC(window), nullptr);
  DriveClearFaults();
  EXPECT_NE(GetDC(window), nullptr);
}

TEST_F(LayerTest, FailedDestroyLeavesTheWindowAndItsClass) {
  ASSERT_TRUE(Register());
  HWND window = MakeWindow();
  DriveFail("DestroyWindow");
  EXPECT_FALSE(DestroyWindow(window));
  EXPECT_EQ(DriveSnapshot().liveWindows, 1);
  EXPECT_FALSE(UnregisterClassA(kClassName, GetModuleHandleA(nullptr))) << "as on Windows: the window lives";
}

INSTANTIATE_TEST_SUITE_P(Operations, FaultTest, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<FaultCase>& info) { return info.param.operation; });

}  // namespace
}  // namespace layer_test
