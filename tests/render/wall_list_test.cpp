// The walls are drawn from one list of pre-placed cubes; the picture must be
// the one drawing each wall as a translated call of the cube list gives,
// pixel for pixel.
#include <GL/gl.h>

#include <functional>
#include <string>

#include "game/world.h"
#include "gl_fixture.h"
#include "offscreen.h"
#include "render/frame.h"
#include "render/scene.h"
#include "render/text.h"

namespace {

// A frame drawn the plain way: the same clear, camera and score line as
// DrawFrame, then every wall, snake and food cell one cube at a time.
void DrawFrameOneByOne() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glTranslatef(cameraX, cameraY, cameraZ);
  glTranslatef(41.0f, 50.0f, 70.0f);
  PrintCentered("SCORE:");
  glTranslatef(2.0f, 0.0f, 0.0f);
  PrintCentered("%6.0f", static_cast<double>(world.score));
  const CoordList* sets[3][3] = {{&world.wallX, &world.wallY, &world.wallZ},
                                 {&world.snakeX, &world.snakeY, &world.snakeZ},
                                 {&world.foodX, &world.foodY, &world.foodZ}};
  for (const auto& set : sets)
    for (size_t i = 0; i < set[0]->size(); ++i) {
      glLoadIdentity();
      glTranslatef(cameraX, cameraY, cameraZ);
      glTranslatef((*set[0])[i], (*set[1])[i], (*set[2])[i]);
      glCallList(cubeList);
    }
}

// A standing snake of `length` cells laid row by row through the interior.
void LayOutSnake(int length) {
  world.snakeX.clear();
  world.snakeY.clear();
  world.snakeZ.clear();
  for (int i = 0; i < length; ++i) {
    int row = i / 107, column = i % 107;
    world.snakeX.push_back(static_cast<float>(row % 2 == 0 ? 1 + column : 107 - column));
    world.snakeY.push_back(static_cast<float>(1 + row));
    world.snakeZ.push_back(0.0f);
  }
}

int DifferingPixels(const FramePicture& a, const FramePicture& b) {
  int differing = 0;
  for (size_t i = 0; i < a.rgb.size(); i += 3)
    if (a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2]) ++differing;
  return differing;
}

struct Case {
  const char* what;
  int viewportWidth, viewportHeight;  // odd sizes put the cube edges at other sub-pixel places
  std::function<void()> arrange;      // changes the freshly built world
};

using WallListTest = RenderTest;

TEST_F(WallListTest, WallsFromOneListDrawTheSamePixelsAsOneCubeAtATime) {
  const Case cases[] = {
      {"fresh board", 640, 480, [] {}},
      {"fresh board, odd viewport", 517, 389, [] {}},
      {"fresh board, small viewport", 203, 151, [] {}},
      {"long snake along the walls", 640, 480, [] { LayOutSnake(8000); }},
      {"score line over the walls", 631, 477, [] { world.score = 123456.0f; }},
      // Walls the list was not made from: it must be made again.
      {"walls lifted towards the eye", 640, 480, [] { world.wallZ.assign(world.wallZ.size(), 7.0f); }},
      {"one wall moved", 640, 480, [] { world.wallX[100] = 30.0f; }},
      {"no walls", 640, 480, [] { world.wallX.clear(), world.wallY.clear(), world.wallZ.clear(); }},
      {"fresh board again", 640, 480, [] {}},
  };
  for (const Case& c : cases) {
    world = GameWorld();
    BuildWorld();
    c.arrange();
    ResizeScene(c.viewportWidth, c.viewportHeight);

    DrawFrameOneByOne();
    FramePicture oneByOne = ReadFrame(640, 480);
    GameWorld before = world;
    ASSERT_TRUE(DrawFrame());
    FramePicture batched = ReadFrame(640, 480);
    world = before;

    int white = 0;
    for (unsigned char v : oneByOne.rgb) white += v == 255;
    EXPECT_GT(white, 0) << c.what;
    EXPECT_EQ(DifferingPixels(oneByOne, batched), 0) << c.what;
  }
}

// A new rendering context starts without the walls' list; the first frame
// in it makes one there, under a name reserved before the glyphs' 256, so
// that no name past those is used.
TEST_F(WallListTest, ANewContextGetsItsOwnWallList) {
  BuildWorld();
  DrawFrame();
  EXPECT_TRUE(wallListMade);
  EXPECT_EQ(glIsList(wallList), GL_TRUE);

  CloseFrameWindow();
  ASSERT_TRUE(OpenFrameWindow(640, 480));
  ResizeScene(640, 480);
  ASSERT_TRUE(InitScene());
  EXPECT_FALSE(wallListMade);
  EXPECT_LT(wallList, glyphBase);

  DrawFrameOneByOne();
  FramePicture oneByOne = ReadFrame(640, 480);
  DrawFrame();
  EXPECT_TRUE(wallListMade);
  EXPECT_EQ(DifferingPixels(oneByOne, ReadFrame(640, 480)), 0);
  EXPECT_FALSE(glIsList(glyphBase + 256));
}

}  // namespace
