// One tick of the game: move, eat, collide.
#include "game/step.h"

#include <cstddef>

#include "game/world.h"

namespace {

bool IsMoving(char heading) { return heading == 'U' || heading == 'D' || heading == 'L' || heading == 'R'; }

void MoveSnake() {
  SaveTail();
  world.snakeX.pop_back();
  world.snakeY.pop_back();
  world.snakeZ.pop_back();

  // With a one-cell snake the head has just been removed; the tail saved is
  // then the old head.
  float x = world.tailX, y = world.tailY, z = world.tailZ;
  if (!world.snakeX.empty()) {
    x = world.snakeX.front();
    y = world.snakeY.front();
    z = world.snakeZ.front();
  }
  switch (world.heading) {
    case 'U':
      y = y + 1;
      break;
    case 'D':
      y = y - 1;
      break;
    case 'L':
      x = x - 1;
      break;
    case 'R':
      x = x + 1;
      break;
  }
  world.snakeX.push_front(x);
  world.snakeY.push_front(y);
  world.snakeZ.push_front(z);

  // The length after the move, times the 32-bit 0.01, added in double
  // precision and stored back as a 32-bit float.
  world.score = float(double(world.score) + double(world.snakeX.size()) * double(0.01f));
}

bool HeadIs(float x, float y, float z) { return world.snakeX[0] == x && world.snakeY[0] == y && world.snakeZ[0] == z; }

// True if the cell (x, y, z) equals one of the cells from index `from` on.
// The scan runs in blocks without a branch per cell, which the compiler
// turns into vector compares; a long snake is scanned every tick.
bool HoldsCell(const CoordList& xs, const CoordList& ys, const CoordList& zs, std::size_t from, float x, float y,
               float z) {
  const float* px = xs.data();
  const float* py = ys.data();
  const float* pz = zs.data();
  const std::size_t count = xs.size();
  const std::size_t block = 64;
  std::size_t i = from;
  for (; i + block <= count; i += block) {
    int hit = 0;
    for (std::size_t k = i; k < i + block; ++k) hit |= (px[k] == x) & (py[k] == y) & (pz[k] == z);
    if (hit) return true;
  }
  for (; i < count; ++i) {
    if (px[i] == x && py[i] == y && pz[i] == z) return true;
  }
  return false;
}

}  // namespace

void StepWorld() {
  // Every tick runs on a built board; without a snake there is nothing to do.
  if (world.snakeX.empty()) return;

  if (IsMoving(world.heading)) MoveSnake();

  // Eating comes before the collision test: food on a wall cell is eaten and
  // scored in the tick the snake dies.
  if (TryEatFood()) {
    if (IsMoving(world.heading)) {
      world.snakeX.push_back(world.tailX);
      world.snakeY.push_back(world.tailY);
      world.snakeZ.push_back(world.tailZ);
    }
    world.score = world.score + 10;
    PlaceFood();
  }

  if (HeadCollides()) ResetWorld();
}

void SaveTail() {
  if (world.snakeX.empty()) return;
  world.tailX = world.snakeX.back();
  world.tailY = world.snakeY.back();
  world.tailZ = world.snakeZ.back();
}

bool TryEatFood() {
  if (world.snakeX.empty()) return false;
  for (std::size_t i = 0; i < world.foodX.size(); ++i) {
    if (HeadIs(world.foodX[i], world.foodY[i], world.foodZ[i])) {
      // One food cell in play: the last entry is the one eaten.
      world.foodX.pop_back();
      world.foodY.pop_back();
      world.foodZ.pop_back();
      return true;
    }
  }
  return false;
}

bool HeadCollides() {
  if (world.snakeX.empty()) return false;
  const float x = world.snakeX[0], y = world.snakeY[0], z = world.snakeZ[0];
  return HoldsCell(world.wallX, world.wallY, world.wallZ, 0, x, y, z) ||
         HoldsCell(world.snakeX, world.snakeY, world.snakeZ, 1, x, y, z);
}

void ResetWorld() {
  world.snakeX.clear();
  world.snakeY.clear();
  world.snakeZ.clear();
  world.wallX.clear();
  world.wallY.clear();
  world.wallZ.clear();
  world.foodX.clear();
  world.foodY.clear();
  world.foodZ.clear();
  world.upHeld = false;
  world.downHeld = false;
  world.leftHeld = false;
  world.rightHeld = false;
  world.heading = 'P';
  world.score = 0;
  world.newGame = true;
}
