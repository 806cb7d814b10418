// Long games played the way the frame loop plays them (StepWorld, then
// ApplySteering) under a pseudo-random pilot, with the world's invariants
// checked after every tick. Used by the game tests (200,000 ticks) and the
// soak test (a million).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "game/keys.h"
#include "game/steering.h"
#include "game/step.h"
#include "game/world.h"

namespace long_play {

constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr int kArrows[4] = {kLeft, kUp, kRight, kDown};

struct KeyStream {  // xorshift64*, apart from the game's own generator
  uint64_t state = 0x9E3779B97F4A7C15ull;
  uint32_t Next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return uint32_t((state * 0x2545F4914F6CDD1Dull) >> 32);
  }
};

inline bool IsMoving(char heading) { return heading == 'U' || heading == 'D' || heading == 'L' || heading == 'R'; }
inline bool Whole(float v) { return std::isfinite(v) && v == std::floor(v); }

inline bool CellFree(float x, float y) {
  if (x <= 0 || x >= 108 || y <= 0 || y >= 80) return false;
  for (size_t i = 0; i + 1 < world.snakeX.size(); ++i) {  // the tail moves away
    if (world.snakeX[i] == x && world.snakeY[i] == y) return false;
  }
  return true;
}

// A pilot that steers towards the food along free cells, so the snake eats
// and grows long, with random presses, holds and releases mixed in on
// `wildness` of 64 ticks, so it also dies in every way the board allows.
inline void NextKeys(KeyStream& keys, uint32_t wildness) {
  uint32_t roll = keys.Next() % 64;
  if (roll < wildness) {
    if (roll % 4 == 3) {
      for (int arrow : kArrows) keyDown[arrow] = false;
    } else {
      int arrow = kArrows[keys.Next() % 4];
      keyDown[arrow] = !keyDown[arrow];
    }
    return;
  }
  if (world.snakeX.empty() || world.foodX.empty()) return;
  const float x = world.snakeX[0], y = world.snakeY[0];
  const float dx = world.foodX[0] - x, dy = world.foodY[0] - y;
  struct Way {
    int key;
    char heading;
    float x, y;
  };
  Way ways[4] = {{dx < 0 ? kLeft : kRight, dx < 0 ? 'L' : 'R', x + (dx < 0 ? -1.0f : 1.0f), y},
                 {dy < 0 ? kDown : kUp, dy < 0 ? 'D' : 'U', x, y + (dy < 0 ? -1.0f : 1.0f)},
                 {dx < 0 ? kRight : kLeft, dx < 0 ? 'R' : 'L', x + (dx < 0 ? 1.0f : -1.0f), y},
                 {dy < 0 ? kUp : kDown, dy < 0 ? 'U' : 'D', x, y + (dy < 0 ? 1.0f : -1.0f)}};
  if (dx == 0) std::swap(ways[0], ways[1]);
  for (const Way& way : ways) {
    if (!CellFree(way.x, way.y)) continue;
    if (way.heading == world.heading) return;  // already going that way
    bool held = keyDown[way.key];
    for (int arrow : kArrows) keyDown[arrow] = false;
    if (!held) keyDown[way.key] = true;  // a held key must be let go first
    return;
  }
}

struct Tally {
  long resets = 0, meals = 0, moving = 0;
  size_t longest = 0;
};

// Plays `ticks` ticks from a fresh world and key table. Stops at the first
// broken invariant (a fatal failure of the calling test).
inline void Play(long ticks, uint32_t wildness, Tally* tally) {
  world = GameWorld();
  std::fill(keyDown, keyDown + 256, false);
  KeyStream keys;
  // Board occupancy for the self-overlap check: one mark per cell.
  std::vector<uint32_t> board(109 * 81, 0);
  uint32_t round = 0;

  for (long tick = 0; tick < ticks; ++tick) {
    if (world.newGame) BuildWorld();
    const size_t lengthBefore = world.snakeX.size();
    const uint32_t randomBefore = world.randomState;
    const float scoreBefore = world.score;
    const bool wasMoving = IsMoving(world.heading);
    const float tailX = world.snakeX.back(), tailY = world.snakeY.back();

    StepWorld();

    const bool reset = world.newGame;
    const bool ate = world.randomState != randomBefore;  // only eating draws new food mid-game
    tally->resets += reset;
    tally->meals += ate;
    tally->moving += wasMoving;

    // Parallel lists stay parallel.
    ASSERT_EQ(world.snakeY.size(), world.snakeX.size()) << tick;
    ASSERT_EQ(world.snakeZ.size(), world.snakeX.size()) << tick;
    ASSERT_EQ(world.wallY.size(), world.wallX.size()) << tick;
    ASSERT_EQ(world.wallZ.size(), world.wallX.size()) << tick;
    ASSERT_EQ(world.foodY.size(), world.foodX.size()) << tick;
    ASSERT_EQ(world.foodZ.size(), world.foodX.size()) << tick;
    ASSERT_TRUE(std::isfinite(world.score) && world.score >= 0) << tick;

    if (reset) {
      ASSERT_TRUE(world.snakeX.empty() && world.wallX.empty() && world.foodX.empty()) << tick;
      ASSERT_EQ(world.heading, 'P') << tick;
      ASSERT_EQ(world.score, 0.0f) << tick;
      ASSERT_FALSE(world.upHeld || world.downHeld || world.leftHeld || world.rightHeld) << tick;
    } else {
      ASSERT_EQ(world.wallX.size(), 380u) << tick;
      for (size_t i = 0; i < world.wallX.size(); ++i)
        ASSERT_TRUE(Whole(world.wallX[i]) && Whole(world.wallY[i]) && world.wallZ[i] == 0.0f) << tick;
      ASSERT_EQ(world.foodX.size(), 1u) << tick;
      // Food only where it may be placed.
      ASSERT_TRUE(Whole(world.foodX[0]) && world.foodX[0] >= 0 && world.foodX[0] <= 106) << tick;
      ASSERT_TRUE(Whole(world.foodY[0]) && world.foodY[0] >= 0 && world.foodY[0] <= 38) << tick;
      ASSERT_EQ(world.foodZ[0], 0.0f) << tick;
      // Growth by one cell exactly when a moving snake eats; the cell that
      // comes back is the tail the move removed.
      ASSERT_EQ(world.snakeX.size(), lengthBefore + (ate && wasMoving ? 1 : 0)) << tick;
      if (ate && wasMoving) {
        ASSERT_EQ(world.snakeX.back(), tailX) << tick;
        ASSERT_EQ(world.snakeY.back(), tailY) << tick;
      }
      // The score: unchanged while standing without a meal, never falling.
      if (!wasMoving && !ate) {
        ASSERT_EQ(world.score, scoreBefore) << tick;
      }
      ASSERT_GE(world.score, scoreBefore + (ate ? 10.0f : 0.0f)) << tick;
      // A live snake lies inside the walls, in whole cells on z = 0, each
      // cell one step from the next, and never on itself.
      ++round;
      for (size_t i = 0; i < world.snakeX.size(); ++i) {
        float x = world.snakeX[i], y = world.snakeY[i];
        ASSERT_TRUE(Whole(x) && Whole(y) && world.snakeZ[i] == 0.0f) << tick << " cell " << i;
        ASSERT_TRUE(x >= 1 && x <= 107 && y >= 1 && y <= 79) << tick << " cell " << i;
        if (i > 0) {
          float step = std::fabs(x - world.snakeX[i - 1]) + std::fabs(y - world.snakeY[i - 1]);
          ASSERT_EQ(step, 1.0f) << tick << " cell " << i;
        }
        uint32_t& mark = board[size_t(y) * 109 + size_t(x)];
        ASSERT_NE(mark, round) << tick << " cell " << i;
        mark = round;
      }
      tally->longest = std::max(tally->longest, world.snakeX.size());
    }

    NextKeys(keys, wildness);
    ApplySteering();
  }
}

// The stream really played: the snake moved most of the time, ate, grew and died.
inline void ExpectPlayed(const Tally& tally, long ticks, long meals, long resets, size_t longest) {
  EXPECT_GT(tally.moving, ticks / 2);
  EXPECT_GT(tally.meals, meals);
  EXPECT_GT(tally.resets, resets);
  EXPECT_GT(tally.longest, longest);
}

}  // namespace long_play
