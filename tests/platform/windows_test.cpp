// Window classes, windows and device contexts: their lifecycle, the client
// size in both of the game's styles, and the messages sent from inside the
// window-system calls.
#include "layer_fixture.h"

namespace layer_test {
namespace {

using Messages = std::vector<std::pair<UINT, std::string>>;

TEST_F(LayerTest, ClassesAreKnownByNameUntilUnregistered) {
  HINSTANCE module = GetModuleHandleA(nullptr);
  EXPECT_FALSE(UnregisterClassA(kClassName, module)) << "unknown class";
  ASSERT_TRUE(Register());
  EXPECT_EQ(DriveSnapshot().registeredClasses, 1);
  EXPECT_FALSE(Register()) << "a name already registered";

  WNDCLASSA other = {};
  other.lpfnWndProc = RecordingProc;
  other.lpszClassName = "LAYERTEST";  // class names ignore case
  EXPECT_EQ(RegisterClassA(&other), 0);
  EXPECT_EQ(RegisterClassA(nullptr), 0);

  HWND window = MakeWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(UnregisterClassA(kClassName, module)) << "a window of the class still lives";
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_TRUE(UnregisterClassA("layertest", module));
  EXPECT_EQ(DriveSnapshot().registeredClasses, 0);
  EXPECT_FALSE(UnregisterClassA(kClassName, module)) << "already gone";
  EXPECT_TRUE(Register()) << "the name is free again";
}

TEST_F(LayerTest, CreateWindowNeedsARegisteredClass) {
  EXPECT_EQ(MakeWindow(), nullptr);
  EXPECT_EQ(DriveSnapshot().liveWindows, 0);
  EXPECT_TRUE(ReceivedMessages().empty());
}

TEST_F(LayerTest, StockIconAndCursorHaveLastingHandles) {
  HICON logo = LoadIconA(nullptr, IDI_WINLOGO);
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  EXPECT_NE(logo, nullptr);
  EXPECT_NE(arrow, nullptr);
  EXPECT_EQ(LoadIconA(nullptr, IDI_WINLOGO), logo);
  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
  EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(5)), nullptr);
  EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), IDC_ARROW), nullptr) << "the program has no resources";
}

struct StyleCase {
  const char* name;
  DWORD style;
  RECT adjusted;  // the adjusted outer rectangle of a 640x480 client area
};

class ClientSizeTest : public LayerTest, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(ClientSizeTest, ClientAreaIsExactlyTheRequestedSize) {
  const StyleCase& c = GetParam();
  RECT rect = {0, 0, 640, 480};
  ASSERT_TRUE(AdjustWindowRectEx(&rect, c.style, FALSE, WS_EX_APPWINDOW));
  EXPECT_EQ(rect.left, c.adjusted.left);
  EXPECT_EQ(rect.top, c.adjusted.top);
  EXPECT_EQ(rect.right, c.adjusted.right);
  EXPECT_EQ(rect.bottom, c.adjusted.bottom);

  ASSERT_TRUE(Register());
  HWND window = MakeWindow(c.style);
  ASSERT_NE(window, nullptr);
  int width = 0, height = 0;
  ASSERT_TRUE(DriveClientSize(window, &width, &height));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);

  ShowWindow(window, SW_SHOW);
  ASSERT_TRUE(DriveClientSize(window, &width, &height));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  bool sawSize = false;
  for (const Received& r : ReceivedMessages()) {
    if (r.message != WM_SIZE) continue;
    sawSize = true;
    EXPECT_EQ(LOWORD(r.lParam), 640);
    EXPECT_EQ(HIWORD(r.lParam), 480);
  }
  EXPECT_TRUE(sawSize);
}

INSTANTIATE_TEST_SUITE_P(BothStyles, ClientSizeTest,
                         ::testing::Values(StyleCase{"Overlapped", WS_OVERLAPPEDWINDOW, {-8, -31, 648, 488}},
                                           StyleCase{"Popup", WS_POPUP, {0, 0, 640, 480}}),
                         [](const ::testing::TestParamInfo<StyleCase>& info) { return info.param.name; });

TEST_F(LayerTest, AdjustWindowRectCountsTheMenuBar) {
  RECT plain = {0, 0, 100, 100}, menu = {0, 0, 100, 100};
  AdjustWindowRectEx(&plain, WS_OVERLAPPEDWINDOW, FALSE, 0);
  AdjustWindowRectEx(&menu, WS_OVERLAPPEDWINDOW, TRUE, 0);
  EXPECT_LT(menu.top, plain.top);
  EXPECT_EQ(menu.bottom, plain.bottom);
  EXPECT_FALSE(AdjustWindowRectEx(nullptr, WS_POPUP, FALSE, 0));
}

TEST_F(LayerTest, WindowSystemCallsSendTheirMessagesToTheProcedure) {
  ASSERT_TRUE(Register());
  HWND window = MakeWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(DeliveredSince(0), (Messages{{WM_NCCREATE, "CreateWindowExA"}, {WM_CREATE, "CreateWindowExA"}}));

  size_t mark = DriveDeliveredMessages().size();
  EXPECT_FALSE(ShowWindow(window, SW_SHOW)) << "was hidden";
  EXPECT_EQ(DeliveredSince(mark), (Messages{{WM_SHOWWINDOW, "ShowWindow"},
                                            {WM_ACTIVATE, "ShowWindow"},
                                            {WM_SETFOCUS, "ShowWindow"},
                                            {WM_SIZE, "ShowWindow"},
                                            {WM_MOVE, "ShowWindow"}}));
  const DeliveredMessage& activate = DriveDeliveredMessages()[mark + 1];
  EXPECT_EQ(LOWORD(activate.wParam), WA_ACTIVE);
  EXPECT_EQ(HIWORD(activate.wParam), 0);

  mark = DriveDeliveredMessages().size();
  EXPECT_TRUE(ShowWindow(window, SW_SHOW)) << "was visible";
  EXPECT_TRUE(SetForegroundWindow(window));
  EXPECT_EQ(SetFocus(window), window);
  EXPECT_EQ(DeliveredSince(mark), Messages{}) << "nothing changes, nothing is sent";

  mark = DriveDeliveredMessages().size();
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_EQ(DeliveredSince(mark), (Messages{{WM_ACTIVATE, "DestroyWindow"},
                                            {WM_KILLFOCUS, "DestroyWindow"},
                                            {WM_DESTROY, "DestroyWindow"},
                                            {WM_NCDESTROY, "DestroyWindow"}}));
  EXPECT_EQ(LOWORD(DriveDeliveredMessages()[mark].wParam), WA_INACTIVE);
  EXPECT_FALSE(DestroyWindow(window)) << "already destroyed";
  EXPECT_FALSE(ShowWindow(window, SW_SHOW));
  EXPECT_EQ(DriveSnapshot().liveWindows, 0);
}

TEST_F(LayerTest, HiddenWindowIsDestroyedWithoutDeactivation) {
  ASSERT_TRUE(Register());
  HWND window = MakeWindow();
  ASSERT_NE(window, nullptr);
  size_t mark = DriveDeliveredMessages().size();
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_EQ(DeliveredSince(mark), (Messages{{WM_DESTROY, "DestroyWindow"}, {WM_NCDESTROY, "DestroyWindow"}}));
}

TEST_F(LayerTest, ProcedureCanRefuseCreation) {
  ASSERT_TRUE(Register());
  CreateAnswer() = -1;
  EXPECT_EQ(MakeWindow(), nullptr);
  EXPECT_EQ(DeliveredSince(0), (Messages{{WM_NCCREATE, "CreateWindowExA"},
                                         {WM_CREATE, "CreateWindowExA"},
                                         {WM_DESTROY, "CreateWindowExA"},
                                         {WM_NCDESTROY, "CreateWindowExA"}}));
  EXPECT_EQ(DriveSnapshot().liveWindows, 0);
}

TEST_F(LayerTest, VisibleStyleShowsTheWindowDuringCreation) {
  ASSERT_TRUE(Register());
  HWND window = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ASSERT_NE(window, nullptr);
  Messages delivered = DeliveredSince(0);
  ASSERT_GE(delivered.size(), 3u);
  EXPECT_EQ(delivered[2].first, UINT(WM_SHOWWINDOW));
  EXPECT_TRUE(ShowWindow(window, SW_SHOW)) << "already visible";
}

TEST_F(LayerTest, DeviceContextBelongsToItsWindow) {
  ASSERT_TRUE(Register());
  HWND first = MakeWindow();
  HWND second = MakeWindow();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  HDC dc = GetDC(first);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDC(first), dc) << "one private DC per window";
  EXPECT_NE(GetDC(second), dc);
  EXPECT_EQ(ReleaseDC(second, dc), 0) << "not that window's DC";
  EXPECT_EQ(ReleaseDC(first, dc), 1);
  EXPECT_EQ(GetDC(nullptr), nullptr);
  DestroyWindow(first);
  EXPECT_EQ(GetDC(first), nullptr);
  EXPECT_EQ(ReleaseDC(first, dc), 0);
}

TEST_F(LayerTest, SnapshotCountsWindowsAndClasses) {
  LayerSnapshot empty = DriveSnapshot();
  EXPECT_EQ(empty.liveWindows, 0);
  EXPECT_EQ(empty.registeredClasses, 0);
  EXPECT_FALSE(empty.contextCurrent);
  ASSERT_TRUE(Register());
  HWND window;
  HDC dc;
  HGLRC context;
  ASSERT_TRUE(MakeGLWindow(&window, &dc, &context));
  MakeWindow();
  LayerSnapshot full = DriveSnapshot();
  EXPECT_EQ(full.liveWindows, 2);
  EXPECT_EQ(full.registeredClasses, 1);
  EXPECT_TRUE(full.contextCurrent);
}

}  // namespace
}  // namespace layer_test
