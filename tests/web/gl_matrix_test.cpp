// The browser build's matrix stacks: products in OpenGL's order, the
// program's camera and projection putting a cell where it belongs on the
// screen, and the stacks' limits.
#include "gl_lists.h"
#include "gl_matrix.h"
#include "recording_sink.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

GlCall Translation(float x, float y, float z) {
  GlCall call;
  call.kind = GlCallKind::Translate;
  call.values[0] = x;
  call.values[1] = y;
  call.values[2] = z;
  return call;
}

GlCall Simple(GlCallKind kind, GLenum name = 0) {
  GlCall call;
  call.kind = kind;
  call.names[0] = name;
  return call;
}

// (x, y, z, 1) through a matrix, divided by w.
void Project(const GlMatrix& m, float x, float y, float z, float out[3]) {
  float clip[4];
  for (int row = 0; row < 4; ++row) clip[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
  for (int i = 0; i < 3; ++i) out[i] = clip[i] / clip[3];
}

TEST(GlMatrix, TranslationsAddUpAndMultiplyInOpenGLsOrder) {
  GlMatrixStacks stacks;
  ApplyMatrixCall(stacks, Translation(1, 2, 3));
  ApplyMatrixCall(stacks, Translation(4, 5, 6));
  EXPECT_EQ(stacks.modelview.back()[12], 5.0f);
  EXPECT_EQ(stacks.modelview.back()[13], 7.0f);
  EXPECT_EQ(stacks.modelview.back()[14], 9.0f);

  // Scale then translate: the translation is scaled too (current * new).
  GlMatrixStacks scaled;
  GlCall scale = Simple(GlCallKind::MultMatrix);
  GlMatrix twice = IdentityMatrix();
  twice[0] = twice[5] = twice[10] = 2.0f;
  for (int i = 0; i < 16; ++i) scale.values[i] = twice[i];
  ApplyMatrixCall(scaled, scale);
  ApplyMatrixCall(scaled, Translation(1, 0, 0));
  EXPECT_EQ(scaled.modelview.back()[12], 2.0f);
  EXPECT_EQ(scaled.modelview.back()[0], 2.0f);
}

TEST(GlMatrix, TheCameraPutsTheBoardsCentreInTheMiddleOfTheView) {
  // What ResizeScene(640, 480) and a frame's cube calls hand on, through the
  // piece into the stacks.
  struct StackSink : RecordingSink {
    GlMatrixStacks stacks;
    void Call(const GlCall& call) override { ApplyMatrixCall(stacks, call); }
  } sink;
  GlListContext* context = CreateGlListContext(&sink);
  MakeGlListContextCurrent(context);
  Gl11MatrixMode(GL_PROJECTION);
  Gl11LoadIdentity();
  Gl11Perspective(45.0, 640.0 / 480.0, static_cast<double>(0.1f), 150.0);
  Gl11MatrixMode(GL_MODELVIEW);
  Gl11LoadIdentity();
  Gl11Translatef(-54.0f, -40.0f, -100.0f);
  Gl11Translatef(54.0f, 40.0f, 0.0f);
  float centre[3];
  Project(ModelviewProjection(sink.stacks), 0, 0, 0, centre);
  EXPECT_NEAR(centre[0], 0.0f, 1e-6f);
  EXPECT_NEAR(centre[1], 0.0f, 1e-6f);
  EXPECT_GT(centre[2], -1.0f);
  EXPECT_LT(centre[2], 1.0f);

  // A corner cell of the 109 x 81 board, (0, 0), lands left of and below
  // the centre, inside the view: x = -54 * f / aspect / 100 in NDC.
  Gl11LoadIdentity();
  Gl11Translatef(-54.0f, -40.0f, -100.0f);
  float corner[3];
  Project(ModelviewProjection(sink.stacks), 0, 0, 0, corner);
  double f = 1.0 / std::tan(22.5 * 3.14159265358979323846 / 180.0);
  EXPECT_NEAR(corner[0], -54.0 * f / (640.0 / 480.0) / 100.0, 1e-5);
  EXPECT_NEAR(corner[1], -40.0 * f / 100.0, 1e-5);
  EXPECT_GT(corner[0], -1.0f);
  EXPECT_GT(corner[1], -1.0f);
  DeleteGlListContext(context);
}

TEST(GlMatrix, EachModeHasItsOwnStackWithOpenGLsDepth) {
  GlMatrixStacks stacks;
  for (size_t i = 1; i < kModelviewDepth; ++i) EXPECT_TRUE(ApplyMatrixCall(stacks, Simple(GlCallKind::PushMatrix)));
  EXPECT_FALSE(ApplyMatrixCall(stacks, Simple(GlCallKind::PushMatrix)));
  EXPECT_EQ(stacks.modelview.size(), kModelviewDepth);

  ApplyMatrixCall(stacks, Simple(GlCallKind::MatrixMode, GL_PROJECTION));
  ApplyMatrixCall(stacks, Translation(0, 0, -5));
  EXPECT_TRUE(ApplyMatrixCall(stacks, Simple(GlCallKind::PushMatrix)));
  EXPECT_FALSE(ApplyMatrixCall(stacks, Simple(GlCallKind::PushMatrix)));
  ApplyMatrixCall(stacks, Simple(GlCallKind::LoadIdentity));
  EXPECT_TRUE(ApplyMatrixCall(stacks, Simple(GlCallKind::PopMatrix)));
  EXPECT_EQ(stacks.projection.back()[14], -5.0f);                        // the pushed copy came back
  EXPECT_FALSE(ApplyMatrixCall(stacks, Simple(GlCallKind::PopMatrix)));  // the last one stays
  EXPECT_EQ(stacks.projection.size(), 1u);
  EXPECT_EQ(stacks.modelview.back(), IdentityMatrix());  // untouched by the projection's calls

  ApplyMatrixCall(stacks, Simple(GlCallKind::MatrixMode, GL_COLOR));  // not a stack: stays on projection
  EXPECT_EQ(stacks.mode, static_cast<GLenum>(GL_PROJECTION));
}

}  // namespace
