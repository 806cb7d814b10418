// A fresh process-wide game state for each test.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "game/keys.h"
#include "game/world.h"

class FreshWorld : public ::testing::Test {
 protected:
  void SetUp() override {
    world = GameWorld();
    std::memset(keyDown, 0, sizeof keyDown);
  }
};

struct Cell {
  float x, y, z;
  bool operator==(const Cell& other) const { return x == other.x && y == other.y && z == other.z; }
};

inline std::ostream& operator<<(std::ostream& out, const Cell& cell) {
  return out << "(" << cell.x << ", " << cell.y << ", " << cell.z << ")";
}

inline Cell SnakeCell(std::size_t i) { return {world.snakeX[i], world.snakeY[i], world.snakeZ[i]}; }
inline Cell WallCell(std::size_t i) { return {world.wallX[i], world.wallY[i], world.wallZ[i]}; }
inline Cell FoodCell(std::size_t i) { return {world.foodX[i], world.foodY[i], world.foodZ[i]}; }

inline std::vector<Cell> SnakeCells() {
  std::vector<Cell> cells;
  for (std::size_t i = 0; i < world.snakeX.size(); ++i) cells.push_back(SnakeCell(i));
  return cells;
}

// Replaces the snake with these cells, head first.
inline void SetSnake(const std::vector<Cell>& cells) {
  world.snakeX.clear();
  world.snakeY.clear();
  world.snakeZ.clear();
  for (const Cell& cell : cells) {
    world.snakeX.push_back(cell.x);
    world.snakeY.push_back(cell.y);
    world.snakeZ.push_back(cell.z);
  }
}

// Replaces the food with this one cell.
inline void SetFood(Cell cell) {
  world.foodX.assign(1, cell.x);
  world.foodY.assign(1, cell.y);
  world.foodZ.assign(1, cell.z);
}

inline bool AllListsEmpty() {
  return world.snakeX.empty() && world.snakeY.empty() && world.snakeZ.empty() && world.wallX.empty() &&
         world.wallY.empty() && world.wallZ.empty() && world.foodX.empty() && world.foodY.empty() &&
         world.foodZ.empty();
}
