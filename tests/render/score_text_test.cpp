// The number on the score line as DrawFrame draws it: a half rounded up,
// whatever the C library's formatter does with a tie.
#include <cstdio>

#include "game/step.h"
#include "game/world.h"
#include "gl_fixture.h"
#include "score_marks.h"

namespace {

using ScoreTextTest = RenderTest;

TEST_F(ScoreTextTest, HalvesRoundUpAndTheRestToTheNearestWhole) { ExpectScoreCasesDrawn(); }

// A score of exactly 4.5 is met in play: an 18-cell snake running from
// score 0 adds 0.18 a tick and stands at 4.5 after its 25th tick.
TEST_F(ScoreTextTest, AHalfReachedInPlayShowsRoundedUp) {
  BuildWorld();
  for (float x = 49; world.snakeX.size() < 18; --x) {
    world.snakeX.push_back(x);
    world.snakeY.push_back(world.snakeY[0]);
    world.snakeZ.push_back(0);
  }
  world.heading = 'R';
  for (int tick = 0; tick < 25; ++tick) StepWorld();
  ASSERT_EQ(world.snakeX.size(), 18u);
  ASSERT_EQ(world.score, 4.5f);
  EXPECT_EQ(DrawnScoreLine(world.score), "SCORE:     5");
}

}  // namespace
