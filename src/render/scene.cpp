// The fixed OpenGL state, the perspective projection and the unit cube.
#include "render/scene.h"

#include "platform/win32.h"
#include "render/text.h"

#include <GL/gl.h>
#include <GL/glu.h>

unsigned int cubeList = 0;
unsigned int wallList = 0;
bool wallListMade = false;

void ResizeScene(int width, int height) {
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  double aspect = static_cast<double>(width) / static_cast<double>(height);
  gluPerspective(45.0, aspect, static_cast<double>(0.1f), 150.0);

  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

bool InitScene() {
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  BuildCubeList();
  // The walls' list name, reserved next to the cube's so that the glyphs'
  // 256 names stay the last the program uses; the first frame in this
  // context fills it (see frame.cpp).
  wallList = glGenLists(1);
  wallListMade = false;
  BuildGlyphLists();
  return true;
}

namespace {
// One face of the cube: its normal and four corners, each with its texture
// coordinates, counter-clockwise as seen from outside.
struct CubeFace {
  float normal[3];
  float corners[4][5];  // s, t, x, y, z
};

const CubeFace kCubeFaces[6] = {
    // front
    {{0.0f, 0.0f, 0.5f},
     {{0.0f, 0.0f, -0.5f, -0.5f, 0.5f},
      {0.5f, 0.0f, 0.5f, -0.5f, 0.5f},
      {0.5f, 0.5f, 0.5f, 0.5f, 0.5f},
      {0.0f, 0.5f, -0.5f, 0.5f, 0.5f}}},
    // back
    {{0.0f, 0.0f, -0.5f},
     {{0.5f, 0.0f, -0.5f, -0.5f, -0.5f},
      {0.5f, 0.5f, -0.5f, 0.5f, -0.5f},
      {0.0f, 0.5f, 0.5f, 0.5f, -0.5f},
      {0.0f, 0.0f, 0.5f, -0.5f, -0.5f}}},
    // top
    {{0.0f, 0.5f, 0.0f},
     {{0.0f, 0.5f, -0.5f, 0.5f, -0.5f},
      {0.0f, 0.0f, -0.5f, 0.5f, 0.5f},
      {0.5f, 0.0f, 0.5f, 0.5f, 0.5f},
      {0.5f, 0.5f, 0.5f, 0.5f, -0.5f}}},
    // bottom
    {{0.0f, -0.5f, 0.0f},
     {{0.5f, 0.5f, -0.5f, -0.5f, -0.5f},
      {0.0f, 0.5f, 0.5f, -0.5f, -0.5f},
      {0.0f, 0.0f, 0.5f, -0.5f, 0.5f},
      {0.5f, 0.0f, -0.5f, -0.5f, 0.5f}}},
    // right
    {{0.5f, 0.0f, 0.0f},
     {{0.5f, 0.0f, 0.5f, -0.5f, -0.5f},
      {0.5f, 0.5f, 0.5f, 0.5f, -0.5f},
      {0.0f, 0.5f, 0.5f, 0.5f, 0.5f},
      {0.0f, 0.0f, 0.5f, -0.5f, 0.5f}}},
    // left
    {{-0.5f, 0.0f, 0.0f},
     {{0.0f, 0.0f, -0.5f, -0.5f, -0.5f},
      {0.5f, 0.0f, -0.5f, -0.5f, 0.5f},
      {0.5f, 0.5f, -0.5f, 0.5f, 0.5f},
      {0.0f, 0.5f, -0.5f, 0.5f, -0.5f}}},
};
}  // namespace

void BuildCubeList() {
  cubeList = glGenLists(1);
  glNewList(cubeList, GL_COMPILE);
  glBegin(GL_QUADS);
  for (const CubeFace& face : kCubeFaces) {
    glNormal3f(face.normal[0], face.normal[1], face.normal[2]);
    for (const auto& corner : face.corners) {
      glTexCoord2f(corner[0], corner[1]);
      glVertex3f(corner[2], corner[3], corner[4]);
    }
  }
  glEnd();
  glEndList();
}

void BuildWallList(const float* xs, const float* ys, const float* zs, size_t count) {
  glNewList(wallList, GL_COMPILE);
  glBegin(GL_QUADS);
  for (size_t i = 0; i < count; ++i) {
    for (const CubeFace& face : kCubeFaces) {
      glNormal3f(face.normal[0], face.normal[1], face.normal[2]);
      for (const auto& corner : face.corners) {
        glTexCoord2f(corner[0], corner[1]);
        // Whole cell plus a half: exact in a float, as the translation was.
        glVertex3f(xs[i] + corner[2], ys[i] + corner[3], zs[i] + corner[4]);
      }
    }
  }
  glEnd();
  glEndList();
  wallListMade = true;
}
