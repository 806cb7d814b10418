// The cost of the game rules: one tick at snake length 8,000 and one steering
// call. No window and no OpenGL.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "game/keys.h"
#include "game/steering.h"
#include "game/step.h"
#include "game/world.h"

namespace {

// A closed loop through the interior, x = 1..106, y = 1..78 (8,268 cells):
// along row 1 to the right, then back and forth through columns 2..106 of
// rows 2..78 upwards, and down column 1 home. Every cell's heading points at
// the next cell of the loop.
struct Loop {
  std::vector<float> x, y;
  std::vector<char> heading;
};

Loop BuildLoop() {
  const int width = 106, height = 78;
  Loop loop;
  auto add = [&](int x, int y) {
    loop.x.push_back(float(x));
    loop.y.push_back(float(y));
  };
  for (int x = 1; x <= width; ++x) add(x, 1);
  for (int row = 2; row <= height; ++row) {
    bool rightward = (row % 2) == 1;
    for (int i = 0; i < width - 1; ++i) add(rightward ? 2 + i : width - i, row);
  }
  for (int y = height; y >= 2; --y) add(1, y);
  const std::size_t n = loop.x.size();
  for (std::size_t i = 0; i < n; ++i) {
    float dx = loop.x[(i + 1) % n] - loop.x[i];
    float dy = loop.y[(i + 1) % n] - loop.y[i];
    loop.heading.push_back(dx > 0 ? 'R' : dx < 0 ? 'L' : dy > 0 ? 'U' : 'D');
  }
  return loop;
}

// A moving snake of `length` cells on the loop, head first at loop cell
// length - 1, the walls, and the food on (107, 79), off the loop, so every
// tick is a plain move with the whole collision scan and never a meal or a
// death: the worst tick that keeps the game going.
void LayOutSnakeOnLoop(const Loop& loop, int length) {
  world = GameWorld();
  BuildWalls();
  for (int i = length - 1; i >= 0; --i) {
    world.snakeX.push_back(loop.x[i]);
    world.snakeY.push_back(loop.y[i]);
    world.snakeZ.push_back(0.0f);
  }
  world.foodX.push_back(107.0f);
  world.foodY.push_back(79.0f);
  world.foodZ.push_back(0.0f);
  world.newGame = false;
}

void BM_StepWorld(benchmark::State& state) {
  const Loop loop = BuildLoop();
  const int length = int(state.range(0));
  LayOutSnakeOnLoop(loop, length);
  std::size_t head = std::size_t(length - 1);
  for (auto _ : state) {
    world.heading = loop.heading[head];
    StepWorld();
    head = head + 1 == loop.x.size() ? 0 : head + 1;
  }
  if (world.newGame || world.snakeX.size() != std::size_t(length)) {
    state.SkipWithError("the snake did not stay whole on its loop");
  }
  state.counters["cells scanned"] = double(world.wallX.size() + world.snakeX.size());
}
BENCHMARK(BM_StepWorld)->Arg(8000)->Unit(benchmark::kMicrosecond);

// One steering call under a changing pattern of the four arrows (press,
// hold, release in every combination), so every branch is taken.
void BM_ApplySteering(benchmark::State& state) {
  world = GameWorld();
  world.heading = 'R';
  uint32_t pattern = 0;
  for (auto _ : state) {
    keyDown[38] = pattern & 1;
    keyDown[40] = pattern & 2;
    keyDown[37] = pattern & 4;
    keyDown[39] = pattern & 8;
    ApplySteering();
    benchmark::DoNotOptimize(world.heading);
    pattern = (pattern * 5 + 3) & 15;
  }
}
BENCHMARK(BM_ApplySteering)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
