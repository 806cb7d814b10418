// One frame: the score line and every cell, then one tick of the game.
#include "render/frame.h"

#include "game/step.h"
#include "game/world.h"
#include "platform/win32.h"
#include "render/scene.h"
#include "render/text.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <vector>

const float cameraX = -54.0f;
const float cameraY = -40.0f;
const float cameraZ = -100.0f;

namespace {
// The score as shown: rounded to a whole number, a half rounded up. The C
// library's "%6.0f" rounds a half to the even neighbour (2.5 would show 2),
// so the number is rounded here and the format only lays out a whole value.
double ShownScore(float score) {
  double value = static_cast<double>(score);
  double whole = std::floor(value);
  if (value - whole >= 0.5) whole += 1.0;
  return whole;
}

// Draws every cell of one set as a translated cube, in index order.
void DrawCells(const CoordList& xs, const CoordList& ys, const CoordList& zs) {
  for (size_t i = 0; i < xs.size(); ++i) {
    glLoadIdentity();
    glTranslatef(cameraX, cameraY, cameraZ);
    glTranslatef(xs[i], ys[i], zs[i]);
    glCallList(cubeList);
  }
}

// The wall cells the current wallList was made from.
std::vector<float> wallListX, wallListY, wallListZ;

bool SameCells(const std::vector<float>& made, const CoordList& now) {
  return made.size() == now.size() && std::equal(made.begin(), made.end(), now.data());
}

// The walls are the same from one game to the next, so they are drawn with
// one call of a list holding every wall cube rather than one cube at a time
// (a frame's fixed cost, with a short snake, was mostly the 380 wall cubes).
// The list holds the cube's own faces with each corner moved to its cell,
// which the software renderer draws to the same pixels as the cube list
// under a translation to that cell; the list is made again whenever the
// wall cells differ from those it was made from, or the context is new.
// Its name is reserved by InitScene.
void DrawWalls() {
  if (!wallListMade || !SameCells(wallListX, world.wallX) || !SameCells(wallListY, world.wallY) ||
      !SameCells(wallListZ, world.wallZ)) {
    wallListX.assign(world.wallX.data(), world.wallX.data() + world.wallX.size());
    wallListY.assign(world.wallY.data(), world.wallY.data() + world.wallY.size());
    wallListZ.assign(world.wallZ.data(), world.wallZ.data() + world.wallZ.size());
    BuildWallList(wallListX.data(), wallListY.data(), wallListZ.data(), wallListX.size());
  }
  glLoadIdentity();
  glTranslatef(cameraX, cameraY, cameraZ);
  glCallList(wallList);
}
}  // namespace

bool DrawFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glTranslatef(cameraX, cameraY, cameraZ);

  glTranslatef(41.0f, 50.0f, 70.0f);
  PrintCentered("SCORE:");
  glTranslatef(2.0f, 0.0f, 0.0f);
  PrintCentered("%6.0f", ShownScore(world.score));

  if (world.newGame) BuildWorld();

  DrawWalls();
  DrawCells(world.snakeX, world.snakeY, world.snakeZ);
  DrawCells(world.foodX, world.foodY, world.foodZ);

  StepWorld();
  return true;
}
