// Frame composition: what one DrawFrame draws, in which order, and which
// state of the game it shows.
#include <GL/gl.h>

#include <array>
#include <cmath>
#include <string>

#include "game/step.h"
#include "gl_fixture.h"
#include "offscreen.h"
#include "render/frame.h"
#include "render/text.h"

namespace {

using Cell = std::array<float, 3>;

// A frame taken apart: the score line's polygons and the cells of the cubes
// drawn, in drawing order, in board coordinates.
struct FrameContents {
  std::vector<FeedbackPolygon> text;
  std::vector<Cell> cubes;
  bool textFirst = true;  // every text polygon came before the first cube
};

// Board coordinates: the camera's frame, where the board lies in z = 0 and
// the score line in z = 69.8..70.
void LookThroughCamera() {
  glLoadIdentity();
  glTranslatef(cameraX, cameraY, cameraZ);
}

std::vector<Cell> CubeCentres(const std::vector<FeedbackPolygon>& polygons) {
  std::vector<FeedbackPolygon> quads = MergeQuads(polygons);
  EXPECT_EQ(quads.size() % 6, 0u);
  std::vector<Cell> cells;
  for (size_t first = 0; first + 6 <= quads.size(); first += 6) {
    double sum[3] = {0, 0, 0};
    for (size_t q = first; q < first + 6; ++q)
      for (const FeedbackVertex& v : quads[q]) {
        sum[0] += v.x;
        sum[1] += v.y;
        sum[2] += v.z;
      }
    Cell cell;
    for (int k = 0; k < 3; ++k) {
      double centre = sum[k] / 24;
      // Window depth is a float, so far from the eye positions come back a
      // little blurred; cells are a whole unit apart.
      EXPECT_NEAR(centre, std::round(centre), 0.02);
      cell[k] = static_cast<float>(std::round(centre));
    }
    cells.push_back(cell);
  }
  return cells;
}

FrameContents CaptureFrame() {
  LookThroughCamera();
  std::vector<FeedbackPolygon> polygons = CaptureFeedback([] { EXPECT_TRUE(DrawFrame()); });
  FrameContents frame;
  std::vector<FeedbackPolygon> cubes;
  for (const FeedbackPolygon& p : polygons) {
    if (p[0].z > 60) {
      frame.textFirst = frame.textFirst && cubes.empty();
      frame.text.push_back(p);
    } else {
      cubes.push_back(p);
    }
  }
  frame.cubes = CubeCentres(cubes);
  return frame;
}

// The cells a frame of the given world should draw: walls, snake head to
// tail, food.
std::vector<Cell> CellsOf(const GameWorld& w) {
  std::vector<Cell> cells;
  for (size_t i = 0; i < w.wallX.size(); ++i) cells.push_back({w.wallX[i], w.wallY[i], w.wallZ[i]});
  for (size_t i = 0; i < w.snakeX.size(); ++i) cells.push_back({w.snakeX[i], w.snakeY[i], w.snakeZ[i]});
  for (size_t i = 0; i < w.foodX.size(); ++i) cells.push_back({w.foodX[i], w.foodY[i], w.foodZ[i]});
  return cells;
}

// The score line for a given six-character number, drawn from the same
// origin: 41, 50, 70 from the camera, the number two units past the label.
std::vector<FeedbackPolygon> ScoreLine(const char* number) {
  LookThroughCamera();
  return CaptureFeedback([number] {
    glTranslatef(41, 50, 70);
    PrintCentered("SCORE:");
    glTranslatef(2, 0, 0);
    PrintCentered("%s", number);
  });
}

void ExpectSameText(const std::vector<FeedbackPolygon>& drawn, const std::vector<FeedbackPolygon>& wanted) {
  ASSERT_EQ(drawn.size(), wanted.size());
  for (size_t i = 0; i < drawn.size(); ++i) {
    ASSERT_EQ(drawn[i].size(), wanted[i].size());
    for (size_t k = 0; k < drawn[i].size(); ++k) {
      ASSERT_NEAR(drawn[i][k].x, wanted[i][k].x, 1e-3) << "polygon " << i;
      ASSERT_NEAR(drawn[i][k].y, wanted[i][k].y, 1e-3) << "polygon " << i;
      ASSERT_NEAR(drawn[i][k].z, wanted[i][k].z, 1e-3) << "polygon " << i;
    }
  }
}

bool IsWhite(const FramePicture& picture, double worldX, double worldY) {
  double x, y;
  ProjectWorldPoint(worldX, worldY, 0.0, &x, &y);
  unsigned char rgb[3];
  PixelAt(picture, static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), rgb);
  EXPECT_TRUE((rgb[0] == 0 && rgb[1] == 0 && rgb[2] == 0) || (rgb[0] == 255 && rgb[1] == 255 && rgb[2] == 255))
      << "cell " << worldX << ", " << worldY << " is neither white nor black";
  return rgb[0] == 255 && rgb[1] == 255 && rgb[2] == 255;
}

using FrameTest = RenderTest;

TEST_F(FrameTest, FirstFrameBuildsTheBoardAndDrawsEveryCellOnceBehindTheScore) {
  FrameContents frame = CaptureFrame();

  EXPECT_FALSE(world.newGame);
  ASSERT_EQ(world.wallX.size(), 380u);
  ASSERT_EQ(world.snakeX.size(), 10u);
  ASSERT_EQ(world.foodX.size(), 1u);
  // Standing at the start: the tick moved nothing.
  EXPECT_EQ(world.snakeX[0], 59.0f);
  EXPECT_EQ(world.snakeX[9], 50.0f);
  EXPECT_EQ(world.score, 0.0f);

  ASSERT_EQ(frame.cubes.size(), 391u);
  EXPECT_EQ(frame.cubes, CellsOf(world));

  EXPECT_TRUE(frame.textFirst);
  ExpectSameText(frame.text, ScoreLine("     0"));
  // The label starts half its width left of x = 41; the number's last
  // glyph ends where its advance says, past the two-unit gap.
  float label = 0, number = 0;
  for (unsigned char c : std::string("SCORE:")) label = label + glyphMetrics[c].gmfCellIncX;
  for (unsigned char c : std::string("     0")) number = number + glyphMetrics[c].gmfCellIncX;
  const GLYPHMETRICSFLOAT& zero = glyphMetrics['0'];
  double left = 1e9, right = -1e9;
  for (const FeedbackPolygon& p : frame.text)
    for (const FeedbackVertex& v : p) {
      left = std::min(left, v.x);
      right = std::max(right, v.x);
      EXPECT_NEAR(v.z, 69.9, 0.1 + 1e-3);
    }
  EXPECT_NEAR(left, 41 - label / 2 + glyphMetrics['S'].gmfptGlyphOrigin.x, 0.02);
  double zeroStart = 41 + label / 2 + 2 + number / 2 - zero.gmfCellIncX;
  EXPECT_NEAR(right, zeroStart + zero.gmfptGlyphOrigin.x + zero.gmfBlackBoxX, 0.02);
}

TEST_F(FrameTest, CellsShowWhiteAndEmptyCellsBlack) {
  DrawFrame();
  FramePicture picture = ReadFrame(640, 480);
  struct Probe {
    const char* what;
    double x, y;
    bool white;
  };
  const Probe probes[] = {
      {"left wall", 0, 40, true},           {"right wall", 108, 40, true}, {"bottom wall", 54, 0, true},
      {"top wall", 54, 80, true},           {"corner", 108, 0, true},      {"snake head", 59, 40, true},
      {"snake tail", 50, 40, true},         {"food", 41, 20, true},        {"interior", 80, 60, false},
      {"interior", 20, 10, false},          {"interior", 100, 40, false},  {"past the tail", 49, 40, false},
      {"ahead of the head", 60, 40, false},
  };
  for (const Probe& probe : probes) {
    EXPECT_EQ(IsWhite(picture, probe.x, probe.y), probe.white) << probe.what << " at " << probe.x << ", " << probe.y;
  }
}

TEST_F(FrameTest, EachFrameShowsTheStateBeforeItsTick) {
  // Right is pressed after frame 0; frame 1 still shows the snake where it
  // stood and moves it in its tick; frame 2 shows the move.
  std::vector<FramePicture> pictures;
  std::vector<float> headAfter;
  PlayScript("R", 3, [&](int) {
    pictures.push_back(ReadFrame(640, 480));
    headAfter.push_back(world.snakeX[0]);
  });
  ASSERT_EQ(pictures.size(), 3u);
  EXPECT_EQ(headAfter, (std::vector<float>{59, 60, 61}));
  EXPECT_TRUE(IsWhite(pictures[1], 59, 40));
  EXPECT_FALSE(IsWhite(pictures[1], 60, 40));
  EXPECT_TRUE(IsWhite(pictures[1], 50, 40));
  EXPECT_TRUE(IsWhite(pictures[2], 60, 40));
  EXPECT_FALSE(IsWhite(pictures[2], 61, 40));
  EXPECT_FALSE(IsWhite(pictures[2], 50, 40));
}

TEST_F(FrameTest, FrameAfterACollisionShowsAFreshBoardAndScoreZero) {
  CaptureFrame();
  world.heading = 'R';
  CaptureFrame();
  CaptureFrame();       // head now at (61, 40)
  world.heading = 'L';  // straight back into the body
  world.score = 4321.0f;
  GameWorld beforeFatal = world;

  FrameContents fatal = CaptureFrame();
  EXPECT_EQ(fatal.cubes, CellsOf(beforeFatal));  // the snake where it last stood
  ExpectSameText(fatal.text, ScoreLine("  4321"));
  EXPECT_TRUE(world.newGame);
  EXPECT_EQ(world.score, 0.0f);
  EXPECT_TRUE(world.snakeX.empty());

  FrameContents fresh = CaptureFrame();
  EXPECT_FALSE(world.newGame);
  ASSERT_EQ(fresh.cubes.size(), 391u);
  EXPECT_EQ(fresh.cubes, CellsOf(world));
  EXPECT_EQ(fresh.cubes[380], (Cell{59, 40, 0}));  // the head back at its start
  EXPECT_EQ(fresh.cubes[389], (Cell{50, 40, 0}));
  ExpectSameText(fresh.text, ScoreLine("     0"));
}

}  // namespace
