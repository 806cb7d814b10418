// A long game under a wild pilot: many random presses, holds and releases
// among the steering towards the food, with the world's invariants checked
// after every tick.
#include "long_play.h"

TEST(LongGame, TwoHundredThousandTicksKeepTheWorldConsistent) {
  long_play::Tally tally;
  long_play::Play(200000, 40, &tally);
  ASSERT_FALSE(HasFatalFailure());
  long_play::ExpectPlayed(tally, 200000, 0, 0, 10);
  RecordProperty("resets", int(tally.resets));
  RecordProperty("meals", int(tally.meals));
  RecordProperty("longest", int(tally.longest));
}
