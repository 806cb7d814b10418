// One tick of the game: moving, scoring, eating, growing, colliding.
#include <vector>

#include "game/step.h"
#include "world_fixture.h"

namespace {

// The score after a move: the length times the 32-bit 0.01, summed in double
// precision and rounded to a 32-bit float.
float ScoreAfterMove(float score, std::size_t length) { return float(double(score) + double(length) * double(0.01f)); }

}  // namespace

class Step : public FreshWorld {
 protected:
  void SetUp() override {
    FreshWorld::SetUp();
    BuildWorld();  // food at (41, 20, 0); the next food drawn is (21, 19, 0)
  }
};

TEST_F(Step, OneTickRightMovesTheWholeSnake) {
  world.heading = 'R';
  StepWorld();

  std::vector<Cell> snake;
  for (int x = 60; x >= 51; --x) snake.push_back({float(x), 40, 0});
  EXPECT_EQ(SnakeCells(), snake);
  EXPECT_EQ((Cell{world.tailX, world.tailY, world.tailZ}), (Cell{50, 40, 0}));
  // 10 x 0.01f lies halfway between two floats; the store rounds to even.
  EXPECT_EQ(world.score, 0.099999994f);
  EXPECT_EQ(world.score, 0.09999999403953552f);
  EXPECT_EQ(world.heading, 'R');
  EXPECT_FALSE(world.newGame);
  EXPECT_EQ(world.wallX.size(), 380u);
  EXPECT_EQ(FoodCell(0), (Cell{41, 20, 0}));
}

TEST_F(Step, ScoreAddsTheLengthEveryTick) {
  // The score after each tick of a 10-cell snake. Summing in 32-bit floats
  // instead would drift from the seventh tick on (0.6999999284744263).
  const float expected[] = {
      0.09999999403953552f, 0.19999998807907104f, 0.29999998211860657f, 0.3999999761581421f, 0.4999999701976776f,
      0.5999999642372131f,  0.699999988079071f,   0.800000011920929f,   0.9000000357627869f, 1.0f};
  world.heading = 'U';
  int tick = 0;
  for (float score : expected) {
    StepWorld();
    ++tick;
    EXPECT_EQ(world.score, score) << "tick " << tick;
  }
  EXPECT_EQ(SnakeCell(0), (Cell{59, 50, 0}));
}

struct MoveCase {
  char heading;
  Cell head;  // after one tick from the starting board
};

class StepMove : public Step, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(StepMove, HeadMovesOneCell) {
  world.heading = GetParam().heading;
  StepWorld();
  ASSERT_EQ(world.snakeX.size(), 10u);
  EXPECT_EQ(SnakeCell(0), GetParam().head);
  EXPECT_EQ(SnakeCell(1), (Cell{59, 40, 0}));
  EXPECT_EQ(SnakeCell(9), (Cell{51, 40, 0}));
  EXPECT_EQ(world.score, 0.099999994f);
}

INSTANTIATE_TEST_SUITE_P(Headings, StepMove,
                         ::testing::Values(MoveCase{'U', {59, 41, 0}}, MoveCase{'D', {59, 39, 0}},
                                           MoveCase{'R', {60, 40, 0}}));

TEST_F(Step, OneTickLeftRunsIntoTheBodyAndResets) {
  world.heading = 'L';
  world.upHeld = world.downHeld = world.leftHeld = world.rightHeld = true;
  uint32_t randomState = world.randomState;
  StepWorld();

  EXPECT_TRUE(AllListsEmpty());
  EXPECT_EQ(world.heading, 'P');
  EXPECT_EQ(world.score, 0.0f);
  EXPECT_TRUE(world.newGame);
  EXPECT_FALSE(world.upHeld || world.downHeld || world.leftHeld || world.rightHeld);
  EXPECT_EQ(world.randomState, randomState);  // no food eaten, generator untouched
  // The next board is laid out the same, with the next food of the sequence.
  BuildWorld();
  EXPECT_EQ(SnakeCell(0), (Cell{59, 40, 0}));
  EXPECT_EQ(FoodCell(0), (Cell{21, 19, 0}));
}

TEST_F(Step, EatingGrowsByTheTailJustRemoved) {
  SetFood({60, 40, 0});
  world.heading = 'R';
  StepWorld();

  ASSERT_EQ(world.snakeX.size(), 11u);
  ASSERT_EQ(world.snakeY.size(), 11u);
  ASSERT_EQ(world.snakeZ.size(), 11u);
  EXPECT_EQ(SnakeCell(0), (Cell{60, 40, 0}));
  EXPECT_EQ(SnakeCell(10), (Cell{50, 40, 0}));
  EXPECT_EQ(SnakeCell(10), (Cell{world.tailX, world.tailY, world.tailZ}));
  // 10 plus the length before growth (10) x 0.01f.
  EXPECT_EQ(world.score, 10.100000381469727f);
  EXPECT_EQ(world.score, ScoreAfterMove(0, 10) + 10.0f);
  ASSERT_EQ(world.foodX.size(), 1u);
  EXPECT_EQ(FoodCell(0), (Cell{21, 19, 0}));
  EXPECT_FALSE(world.newGame);

  // The next tick adds the grown length.
  StepWorld();
  EXPECT_EQ(world.score, 10.210000038146973f);
  EXPECT_EQ(SnakeCell(10), (Cell{51, 40, 0}));
}

TEST_F(Step, EatingKeepsTheScoreRoundingOfItsTick) {
  world.score = 1234.5677f;
  SetFood({59, 41, 0});
  world.heading = 'U';
  StepWorld();
  EXPECT_EQ(world.score, ScoreAfterMove(1234.5677f, 10) + 10.0f);
  EXPECT_EQ(world.snakeX.size(), 11u);
}

struct StandingCase {
  const char* name;
  char heading;
};

class StepStanding : public Step, public ::testing::WithParamInterface<StandingCase> {};

TEST_P(StepStanding, NothingMovesAndTheScoreStays) {
  world.heading = GetParam().heading;
  world.score = 3.25f;
  std::vector<Cell> snake = SnakeCells();
  for (int i = 0; i < 5; ++i) StepWorld();
  EXPECT_EQ(SnakeCells(), snake);
  EXPECT_EQ(world.score, 3.25f);
  EXPECT_EQ(FoodCell(0), (Cell{41, 20, 0}));
  EXPECT_EQ(world.wallX.size(), 380u);
  EXPECT_EQ(world.heading, GetParam().heading);
}

TEST_P(StepStanding, FoodUnderTheHeadIsEatenWithoutGrowth) {
  world.heading = GetParam().heading;
  SetFood({59, 40, 0});
  std::vector<Cell> snake = SnakeCells();
  StepWorld();
  EXPECT_EQ(SnakeCells(), snake);
  EXPECT_EQ(world.score, 10.0f);
  ASSERT_EQ(world.foodX.size(), 1u);
  EXPECT_EQ(FoodCell(0), (Cell{21, 19, 0}));
  EXPECT_FALSE(world.newGame);
}

INSTANTIATE_TEST_SUITE_P(Headings, StepStanding,
                         ::testing::Values(StandingCase{"AtStart", 0}, StandingCase{"AfterReset", 'P'},
                                           StandingCase{"Other", 'x'}),
                         [](const ::testing::TestParamInfo<StandingCase>& info) {
                           return std::string(info.param.name);
                         });

struct WallCase {
  const char* name;
  std::vector<Cell> snake;  // head first
  char heading;
  bool foodOnTheWall;
};

class StepWall : public Step, public ::testing::WithParamInterface<WallCase> {};

// Running into a wall resets the world. With the food lying on the wall cell
// it is eaten first: a new food is drawn (the generator moves on) and the
// score and length change, but the reset in the same tick throws it all away.
TEST_P(StepWall, HitResetsAfterEating) {
  const WallCase& c = GetParam();
  SetSnake(c.snake);
  Cell wall = c.snake[0];
  switch (c.heading) {
    case 'U':
      wall.y += 1;
      break;
    case 'D':
      wall.y -= 1;
      break;
    case 'L':
      wall.x -= 1;
      break;
    case 'R':
      wall.x += 1;
      break;
  }
  if (c.foodOnTheWall) SetFood(wall);
  world.heading = c.heading;
  StepWorld();

  EXPECT_TRUE(AllListsEmpty());
  EXPECT_EQ(world.score, 0.0f);
  EXPECT_EQ(world.heading, 'P');
  EXPECT_TRUE(world.newGame);
  BuildWorld();
  EXPECT_EQ(FoodCell(0), c.foodOnTheWall ? (Cell{16, 7, 0}) : (Cell{21, 19, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Walls, StepWall,
    ::testing::Values(WallCase{"LeftColumnWithFood", {{1, 40, 0}, {2, 40, 0}, {3, 40, 0}}, 'L', true},
                      WallCase{"BottomRowWithFood", {{7, 1, 0}, {7, 2, 0}, {7, 3, 0}}, 'D', true},
                      WallCase{"LeftColumn", {{1, 40, 0}, {2, 40, 0}, {3, 40, 0}}, 'L', false},
                      WallCase{"RightColumn", {{107, 40, 0}, {106, 40, 0}}, 'R', false},
                      WallCase{"TopRow", {{30, 79, 0}, {30, 78, 0}}, 'U', false},
                      WallCase{"BottomRow", {{7, 1, 0}, {7, 2, 0}}, 'D', false},
                      WallCase{"Corner", {{1, 1, 0}, {1, 2, 0}}, 'L', false}),
    [](const ::testing::TestParamInfo<WallCase>& info) { return std::string(info.param.name); });

TEST_F(Step, FoodOnAWallCellIsEatenWhileStanding) {
  // Standing on a wall never happens in play, but the order holds: eat, then
  // collide.
  SetSnake({{0, 5, 0}, {1, 5, 0}});
  SetFood({0, 5, 0});
  world.heading = 'P';
  StepWorld();
  EXPECT_TRUE(AllListsEmpty());
  BuildWorld();
  EXPECT_EQ(FoodCell(0), (Cell{16, 7, 0}));
}

// A 2 x 2 loop: head (5, 5), then (5, 6), (6, 6), tail (6, 5). Moving right
// puts the head on the cell the tail has just left.
class StepTailCell : public Step {
 protected:
  void SetUp() override {
    Step::SetUp();
    SetSnake({{5, 5, 0}, {5, 6, 0}, {6, 6, 0}, {6, 5, 0}});
    world.heading = 'R';
  }
};

TEST_F(StepTailCell, MovingOntoTheVacatedTailCellIsNoCollision) {
  StepWorld();
  EXPECT_FALSE(world.newGame);
  EXPECT_EQ(SnakeCells(), (std::vector<Cell>{{6, 5, 0}, {5, 5, 0}, {5, 6, 0}, {6, 6, 0}}));
  EXPECT_EQ(world.heading, 'R');
}

TEST_F(StepTailCell, FoodOnTheVacatedTailCellEndsTheGame) {
  SetFood({6, 5, 0});
  StepWorld();
  // Eaten and grown by the tail, which lies under the head: a collision.
  EXPECT_TRUE(AllListsEmpty());
  EXPECT_TRUE(world.newGame);
  EXPECT_EQ(world.score, 0.0f);
  BuildWorld();
  EXPECT_EQ(FoodCell(0), (Cell{16, 7, 0}));
}

TEST_F(Step, ResetKeepsTheGeneratorAndTailAndClearsTheRest) {
  world.heading = 'R';
  StepWorld();
  world.upHeld = world.downHeld = world.leftHeld = world.rightHeld = true;
  world.score = 55.5f;
  uint32_t randomState = world.randomState;
  ResetWorld();
  EXPECT_TRUE(AllListsEmpty());
  EXPECT_FALSE(world.upHeld || world.downHeld || world.leftHeld || world.rightHeld);
  EXPECT_EQ(world.heading, 'P');
  EXPECT_EQ(world.score, 0.0f);
  EXPECT_TRUE(world.newGame);
  EXPECT_EQ(world.randomState, randomState);
}

TEST_F(Step, HeadCollidesOnWallOrBodyOnly) {
  struct Probe {
    Cell head;
    bool collides;
  };
  const Probe probes[] = {
      {{59, 40, 0}, false},  // itself is not a collision
      {{58, 40, 0}, true},  {{50, 40, 0}, true}, {{0, 0, 0}, true},     {{108, 80, 0}, true}, {{0, 40, 0}, true},
      {{54, 80, 0}, true},  {{1, 1, 0}, false},  {{107, 79, 0}, false}, {{41, 20, 0}, false},  // food is no collision
      {{58, 40, 1}, false},                                                                    // z counts too
  };
  for (const Probe& probe : probes) {
    world.snakeX[0] = probe.head.x;
    world.snakeY[0] = probe.head.y;
    world.snakeZ[0] = probe.head.z;
    EXPECT_EQ(HeadCollides(), probe.collides) << probe.head;
  }
}

TEST_F(Step, TryEatFoodComparesAllThreeCoordinates) {
  SetFood({59, 40, 1});
  EXPECT_FALSE(TryEatFood());
  EXPECT_EQ(world.foodX.size(), 1u);
  SetFood({59, 40, 0});
  EXPECT_TRUE(TryEatFood());
  EXPECT_TRUE(world.foodX.empty() && world.foodY.empty() && world.foodZ.empty());
  EXPECT_FALSE(TryEatFood());
}

TEST_F(FreshWorld, StepOnAnEmptyWorldDoesNothing) {
  // Before the first board is built (or right after a reset) there is no
  // snake; a tick then has nothing to move and must not touch missing cells.
  world.heading = 'R';
  StepWorld();
  EXPECT_TRUE(AllListsEmpty());
  EXPECT_EQ(world.score, 0.0f);
  EXPECT_FALSE(HeadCollides());
  EXPECT_FALSE(TryEatFood());
  world.tailX = 7;
  SaveTail();
  EXPECT_EQ(world.tailX, 7.0f);
}

TEST_F(FreshWorld, OneCellSnakeMovesFromItsOwnCell) {
  BuildWalls();
  SetFood({1, 1, 0});
  SetSnake({{20, 30, 0}});
  world.heading = 'D';
  StepWorld();
  EXPECT_EQ(SnakeCells(), (std::vector<Cell>{{20, 29, 0}}));
  EXPECT_EQ(world.score, 0.01f);
  EXPECT_EQ(world.heading, 'D');  // no reset
}
