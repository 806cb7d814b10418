// A million ticks of play under a pilot that mostly chases the food, so the
// snake grows long, with the world's invariants checked after every tick.
#include <cstdio>

#include "long_play.h"

TEST(GameSoak, AMillionTicksKeepTheWorldConsistent) {
  const long ticks = 1000000;
  long_play::Tally tally;
  long_play::Play(ticks, 4, &tally);
  ASSERT_FALSE(HasFatalFailure());

  // The stream really played: moving most of the time, many meals and deaths.
  EXPECT_GT(tally.moving, ticks / 2);
  EXPECT_GT(tally.meals, 1000);
  EXPECT_GT(tally.resets, 100);
  EXPECT_GT(tally.longest, 30u);
  std::printf("soak: %ld ticks, %ld moving, %ld meals, %ld resets, longest snake %zu\n", ticks, tally.moving,
              tally.meals, tally.resets, tally.longest);
}
