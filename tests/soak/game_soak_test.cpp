// A million ticks of play under a pilot that mostly chases the food, so the
// snake grows long, with the world's invariants checked after every tick.
#include <cstdio>

#include "long_play.h"

TEST(GameSoak, AMillionTicksKeepTheWorldConsistent) {
  long_play::Tally tally;
  long_play::Play(1000000, 4, &tally);
  ASSERT_FALSE(HasFatalFailure());
  long_play::ExpectPlayed(tally, 1000000, 1000, 100, 30);
  std::printf("soak: %ld moving, %ld meals, %ld resets, longest snake %zu\n", tally.moving, tally.meals, tally.resets,
              tally.longest);
}
