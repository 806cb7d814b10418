// The frame clock over virtual time: both sources, the float tick length,
// the millisecond clock's wrap, and the zeroed start.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "app/clock.h"
#include "platform/testing/driver.h"

namespace {

class Clock : public ::testing::Test {
 protected:
  void SetUp() override {
    // Leftovers from an earlier start must not survive the next one.
    std::memset(&frameClock, 0xA5, sizeof frameClock);
  }
  void TearDown() override { DriveRealTime(); }
};

TEST_F(Clock, MegahertzCounter) {
  DriveVirtualTime(true, 1000000);
  DriveSetCounter(5000000);
  StartFrameClock();

  EXPECT_TRUE(frameClock.usesCounter);
  EXPECT_EQ(frameClock.countsPerSecond, 1000000);
  EXPECT_EQ(double(frameClock.secondsPerCount), 9.999999974752427e-07);
  EXPECT_EQ(frameClock.counterStart, 5000000);
  EXPECT_EQ(frameClock.counterMark, 5000000);
  EXPECT_EQ(frameClock.coarseStart, 0u);
  EXPECT_EQ(frameClock.coarseMark, 0u);

  EXPECT_EQ(ReadFrameClock(), 0.0);
  DriveSetCounter(5000000 + 40000);
  EXPECT_EQ(ReadFrameClock(), 39.99999989900971);
}

struct CounterCase {
  int64_t frequency;
  double secondsPerCount;  // 1 / frequency rounded to a 32-bit float
  int64_t ticks;
  double milliseconds;  // ticks x secondsPerCount x 1000, left to right
};

class ClockCounter : public Clock, public ::testing::WithParamInterface<CounterCase> {};

TEST_P(ClockCounter, ReadsTicksTimesTheFloatTickLength) {
  const CounterCase& c = GetParam();
  DriveVirtualTime(true, c.frequency);
  DriveSetCounter(123456789);
  StartFrameClock();
  EXPECT_EQ(double(frameClock.secondsPerCount), c.secondsPerCount);
  DriveSetCounter(123456789 + c.ticks);
  EXPECT_EQ(ReadFrameClock(), c.milliseconds);
}

INSTANTIATE_TEST_SUITE_P(Frequencies, ClockCounter,
                         ::testing::Values(CounterCase{1000000, 9.999999974752427e-07, 40000, 39.99999989900971},
                                           CounterCase{1000000, 9.999999974752427e-07, 1000000, 999.9999974752427},
                                           CounterCase{1000000000, 9.999999717180685e-10, 40000, 0.03999999886872274},
                                           CounterCase{1000000000, 9.999999717180685e-10, 1000000000,
                                                       999.9999717180685},
                                           CounterCase{3579545, 2.793651106003381e-07, 40000, 11.174604424013523},
                                           CounterCase{10000000, 1.0000000116860974e-07, 40000, 4.00000004674439},
                                           CounterCase{10000000, 1.0000000116860974e-07, 0, 0.0}));

TEST_F(Clock, WithoutACounterUsesTheMillisecondClock) {
  DriveVirtualTime(false, 0);
  DriveSetCounter(777);
  DriveSetMilliseconds(123456);
  StartFrameClock();

  EXPECT_FALSE(frameClock.usesCounter);
  EXPECT_EQ(frameClock.countsPerSecond, 1000);
  EXPECT_EQ(double(frameClock.secondsPerCount), 0.0010000000474974513);
  EXPECT_EQ(frameClock.counterStart, 0);
  EXPECT_EQ(frameClock.counterMark, 0);
  EXPECT_EQ(frameClock.coarseStart, 123456u);
  EXPECT_EQ(frameClock.coarseMark, 123456u);

  EXPECT_EQ(ReadFrameClock(), 0.0);
  DriveSetMilliseconds(123456 + 40);
  EXPECT_EQ(ReadFrameClock(), 40.0 * 0.0010000000474974513 * 1000.0);
  // The counter is not consulted once the millisecond clock is chosen.
  DriveSetCounter(1 << 30);
  EXPECT_EQ(ReadFrameClock(), 40.0 * 0.0010000000474974513 * 1000.0);
}

struct MillisecondCase {
  const char* name;
  uint32_t start;
  uint32_t reading;
  double milliseconds;
};

class ClockMilliseconds : public Clock, public ::testing::WithParamInterface<MillisecondCase> {};

TEST_P(ClockMilliseconds, ElapsedIsTheUnsignedDifference) {
  const MillisecondCase& c = GetParam();
  DriveVirtualTime(false, 0);
  DriveSetMilliseconds(c.start);
  StartFrameClock();
  DriveSetMilliseconds(c.reading);
  EXPECT_EQ(ReadFrameClock(), c.milliseconds);
  EXPECT_GE(ReadFrameClock(), 0.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClockMilliseconds,
                         ::testing::Values(MillisecondCase{"AtStart", 4000, 4000, 0.0},
                                           MillisecondCase{"FromZero", 0, 40, 40.00000189989805},
                                           // 2^32 - 256 to 16: 272 ms across the wrap, 272 x 1.0000000474974513.
                                           MillisecondCase{"AcrossTheWrap", 4294967040u, 16, 272.00001291930676},
                                           MillisecondCase{"WrapToZero", 4294967295u, 0, 1.0000000474974513},
                                           // One short of a full turn: the largest elapsed count, still positive.
                                           MillisecondCase{"AlmostAFullTurn", 1, 0, 4294967499.0}),
                         [](const ::testing::TestParamInfo<MillisecondCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(Clock, NotStartedReadsZero) {
  DriveVirtualTime(true, 1000000);
  DriveSetCounter(99999);
  frameClock = FrameClock{};
  EXPECT_EQ(ReadFrameClock(), 0.0);
}

TEST_F(Clock, RestartZeroesTheOtherSource) {
  DriveVirtualTime(false, 0);
  DriveSetMilliseconds(5000);
  StartFrameClock();
  EXPECT_EQ(frameClock.coarseStart, 5000u);

  DriveVirtualTime(true, 1000000);
  DriveSetCounter(42);
  StartFrameClock();
  EXPECT_TRUE(frameClock.usesCounter);
  EXPECT_EQ(frameClock.coarseStart, 0u);
  EXPECT_EQ(frameClock.coarseMark, 0u);
  EXPECT_EQ(frameClock.counterStart, 42);
}

TEST_F(Clock, EveryReadAdvancesWithAnAutoAdvancingCounter) {
  // Each clock query moves the virtual counter on, as a busy-wait sees it.
  DriveVirtualTime(true, 1000000);
  DriveAutoAdvance(1000, 0);
  StartFrameClock();
  double previous = 0.0;
  for (int i = 1; i <= 50; ++i) {
    double now = ReadFrameClock();
    EXPECT_EQ(now, double(i * 1000) * 9.999999974752427e-07 * 1000.0);
    EXPECT_GT(now, previous);
    previous = now;
  }
}

TEST_F(Clock, RealTimeNeverRunsBackwards) {
  DriveRealTime();
  StartFrameClock();
  EXPECT_TRUE(frameClock.usesCounter);
  EXPECT_GT(frameClock.secondsPerCount, 0.0f);
  double previous = ReadFrameClock();
  EXPECT_GE(previous, 0.0);
  for (int i = 0; i < 1000; ++i) {
    double now = ReadFrameClock();
    EXPECT_GE(now, previous);
    previous = now;
  }
}

}  // namespace
