// The whole state of one game and the operations that lay out a new board.
#pragma once

#include <cstdint>
#include <deque>

// A growable list of 32-bit floats: one coordinate of a set of cells. Every
// set of cells (snake, walls, food) is three parallel lists, x, y and z;
// index i across the three is one cell. A deque gives O(1) append,
// insert-at-front and remove-last, which is all a move needs.
using CoordList = std::deque<float>;

struct GameWorld {
  CoordList snakeX, snakeY, snakeZ;  // index 0 is the head, the last the tail
  CoordList wallX, wallY, wallZ;
  CoordList foodX, foodY, foodZ;     // one food cell at a time in play
  float tailX = 0, tailY = 0, tailZ = 0;  // the tail cell removed by the last move
  char heading = 0;                  // 'U', 'D', 'L', 'R' move; anything else stands
  float score = 0;
  bool newGame = true;               // the next frame builds a fresh board
  bool upHeld = false, downHeld = false, leftHeld = false, rightHeld = false;
  uint32_t randomState = 1;          // state of NextRandom, never reseeded
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
