// AppMain run in-process under the scripted driver with virtual time: the
// start-up question, paced idle passes, Escape, minimising, the F1 toggle,
// the close button and the exit statuses.
#include <cmath>
#include <functional>
#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "app/clock.h"
#include "app/main.h"
#include "app/window.h"
#include "game/world.h"
#include "platform/testing/driver.h"
#include "call_counts.h"
#include "shell_fixture.h"

namespace {

const std::vector<std::pair<int, int>> kWith640x480 = {{1024, 768}, {640, 480}};
const std::vector<std::pair<int, int>> kWithout640x480 = {{1024, 768}};

// What the program looked like at the start of one PeekMessageA: after the
// previous pass, before the next.
struct PassRecord {
  int peek;
  double clock;  // ReadFrameClock
  int64_t counterStart;
  bool fullscreen;
  bool appActive;
  HWND window;
  float headX;  // NAN before the first frame built the board
  size_t snakeLength;
  char heading;
  int swaps;
  LayerSnapshot layer;
  int clientWidth, clientHeight;
};

float HeadX() { return world.snakeX.empty() ? NAN : world.snakeX[0]; }

class AppMainTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetShell();
    world = GameWorld();
    base = DriveSnapshot();
    // One microsecond ticks; every clock read moves time on by 1 ms, so the
    // busy-wait of a pass ends after about forty reads.
    DriveVirtualTime(true, 1000000);
    DriveAutoAdvance(1000, 1);
  }
  void TearDown() override {
    ResetShell();
    world = GameWorld();
  }

  // Runs AppMain with `actions[n]` done at the start of the nth PeekMessageA
  // (counted from 0), recording every pass.
  int Run(const std::vector<int>& answers, std::map<int, std::function<void()>> actions) {
    DriveAnswerBoxes(answers);
    DriveOnPeek([this, actions](int peek) {
      PassRecord r = {peek,    ReadFrameClock(),    frameClock.counterStart, fullscreen,  appActive,       mainWindow,
                      HeadX(), world.snakeX.size(), world.heading,           SwapCount(), DriveSnapshot(), 0,
                      0};
      if (mainWindow) DriveClientSize(mainWindow, &r.clientWidth, &r.clientHeight);
      records.push_back(r);
      auto found = actions.find(peek);
      if (found != actions.end()) found->second();
    });
    return AppMain(nullptr, nullptr, nullptr, 0);
  }

  // Index of the first record for which `test` holds, or -1.
  int FirstRecord(const std::function<bool(const PassRecord&)>& test) const {
    for (size_t i = 0; i < records.size(); ++i)
      if (test(records[i])) return int(i);
    return -1;
  }

  void ExpectStartQuestionFirst() const {
    ASSERT_FALSE(DriveShownBoxes().empty());
    const ShownBox& box = DriveShownBoxes()[0];
    EXPECT_EQ(box.text, "Would You Like To Run In Fullscreen Mode?");
    EXPECT_EQ(box.caption, "Start FullScreen?");
    EXPECT_EQ(box.style, 0x24u);
    EXPECT_EQ(box.state.liveWindows, base.liveWindows);
  }

  void ExpectAllClosed() const {
    EXPECT_EQ(DriveSnapshot(), ClosedState(base));
    ExpectHandlesNull();
  }

  LayerSnapshot base{};
  std::vector<PassRecord> records;
};

void Press(int key) { DriveKey(key, true); }

TEST_F(AppMainTest, AnsweredNoThenEscapeDrawsAndStepsTheLastFrameWithoutShowingIt) {
  int status = Run({IDNO}, {{2, [] { Press(VK_RIGHT); }}, {20, [] { Press(VK_ESCAPE); }}});
  EXPECT_EQ(status, 0);
  ExpectStartQuestionFirst();
  EXPECT_EQ(DriveShownBoxes().size(), 1u);
  EXPECT_FALSE(fullscreen);

  // The window was windowed, 640 x 480, while the game ran.
  int during = FirstRecord([](const PassRecord& r) { return r.swaps > 0; });
  ASSERT_GE(during, 0);
  EXPECT_FALSE(records[during].layer.displayModeChanged);
  EXPECT_EQ(records[during].layer.cursorCounter, base.cursorCounter);
  EXPECT_EQ(records[during].clientWidth, 640);
  EXPECT_EQ(records[during].clientHeight, 480);

  // The snake ran right, one cell per shown frame...
  ASSERT_FALSE(records.empty());
  const PassRecord& last = records.back();
  EXPECT_GT(last.headX, 59.0f);
  EXPECT_EQ(last.heading, 'R');
  // ...and the Escape pass drew and stepped once more but swapped nothing.
  EXPECT_EQ(HeadX(), last.headX + 1.0f);
  EXPECT_EQ(SwapCount(), last.swaps);
  ExpectAllClosed();
}

TEST_F(AppMainTest, MinimisedPassesSwapAndSteerButDoNotDrawSoTheGameStands) {
  int status = Run({IDNO}, {{2, [] { Press(VK_RIGHT); }},
                            {12, [] { DriveMinimise(); }},
                            {24, [] { Press(VK_UP); }},
                            {36, [] { DriveRestore(); }},
                            {48, [] { Press(VK_ESCAPE); }}});
  EXPECT_EQ(status, 0);

  int first = FirstRecord([](const PassRecord& r) { return !r.appActive; });
  ASSERT_GE(first, 0);
  int last = first;
  while (last + 1 < int(records.size()) && !records[last + 1].appActive) ++last;
  ASSERT_LT(last + 1, int(records.size())) << "the window was never restored";

  // While minimised: the board stands, yet buffers are swapped every idle
  // pass and the arrow keys are still applied.
  EXPECT_EQ(records[first].headX, records[last].headX);
  EXPECT_EQ(records[first].snakeLength, records[last].snakeLength);
  EXPECT_GE(records[last].swaps - records[first].swaps, 5);
  EXPECT_EQ(records[last].heading, 'U');
  // Restored: the snake moves again, now upwards.
  ASSERT_FALSE(world.snakeY.empty());
  EXPECT_GT(world.snakeY[0], 40.0f);
  ExpectAllClosed();
}

TEST_F(AppMainTest, F1RebuildsTheWindowInTheOtherModeAndTheGameAndClockGoOn) {
  DriveDisplayModes(kWith640x480);
  int status = Run({IDNO}, {{2, [] { Press(VK_RIGHT); }}, {12, [] { Press(VK_F1); }}, {30, [] { Press(VK_ESCAPE); }}});
  EXPECT_EQ(status, 0);
  EXPECT_EQ(DriveShownBoxes().size(), 1u);  // the start-up question only

  int after = FirstRecord([](const PassRecord& r) { return r.fullscreen; });
  ASSERT_GT(after, 0);
  const PassRecord& before = records[after - 1];
  const PassRecord& toggled = records[after];
  EXPECT_FALSE(before.fullscreen);

  // The new window is fullscreen: mode changed, cursor hidden.
  EXPECT_EQ(toggled.layer, (LayerSnapshot{true, base.cursorCounter - 1, 1, 1, true}));
  EXPECT_NE(toggled.window, nullptr);
  EXPECT_EQ(toggled.clientWidth, 640);
  EXPECT_EQ(toggled.clientHeight, 480);
  // The toggling pass showed its frame first, then the window was rebuilt.
  EXPECT_EQ(toggled.swaps, before.swaps + 1);
  EXPECT_EQ(toggled.headX, before.headX + 1.0f);
  EXPECT_EQ(toggled.snakeLength, before.snakeLength);
  EXPECT_FALSE(keyDown[VK_F1]);

  // The game goes on from the same state in the new window, on the same clock.
  EXPECT_GT(records.back().headX, toggled.headX);
  EXPECT_EQ(records.back().snakeLength, toggled.snakeLength);
  for (const PassRecord& r : records) EXPECT_EQ(r.counterStart, records[0].counterStart);
  for (size_t i = 1; i < records.size(); ++i) EXPECT_GE(records[i].clock, records[i - 1].clock);

  // The last close gave the desktop its mode back and showed the cursor.
  EXPECT_TRUE(fullscreen);
  ExpectAllClosed();
}

TEST_F(AppMainTest, F1AndEscapeInOnePassRebuildTheWindowThenEnd) {
  DriveDisplayModes(kWith640x480);
  int status = Run({IDNO}, {{2, [] { Press(VK_RIGHT); }}, {10, [] {
                                                             Press(VK_F1);
                                                             Press(VK_ESCAPE);
                                                           }}});
  EXPECT_EQ(status, 0);
  ASSERT_FALSE(records.empty());
  const PassRecord& last = records.back();
  EXPECT_FALSE(last.fullscreen);
  // The last pass drew without swapping, then toggled: fullscreen is now
  // set, and the final close restored the mode and the cursor that the
  // fullscreen reopen had changed (a reopen that did not happen would leave
  // the cursor counter one too high).
  EXPECT_EQ(HeadX(), last.headX + 1.0f);
  EXPECT_EQ(SwapCount(), last.swaps);
  EXPECT_TRUE(fullscreen);
  EXPECT_FALSE(keyDown[VK_F1]);
  EXPECT_EQ(DriveShownBoxes().size(), 1u);
  ExpectAllClosed();
}

TEST_F(AppMainTest, CloseButtonEndsWithStatusZeroAndTheQuitPassDrawsNothing) {
  int status = Run({IDNO}, {{2, [] { Press(VK_RIGHT); }}, {12, [] { DriveCloseButton(); }}});
  EXPECT_EQ(status, 0);
  ASSERT_FALSE(records.empty());
  const PassRecord& last = records.back();                  // the pass that took WM_QUIT
  EXPECT_EQ(last.layer.liveWindows, base.liveWindows + 1);  // WM_CLOSE left the window
  EXPECT_EQ(HeadX(), last.headX);
  EXPECT_EQ(SwapCount(), last.swaps);
  ExpectAllClosed();
}

TEST_F(AppMainTest, QuitMessageParameterIsTheExitStatus) {
  int status = Run({IDNO}, {{5, [] { PostQuitMessage(3); }}});
  EXPECT_EQ(status, 3);
  ExpectAllClosed();
}

// Clock sources and read steps; with each, every idle pass (one that
// swapped, or the final one) lasts at least 40 ms of clock time.
struct PacingRow {
  bool hasCounter;
  int64_t frequency;
  int64_t countsPerRead;
  uint32_t millisecondsPerRead;
};
const PacingRow kPacing[] = {
    {true, 1000000, 1000, 0},  // 1 ms per read
    {true, 1000000, 7300, 0},  // readings overshoot the limit
    {true, 3579545, 1, 0},     // an odd frequency, tiny steps
    {false, 0, 0, 3},          // the millisecond clock
};

TEST_F(AppMainTest, EveryIdlePassLastsAtLeastFortyMillisecondsOfClockTime) {
  for (const PacingRow& row : kPacing) {
    SCOPED_TRACE(testing::Message() << "counter " << row.hasCounter << " frequency " << row.frequency << " step "
                                    << row.countsPerRead << "/" << row.millisecondsPerRead);
    ResetShell();
    world = GameWorld();
    records.clear();
    DriveVirtualTime(row.hasCounter, row.frequency);
    DriveAutoAdvance(row.countsPerRead, row.millisecondsPerRead);
    EXPECT_EQ(Run({IDNO}, {{15, [] { Press(VK_ESCAPE); }}}), 0);

    int idle = 0;
    for (size_t i = 1; i < records.size(); ++i) {
      if (records[i].swaps == records[i - 1].swaps) continue;
      ++idle;
      EXPECT_GE(records[i].clock - records[i - 1].clock, 40.0) << "pass before peek " << records[i].peek;
    }
    EXPECT_GE(idle, 8);
    EXPECT_GE(ReadFrameClock() - records.back().clock, 40.0) << "the Escape pass";
  }
}

// The window cannot be opened, at start-up or on F1: exit status 1.
TEST_F(AppMainTest, WindowThatCannotBeOpenedEndsWithStatusOne) {
  {
    SCOPED_TRACE("no window at start-up");
    DriveFail("CreateWindowExA");
    EXPECT_EQ(Run({IDNO}, {}), 1);
    ASSERT_EQ(DriveShownBoxes().size(), 2u);
    EXPECT_EQ(DriveShownBoxes()[1].text, "Window Creation Error.");
    EXPECT_TRUE(records.empty());  // the loop never ran
    ExpectAllClosed();
  }
  {
    SCOPED_TRACE("fullscreen refused and windowed mode declined");
    ResetShell();
    records.clear();
    DriveDisplayModes(kWithout640x480);
    EXPECT_EQ(Run({IDYES, IDNO}, {}), 1);
    ASSERT_EQ(DriveShownBoxes().size(), 3u);
    EXPECT_EQ(DriveShownBoxes()[2].text, "Program Will Now Close.");
    EXPECT_TRUE(records.empty());
    UnregisterClassA("OpenGL", GetModuleHandleA(nullptr));
  }
  {
    SCOPED_TRACE("no window after F1");
    ResetShell();
    world = GameWorld();
    records.clear();
    DriveVirtualTime(true, 1000000);
    DriveAutoAdvance(1000, 1);
    DriveDisplayModes(kWith640x480);
    EXPECT_EQ(Run({IDNO}, {{6,
                            [] {
                              Press(VK_F1);
                              DriveFail("CreateWindowExA");
                            }}}),
              1);
    ASSERT_EQ(DriveShownBoxes().size(), 2u);
    EXPECT_EQ(DriveShownBoxes()[1].text, "Window Creation Error.");
    ExpectAllClosed();
  }
}

}  // namespace
