// A real rendering context for the renderer's tests, made through the
// platform layer (a window on the virtual display), and ways to look at what
// was drawn: GL feedback mode and reading back pixels.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "game/world.h"

// Opens the window and context once per test program, and gives every test a
// fresh world and a 640 x 480 scene.
class RenderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
};

// One vertex as GL feedback reports it, with its window position taken back
// to the coordinates that were current before the drawing began.
struct FeedbackVertex {
  double x, y, z;
  float color[4];
  float texture[4];
};
using FeedbackPolygon = std::vector<FeedbackVertex>;

// Runs `draw` in feedback mode (GL_3D_COLOR_TEXTURE) and returns the polygons
// it produced, in order. Positions are unprojected with the modelview,
// projection and viewport current when this is called.
std::vector<FeedbackPolygon> CaptureFeedback(const std::function<void()>& draw);

// Mesa reports a quad in feedback as two triangles (v0 v1 v3, v1 v2 v3);
// this puts each such pair back together. A polygon that does not fit the
// pattern fails the test.
std::vector<FeedbackPolygon> MergeQuads(const std::vector<FeedbackPolygon>& polygons);

// The current modelview matrix, column-major as OpenGL keeps it.
std::vector<float> ModelviewMatrix();

// Window position of a world point under the camera of a frame and the
// current projection and viewport.
void ProjectWorldPoint(double x, double y, double z, double* windowX, double* windowY);
