// The driver's virtual time on Windows: the program's imports of the clock
// operations read the virtual clock while it is on, and the system's clocks
// again afterwards.
#include <gtest/gtest.h>

#include "app/clock.h"
#include "platform/testing/driver.h"

namespace {

// The compiler treats an import's address as fixed for the run and may load
// it once per function, so a function sees a redirection from its next call
// on. Reads here go through functions of their own, as the clock code does.
__attribute__((noinline)) int64_t ReadFrequency(BOOL* ok) {
  LARGE_INTEGER frequency;
  frequency.QuadPart = 123;
  *ok = QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

__attribute__((noinline)) int64_t ReadCounter() {
  LARGE_INTEGER count;
  count.QuadPart = 0;
  QueryPerformanceCounter(&count);
  return count.QuadPart;
}

__attribute__((noinline)) DWORD ReadMilliseconds() { return timeGetTime(); }

class VirtualTimeTest : public testing::Test {
 protected:
  void TearDown() override { DriveRealTime(); }
};

TEST_F(VirtualTimeTest, ImportsReadTheVirtualCounterAndMillisecondClock) {
  DriveVirtualTime(true, 3579545);
  DriveSetCounter(-5);
  DriveSetMilliseconds(0xFFFFFFF0u);

  BOOL ok = FALSE;
  EXPECT_EQ(ReadFrequency(&ok), 3579545);
  EXPECT_TRUE(ok);
  EXPECT_EQ(ReadCounter(), -5);
  EXPECT_EQ(ReadMilliseconds(), 0xFFFFFFF0u);

  // Every read first advances the clock, and the millisecond clock wraps.
  DriveAutoAdvance(7, 16);
  EXPECT_EQ(ReadCounter(), 2);
  EXPECT_EQ(ReadCounter(), 9);
  EXPECT_EQ(ReadMilliseconds(), 0u);
  EXPECT_EQ(ReadMilliseconds(), 16u);
}

TEST_F(VirtualTimeTest, AMachineWithoutACounterFailsTheFrequencyQuery) {
  DriveVirtualTime(false, 1000000);
  BOOL ok = TRUE;
  EXPECT_EQ(ReadFrequency(&ok), 0);
  EXPECT_FALSE(ok);
}

TEST_F(VirtualTimeTest, RealTimeComesBackAndVirtualTimeCanStartAgain) {
  for (int round = 0; round < 2; ++round) {
    DriveVirtualTime(true, 10);
    DriveSetCounter(42);
    BOOL ok = FALSE;
    EXPECT_EQ(ReadFrequency(&ok), 10);
    EXPECT_EQ(ReadCounter(), 42);
    DriveRealTime();

    EXPECT_GT(ReadFrequency(&ok), 10);
    int64_t first = ReadCounter();
    Sleep(2);
    int64_t second = ReadCounter();
    EXPECT_GT(second, first);
    EXPECT_NE(first, 42);
  }
}

// The frame clock, unchanged, measures virtual time through its imports.
TEST_F(VirtualTimeTest, TheFrameClockRunsOnVirtualTime) {
  DriveVirtualTime(true, 1000);
  DriveSetCounter(500);
  StartFrameClock();
  EXPECT_TRUE(frameClock.usesCounter);
  DriveSetCounter(540);
  EXPECT_NEAR(ReadFrameClock(), 40.0, 1e-3);

  DriveVirtualTime(false, 0);
  DriveSetMilliseconds(0xFFFFFFFFu);
  StartFrameClock();
  EXPECT_FALSE(frameClock.usesCounter);
  DriveSetMilliseconds(39);
  EXPECT_NEAR(ReadFrameClock(), 40.0, 1e-3);
}

}  // namespace
