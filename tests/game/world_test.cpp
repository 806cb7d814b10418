// Board layout: the starting snake, the walls, the food and the generator.
#include <set>
#include <utility>
#include <vector>

#include "game/step.h"
#include "world_fixture.h"

using WorldLayout = FreshWorld;

TEST_F(WorldLayout, BuildWorldLaysOutSnakeWallsAndOneFood) {
  BuildWorld();

  std::vector<Cell> snake;
  for (int x = 59; x >= 50; --x) snake.push_back({float(x), 40, 0});
  EXPECT_EQ(SnakeCells(), snake);

  ASSERT_EQ(world.wallX.size(), 380u);
  ASSERT_EQ(world.wallY.size(), 380u);
  ASSERT_EQ(world.wallZ.size(), 380u);
  EXPECT_EQ(WallCell(0), (Cell{0, 0, 0}));
  EXPECT_EQ(WallCell(1), (Cell{108, 0, 0}));
  EXPECT_EQ(WallCell(378), (Cell{108, 80, 0}));
  EXPECT_EQ(WallCell(379), (Cell{108, 0, 0}));

  ASSERT_EQ(world.foodX.size(), 1u);
  ASSERT_EQ(world.foodY.size(), 1u);
  ASSERT_EQ(world.foodZ.size(), 1u);
  EXPECT_EQ(FoodCell(0), (Cell{41, 20, 0}));

  EXPECT_FALSE(world.newGame);
  EXPECT_EQ(world.heading, 0);
  EXPECT_EQ(world.score, 0.0f);
}

TEST_F(WorldLayout, WallsAreExactlyTheBorderWithCornersTwice) {
  BuildWalls();
  std::set<std::pair<float, float>> distinct;
  for (std::size_t i = 0; i < world.wallX.size(); ++i) {
    Cell cell = WallCell(i);
    EXPECT_EQ(cell.z, 0.0f) << i;
    bool onBorder = cell.x == 0 || cell.x == 108 || cell.y == 0 || cell.y == 80;
    bool inRange = cell.x >= 0 && cell.x <= 108 && cell.y >= 0 && cell.y <= 80;
    EXPECT_TRUE(onBorder && inRange) << cell;
    distinct.insert({cell.x, cell.y});
  }
  // 109 x 81 board: its border has 2 * 109 + 2 * 79 = 376 distinct cells.
  EXPECT_EQ(distinct.size(), 376u);
  EXPECT_EQ(world.wallX.size(), 380u);
}

TEST_F(WorldLayout, GeneratorStartsWithTheFixedSequence) {
  const int expected[] = {41, 18467, 6334, 26500, 19169, 15724};
  for (int value : expected) EXPECT_EQ(NextRandom(), value);
}

TEST_F(WorldLayout, GeneratorStaysWithin15Bits) {
  for (int i = 0; i < 100000; ++i) {
    int value = NextRandom();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 32767);
  }
}

TEST_F(WorldLayout, FoodSequenceContinuesAcrossResets) {
  const Cell expected[] = {{41, 20, 0}, {21, 19, 0}, {16, 7, 0}, {29, 30, 0}, {105, 11, 0}};
  for (const Cell& food : expected) {
    BuildWorld();
    ASSERT_EQ(world.foodX.size(), 1u);
    EXPECT_EQ(FoodCell(0), food);
    ResetWorld();
    EXPECT_TRUE(world.newGame);
  }
}

TEST_F(WorldLayout, FoodNeverLandsOnTheRightColumnOrUpperHalf) {
  bool sawX0 = false, sawX106 = false, sawY0 = false, sawY38 = false;
  for (int i = 0; i < 200000; ++i) {
    PlaceFood();
    Cell food = FoodCell(world.foodX.size() - 1);
    ASSERT_GE(food.x, 0) << i;
    ASSERT_LE(food.x, 106) << i;
    ASSERT_GE(food.y, 0) << i;
    ASSERT_LE(food.y, 38) << i;
    ASSERT_EQ(food.z, 0) << i;
    ASSERT_EQ(food.x, float(int(food.x))) << i;
    ASSERT_EQ(food.y, float(int(food.y))) << i;
    sawX0 |= food.x == 0;
    sawX106 |= food.x == 106;
    sawY0 |= food.y == 0;
    sawY38 |= food.y == 38;
    world.foodX.pop_back();
    world.foodY.pop_back();
    world.foodZ.pop_back();
  }
  // The whole range is reachable, including the left wall column and the
  // bottom wall row.
  EXPECT_TRUE(sawX0 && sawX106 && sawY0 && sawY38);
}

struct CellLineCase {
  const char* name;
  Cell start;
  char axis;
  int32_t count;
  bool atFront;
  std::vector<Cell> expected;  // the snake after the call, head first
};

class CellLine : public FreshWorld, public ::testing::WithParamInterface<CellLineCase> {};

TEST_P(CellLine, AddsTheLineToTheSnake) {
  const CellLineCase& c = GetParam();
  SetSnake({{1, 1, 0}});  // one cell already there shows front versus back
  AddCellLine(c.start.x, c.start.y, c.start.z, c.axis, c.count, c.atFront);
  EXPECT_EQ(SnakeCells(), c.expected);
  EXPECT_EQ(world.snakeY.size(), world.snakeX.size());
  EXPECT_EQ(world.snakeZ.size(), world.snakeX.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CellLine,
    ::testing::Values(
        CellLineCase{"XAtFront", {50, 40, 0}, 'X', 3, true, {{52, 40, 0}, {51, 40, 0}, {50, 40, 0}, {1, 1, 0}}},
        CellLineCase{"XAppended", {50, 40, 0}, 'X', 3, false, {{1, 1, 0}, {50, 40, 0}, {51, 40, 0}, {52, 40, 0}}},
        CellLineCase{"YAppended", {5, 6, 7}, 'Y', 2, false, {{1, 1, 0}, {5, 6, 7}, {5, 7, 7}}},
        CellLineCase{"ZAtFront", {5, 6, 7}, 'Z', 2, true, {{5, 6, 8}, {5, 6, 7}, {1, 1, 0}}},
        CellLineCase{"NegativeStart", {-2, 0, 0}, 'X', 3, false, {{1, 1, 0}, {-2, 0, 0}, {-1, 0, 0}, {0, 0, 0}}},
        CellLineCase{"CountZero", {50, 40, 0}, 'X', 0, true, {{1, 1, 0}}},
        CellLineCase{"CountNegative", {50, 40, 0}, 'X', -5, false, {{1, 1, 0}}},
        CellLineCase{"CountMostNegative", {50, 40, 0}, 'Y', INT32_MIN, true, {{1, 1, 0}}},
        CellLineCase{"LowerCaseAxis", {50, 40, 0}, 'x', 4, true, {{1, 1, 0}}},
        CellLineCase{"UnknownAxis", {50, 40, 0}, 'Q', 4, false, {{1, 1, 0}}},
        CellLineCase{"NulAxis", {50, 40, 0}, '\0', 4, true, {{1, 1, 0}}}),
    [](const ::testing::TestParamInfo<CellLineCase>& info) { return std::string(info.param.name); });
