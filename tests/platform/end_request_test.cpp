// The machine asking the program to end: SIGTERM, SIGINT, SIGHUP and
// SIGQUIT reach the program as the close command of its windows (WM_CLOSE,
// posted), never as the end of the process. (The real game ending on each,
// during play and at a message box, is an end-to-end test: tests/e2e.)
#include <csignal>

#include "layer_fixture.h"

namespace layer_test {
namespace {

// Keeps its window on WM_CLOSE, as the game's procedure does.
LRESULT CALLBACK KeepOnClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) return 0;
  return RecordingProc(window, message, wParam, lParam);
}

class EndRequestTest : public LayerTest {
 protected:
  // How often WM_CLOSE was sent through DispatchMessageA since `from`.
  static int ClosesDispatchedSince(size_t from) {
    int closes = 0;
    for (const auto& delivered : DeliveredSince(from))
      if (delivered.first == WM_CLOSE && delivered.second == "DispatchMessageA") ++closes;
    return closes;
  }
};

TEST_F(EndRequestTest, EachSignalIsTheWindowsCloseCommand) {
  ASSERT_TRUE(Register(KeepOnClose));
  HWND window = MakeWindow();
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOW);
  Pump();
  for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
    size_t mark = DriveDeliveredMessages().size();
    ASSERT_EQ(std::raise(signal), 0);
    std::vector<MSG> taken = Pump();
    EXPECT_EQ(ClosesDispatchedSince(mark), 1) << "signal " << signal;
    ASSERT_EQ(taken.size(), 1u) << "signal " << signal;
    EXPECT_EQ(taken[0].hwnd, window);
    // The window stays until the program destroys it, as with the close box.
    EXPECT_EQ(DriveSnapshot().liveWindows, 1);
  }
}

TEST_F(EndRequestTest, ASignalWithNoWindowWaitsForTheFirstOne) {
  ASSERT_TRUE(Register(KeepOnClose));
  HWND first = MakeWindow();  // starts the display connection
  ASSERT_NE(first, nullptr);
  DestroyWindow(first);
  Forget(first);
  Pump();
  ASSERT_EQ(std::raise(SIGTERM), 0);
  EXPECT_TRUE(Pump().empty());  // nobody to tell yet
  HWND window = MakeWindow();
  ASSERT_NE(window, nullptr);
  size_t mark = DriveDeliveredMessages().size();
  Pump();
  EXPECT_EQ(ClosesDispatchedSince(mark), 1);
  EXPECT_TRUE(Pump().empty());  // once
}

}  // namespace
}  // namespace layer_test
