// A long game under a wild pilot: many random presses, holds and releases
// among the steering towards the food, with the world's invariants checked
// after every tick.
#include "long_play.h"

TEST(LongGame, TwoHundredThousandTicksKeepTheWorldConsistent) {
  const long ticks = 200000;
  long_play::Tally tally;
  long_play::Play(ticks, 40, &tally);
  ASSERT_FALSE(HasFatalFailure());

  // The stream really played: the snake moved, ate, grew and died.
  EXPECT_GT(tally.moving, ticks / 2);
  EXPECT_GT(tally.meals, 0);
  EXPECT_GT(tally.resets, 0);
  EXPECT_GT(tally.longest, 10u);
  RecordProperty("resets", int(tally.resets));
  RecordProperty("meals", int(tally.meals));
  RecordProperty("longest", int(tally.longest));
}
