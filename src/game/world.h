// The whole state of one game and the operations that lay out a new board.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A growable list of 32-bit floats: one coordinate of a set of cells. Every
// set of cells (snake, walls, food) is three parallel lists, x, y and z;
// index i across the three is one cell.
//
// The values sit contiguously in a vector with free room kept in front of
// the first one, so a move (insert at front, remove last) costs O(1)
// amortised and the collision scan of every tick reads one plain array.
// When the room in front runs out, the values are moved up by as many
// places as there are values (at least 16), so a snake of n cells pays one
// move of n floats every n ticks.
struct CoordList {
  std::vector<float> cells;  // cells[first..] hold the list
  std::size_t first = 0;

  std::size_t size() const { return cells.size() - first; }
  bool empty() const { return cells.size() == first; }
  float& operator[](std::size_t i) { return cells[first + i]; }
  const float& operator[](std::size_t i) const { return cells[first + i]; }
  float& front() { return cells[first]; }
  const float& front() const { return cells[first]; }
  float& back() { return cells.back(); }
  const float& back() const { return cells.back(); }
  const float* data() const { return cells.data() + first; }

  void push_back(float value) { cells.push_back(value); }
  void pop_back() { cells.pop_back(); }
  void push_front(float value) {
    if (first == 0) MakeRoomInFront();
    cells[--first] = value;
  }
  void clear() {
    cells.clear();
    first = 0;
  }
  void assign(std::size_t count, float value) {
    cells.assign(count, value);
    first = 0;
  }

  void MakeRoomInFront() {
    std::size_t count = size();
    std::size_t room = count < 16 ? 16 : count;
    cells.insert(cells.begin(), room, 0.0f);
    first = room;
  }
};

struct GameWorld {
  CoordList snakeX, snakeY, snakeZ;  // index 0 is the head, the last the tail
  CoordList wallX, wallY, wallZ;
  CoordList foodX, foodY, foodZ;          // one food cell at a time in play
  float tailX = 0, tailY = 0, tailZ = 0;  // the tail cell removed by the last move
  char heading = 0;                       // 'U', 'D', 'L', 'R' move; anything else stands
  float score = 0;
  bool newGame = true;  // the next frame builds a fresh board
  bool upHeld = false, downHeld = false, leftHeld = false, rightHeld = false;
  uint32_t randomState = 1;  // state of NextRandom, never reseeded
};

extern GameWorld world;

// Lays out a fresh board into empty lists: the snake, the walls, one food
// cell; then clears newGame.
void BuildWorld();
// Adds `count` snake cells in a straight line along `axis` ('X', 'Y' or 'Z';
// any other character adds nothing), each inserted at the front or appended.
void AddCellLine(float x, float y, float z, char axis, int32_t count, bool atFront);
// Appends the wall rectangle x = 0..108, y = 0..80 (380 entries, corners twice).
void BuildWalls();
// Appends one food cell at x = 0..106, y = 0..38.
void PlaceFood();
// The next pseudo-random number, 0..32767.
int NextRandom();
