// A long game under a pseudo-random key stream, played the way the frame
// loop plays it, with the world's invariants checked after every tick.
#include <cmath>
#include <cstdint>
#include <unordered_set>

#include "game/step.h"
#include "game/steering.h"
#include "world_fixture.h"

namespace {

constexpr int arrowKeys[4] = {37, 38, 39, 40};  // left, up, right, down

// A small fixed generator for the key stream, apart from the game's own.
struct KeyStream {
  uint64_t state = 0x2545F4914F6CDD1Dull;
  uint32_t Next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return uint32_t(state >> 32);
  }
};

bool WholeNumber(float value) { return std::isfinite(value) && value == std::floor(value); }

template <typename List>
bool CellsWholeInPlane(const List& xs, const List& ys, const List& zs) {
  for (std::size_t i = 0; i < xs.size(); ++i) {
    if (!WholeNumber(xs[i]) || !WholeNumber(ys[i]) || zs[i] != 0.0f) return false;
  }
  return true;
}

// Presses that often chase the food, so the snake eats and grows as well as
// dying, and otherwise press, hold and release arrows at random.
void NextKeys(KeyStream& keys) {
  uint32_t roll = keys.Next() % 16;
  if (roll < 6 && !world.snakeX.empty() && !world.foodX.empty()) {
    float dx = world.foodX[0] - world.snakeX[0];
    float dy = world.foodY[0] - world.snakeY[0];
    int key = (keys.Next() & 1) ? (dx < 0 ? 37 : 39) : (dy < 0 ? 40 : 38);
    for (int arrow : arrowKeys) keyDown[arrow] = false;
    keyDown[key] = true;
  } else if (roll < 10) {
    int arrow = arrowKeys[keys.Next() % 4];
    keyDown[arrow] = !keyDown[arrow];
  } else if (roll < 11) {
    for (int arrow : arrowKeys) keyDown[arrow] = false;
  }
  // otherwise the keys stay as they are
}

}  // namespace

TEST_F(FreshWorld, LongGameKeepsTheWorldConsistent) {
  KeyStream keys;
  long resets = 0, meals = 0, ticksMoving = 0;
  std::size_t longest = 0;
  const long ticks = 200000;

  for (long tick = 0; tick < ticks; ++tick) {
    if (world.newGame) BuildWorld();

    std::size_t lengthBefore = world.snakeX.size();
    uint32_t randomBefore = world.randomState;
    float scoreBefore = world.score;
    bool moving = world.heading == 'U' || world.heading == 'D' || world.heading == 'L' || world.heading == 'R';

    StepWorld();

    bool reset = world.newGame;
    bool ate = world.randomState != randomBefore;  // only eating draws new food mid-game
    resets += reset;
    meals += ate;
    ticksMoving += moving;

    ASSERT_EQ(world.snakeY.size(), world.snakeX.size()) << tick;
    ASSERT_EQ(world.snakeZ.size(), world.snakeX.size()) << tick;
    ASSERT_EQ(world.wallY.size(), world.wallX.size()) << tick;
    ASSERT_EQ(world.wallZ.size(), world.wallX.size()) << tick;
    ASSERT_EQ(world.foodY.size(), world.foodX.size()) << tick;
    ASSERT_EQ(world.foodZ.size(), world.foodX.size()) << tick;
    ASSERT_TRUE(CellsWholeInPlane(world.snakeX, world.snakeY, world.snakeZ)) << tick;
    ASSERT_TRUE(CellsWholeInPlane(world.wallX, world.wallY, world.wallZ)) << tick;
    ASSERT_TRUE(CellsWholeInPlane(world.foodX, world.foodY, world.foodZ)) << tick;
    ASSERT_GE(world.score, 0.0f) << tick;

    if (reset) {
      ASSERT_TRUE(AllListsEmpty()) << tick;
      ASSERT_EQ(world.heading, 'P') << tick;
      ASSERT_EQ(world.score, 0.0f) << tick;
    } else {
      ASSERT_GE(world.snakeX[0], 1.0f) << tick;
      ASSERT_LE(world.snakeX[0], 107.0f) << tick;
      ASSERT_GE(world.snakeY[0], 1.0f) << tick;
      ASSERT_LE(world.snakeY[0], 79.0f) << tick;
      ASSERT_EQ(world.foodX.size(), 1u) << tick;
      ASSERT_EQ(world.wallX.size(), 380u) << tick;
      ASSERT_EQ(world.snakeX.size(), lengthBefore + (ate && moving ? 1 : 0)) << tick;
      ASSERT_GE(world.score, scoreBefore + (ate ? 10.0f : 0.0f)) << tick;
      if (!moving && !ate) {
        ASSERT_EQ(world.score, scoreBefore) << tick;
      }

      // A live snake never overlaps itself.
      std::unordered_set<int64_t> cells;
      for (std::size_t i = 0; i < world.snakeX.size(); ++i) {
        int64_t key = int64_t(world.snakeX[i]) * 1000 + int64_t(world.snakeY[i]);
        ASSERT_TRUE(cells.insert(key).second) << tick << " cell " << i;
      }
      longest = std::max(longest, world.snakeX.size());
    }

    NextKeys(keys);
    ApplySteering();
  }

  // The stream really played: the snake moved, ate, grew and died.
  EXPECT_GT(ticksMoving, ticks / 2);
  EXPECT_GT(meals, 0);
  EXPECT_GT(resets, 0);
  EXPECT_GT(longest, 10u);
  RecordProperty("resets", int(resets));
  RecordProperty("meals", int(meals));
  RecordProperty("longest", int(longest));
}
