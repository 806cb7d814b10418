// The game record and the board layout: the starting snake, the wall
// rectangle and the pseudo-randomly placed food.
#include "game/world.h"

GameWorld world;

void BuildWorld() {
  AddCellLine(50, 40, 0, 'X', 10, true);
  BuildWalls();
  PlaceFood();
  world.newGame = false;
}

void AddCellLine(float x, float y, float z, char axis, int32_t count, bool atFront) {
  for (int32_t i = 0; i < count; ++i) {
    float cellX = x, cellY = y, cellZ = z;
    if (axis == 'X') {
      cellX = x + float(i);
    } else if (axis == 'Y') {
      cellY = y + float(i);
    } else if (axis == 'Z') {
      cellZ = z + float(i);
    } else {
      continue;  // no such axis: no cell
    }
    if (atFront) {
      world.snakeX.push_front(cellX);
      world.snakeY.push_front(cellY);
      world.snakeZ.push_front(cellZ);
    } else {
      world.snakeX.push_back(cellX);
      world.snakeY.push_back(cellY);
      world.snakeZ.push_back(cellZ);
    }
  }
}

namespace {

void AppendWall(float x, float y) {
  world.wallX.push_back(x);
  world.wallY.push_back(y);
  world.wallZ.push_back(0);
}

}  // namespace

void BuildWalls() {
  // Left and right columns, row by row; then top and bottom rows, column by
  // column. The four corners come twice.
  for (int y = 0; y <= 80; ++y) {
    AppendWall(0, float(y));
    AppendWall(108, float(y));
  }
  for (int x = 0; x <= 108; ++x) {
    AppendWall(float(x), 80);
    AppendWall(float(x), 0);
  }
}

void PlaceFood() {
  // x first, then y. The cell is not checked against walls or snake: food may
  // lie on the left wall column, the bottom wall row, or under the body.
  world.foodX.push_back(float(NextRandom() % 107));
  world.foodY.push_back(float(NextRandom() % 39));
  world.foodZ.push_back(0);
}

int NextRandom() {
  world.randomState = world.randomState * 214013u + 2531011u;
  return int((world.randomState >> 16) & 0x7FFFu);
}
