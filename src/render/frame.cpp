// One frame: the score line and every cell, then one tick of the game.
#include "render/frame.h"

#include "game/step.h"
#include "game/world.h"
#include "platform/win32.h"
#include "render/scene.h"
#include "render/text.h"

#include <GL/gl.h>
#include <GL/glu.h>

const float cameraX = -54.0f;
const float cameraY = -40.0f;
const float cameraZ = -100.0f;

namespace {
// Draws every cell of one set as a translated cube, in index order.
void DrawCells(const CoordList& xs, const CoordList& ys, const CoordList& zs) {
  for (size_t i = 0; i < xs.size(); ++i) {
    glLoadIdentity();
    glTranslatef(cameraX, cameraY, cameraZ);
    glTranslatef(xs[i], ys[i], zs[i]);
    glCallList(cubeList);
  }
}
}  // namespace

bool DrawFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glTranslatef(cameraX, cameraY, cameraZ);

  glTranslatef(41.0f, 50.0f, 70.0f);
  PrintCentered("SCORE:");
  glTranslatef(2.0f, 0.0f, 0.0f);
  PrintCentered("%6.0f", static_cast<double>(world.score));

  if (world.newGame) BuildWorld();

  DrawCells(world.wallX, world.wallY, world.wallZ);
  DrawCells(world.snakeX, world.snakeY, world.snakeZ);
  DrawCells(world.foodX, world.foodY, world.foodZ);

  StepWorld();
  return true;
}
