// Scene set-up: the fixed state, the perspective projection and the cube.
#include <GL/gl.h>

#include <cmath>

#include "gl_fixture.h"
#include "offscreen.h"
#include "render/scene.h"
#include "render/text.h"

namespace {

using SceneTest = RenderTest;

TEST_F(SceneTest, InitSceneSetsTheFixedStateAndEnablesOnlyTheDepthTest) {
  // Start from state unlike the one wanted, so each value read back was set.
  glShadeModel(GL_FLAT);
  glClearColor(1.0f, 0.5f, 0.25f, 1.0f);
  glClearDepth(0.25);
  glDisable(GL_DEPTH_TEST);
  glDepthFunc(GL_GREATER);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);

  EXPECT_TRUE(InitScene());

  GLint value = 0;
  glGetIntegerv(GL_SHADE_MODEL, &value);
  EXPECT_EQ(value, GL_SMOOTH);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0], 0.0f);
  EXPECT_EQ(clear[1], 0.0f);
  EXPECT_EQ(clear[2], 0.0f);
  EXPECT_EQ(clear[3], 0.5f);
  GLdouble depth = 0;
  glGetDoublev(GL_DEPTH_CLEAR_VALUE, &depth);
  EXPECT_EQ(depth, 1.0);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  glGetIntegerv(GL_DEPTH_FUNC, &value);
  EXPECT_EQ(value, GL_LEQUAL);
  glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
  EXPECT_EQ(value, GL_NICEST);

  // Nothing is lit, textured, culled, blended or coloured.
  const GLenum offCapabilities[] = {GL_LIGHTING,
                                    GL_LIGHT0,
                                    GL_TEXTURE_1D,
                                    GL_TEXTURE_2D,
                                    GL_CULL_FACE,
                                    GL_BLEND,
                                    GL_FOG,
                                    GL_ALPHA_TEST,
                                    GL_STENCIL_TEST,
                                    GL_SCISSOR_TEST,
                                    GL_NORMALIZE,
                                    GL_COLOR_MATERIAL,
                                    GL_POLYGON_SMOOTH,
                                    GL_LINE_SMOOTH,
                                    GL_POLYGON_OFFSET_FILL,
                                    GL_TEXTURE_GEN_S,
                                    GL_TEXTURE_GEN_T,
                                    GL_COLOR_LOGIC_OP};
  for (GLenum capability : offCapabilities) {
    EXPECT_FALSE(glIsEnabled(capability)) << "capability 0x" << std::hex << capability;
  }
  GLfloat color[4];
  glGetFloatv(GL_CURRENT_COLOR, color);
  EXPECT_EQ(color[0], 1.0f);
  EXPECT_EQ(color[1], 1.0f);
  EXPECT_EQ(color[2], 1.0f);
  EXPECT_EQ(color[3], 1.0f);

  // The cube and the glyphs are lists of this context.
  EXPECT_TRUE(glIsList(cubeList));
  EXPECT_TRUE(glIsList(glyphBase + 'S'));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The matrix gluPerspective builds, worked out here from its definition.
// GLU leaves the matrix alone when the aspect is 0, so the projection stays
// the identity that was loaded before it.
std::vector<double> PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar) {
  std::vector<double> m(16, 0.0);
  if (aspect == 0.0) {
    m[0] = m[5] = m[10] = m[15] = 1.0;
    return m;
  }
  double f = 1.0 / std::tan(fovy * M_PI / 360.0);
  m[0] = f / aspect;
  m[5] = f;
  m[10] = (zFar + zNear) / (zNear - zFar);
  m[11] = -1.0;
  m[14] = 2.0 * zFar * zNear / (zNear - zFar);
  return m;
}

struct ResizeCase {
  int width, height;
  GLint viewport[4];
  double aspect;
};

TEST_F(SceneTest, ResizeSceneSetsViewportAndPerspectiveAndLeavesModelviewIdentity) {
  const ResizeCase cases[] = {
      {640, 480, {0, 0, 640, 480}, 640.0 / 480.0},
      {640, 0, {0, 0, 640, 1}, 640.0},  // a height of 0 counts as 1
      {0, 0, {0, 0, 0, 1}, 0.0},        // a minimised window
      {801, 333, {0, 0, 801, 333}, 801.0 / 333.0},
  };
  for (const ResizeCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
    // Leave another matrix mode current and a scrambled modelview behind.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(3.0f, -4.0f, 5.0f);
    glRotatef(30.0f, 1.0f, 1.0f, 0.0f);
    glMatrixMode(GL_TEXTURE);

    ResizeScene(c.width, c.height);

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(viewport[k], c.viewport[k]) << "viewport " << k;

    std::vector<double> expected = PerspectiveMatrix(45.0, c.aspect, static_cast<double>(0.1f), 150.0);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    for (int k = 0; k < 16; ++k) {
      EXPECT_NEAR(projection[k], expected[k], 1e-6 * std::max(1.0, std::fabs(expected[k]))) << "element " << k;
    }

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    std::vector<float> modelview = ModelviewMatrix();
    for (int k = 0; k < 16; ++k) EXPECT_EQ(modelview[k], k % 5 == 0 ? 1.0f : 0.0f) << "modelview " << k;
  }
  // The next real size makes the projection valid again.
  ResizeScene(640, 480);
  GLdouble projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  EXPECT_EQ(projection[11], -1.0);
}

// One corner of the cube as recorded: texture (s, t), position (x, y, z).
struct CubeCorner {
  float s, t, x, y, z;
};
// Face by face, in call order, with each face's normal.
const float kNormals[6][3] = {{0, 0, 0.5f}, {0, 0, -0.5f}, {0, 0.5f, 0}, {0, -0.5f, 0}, {0.5f, 0, 0}, {-0.5f, 0, 0}};
const CubeCorner kCorners[6][4] = {
    {{0, 0, -0.5f, -0.5f, 0.5f},
     {0.5f, 0, 0.5f, -0.5f, 0.5f},
     {0.5f, 0.5f, 0.5f, 0.5f, 0.5f},
     {0, 0.5f, -0.5f, 0.5f, 0.5f}},
    {{0.5f, 0, -0.5f, -0.5f, -0.5f},
     {0.5f, 0.5f, -0.5f, 0.5f, -0.5f},
     {0, 0.5f, 0.5f, 0.5f, -0.5f},
     {0, 0, 0.5f, -0.5f, -0.5f}},
    {{0, 0.5f, -0.5f, 0.5f, -0.5f},
     {0, 0, -0.5f, 0.5f, 0.5f},
     {0.5f, 0, 0.5f, 0.5f, 0.5f},
     {0.5f, 0.5f, 0.5f, 0.5f, -0.5f}},
    {{0.5f, 0.5f, -0.5f, -0.5f, -0.5f},
     {0, 0.5f, 0.5f, -0.5f, -0.5f},
     {0, 0, 0.5f, -0.5f, 0.5f},
     {0.5f, 0, -0.5f, -0.5f, 0.5f}},
    {{0.5f, 0, 0.5f, -0.5f, -0.5f},
     {0.5f, 0.5f, 0.5f, 0.5f, -0.5f},
     {0, 0.5f, 0.5f, 0.5f, 0.5f},
     {0, 0, 0.5f, -0.5f, 0.5f}},
    {{0, 0, -0.5f, -0.5f, -0.5f},
     {0.5f, 0, -0.5f, -0.5f, 0.5f},
     {0.5f, 0.5f, -0.5f, 0.5f, 0.5f},
     {0, 0.5f, -0.5f, 0.5f, -0.5f}},
};

// A plain orthographic view of a region around the origin, for feedback.
void LookAtOrigin() {
  glViewport(0, 0, 400, 400);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-2, 2, -2, 2, -2, 2);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

TEST_F(SceneTest, CubeListHoldsSixQuadsWithTheTabledCornersInCallOrder) {
  LookAtOrigin();
  std::vector<FeedbackPolygon> quads = MergeQuads(CaptureFeedback([] { glCallList(cubeList); }));
  ASSERT_EQ(quads.size(), 6u);
  for (int face = 0; face < 6; ++face) {
    ASSERT_EQ(quads[face].size(), 4u);
    for (int corner = 0; corner < 4; ++corner) {
      SCOPED_TRACE(::testing::Message() << "face " << face << " corner " << corner);
      const FeedbackVertex& v = quads[face][corner];
      const CubeCorner& want = kCorners[face][corner];
      EXPECT_NEAR(v.x, want.x, 1e-5);
      EXPECT_NEAR(v.y, want.y, 1e-5);
      EXPECT_NEAR(v.z, want.z, 1e-5);
      EXPECT_EQ(v.texture[0], want.s);
      EXPECT_EQ(v.texture[1], want.t);
      EXPECT_EQ(v.texture[2], 0.0f);
      EXPECT_EQ(v.texture[3], 1.0f);
      for (int k = 0; k < 4; ++k) EXPECT_EQ(v.color[k], 1.0f);  // the default white
    }
  }
}

// Makes each face's normal visible: with lights straight along the three
// axes (one colour channel each), unnormalised normals of length 0.5 light
// their channel to exactly 0.5.
void LightAlongAxes(float sign) {
  const GLfloat none[4] = {0, 0, 0, 1};
  const GLfloat white[4] = {1, 1, 1, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, none);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
  for (int axis = 0; axis < 3; ++axis) {
    GLfloat direction[4] = {0, 0, 0, 0};
    direction[axis] = sign;
    GLfloat channel[4] = {0, 0, 0, 1};
    channel[axis] = 1;
    glLightfv(GL_LIGHT0 + axis, GL_POSITION, direction);
    glLightfv(GL_LIGHT0 + axis, GL_DIFFUSE, channel);
    glLightfv(GL_LIGHT0 + axis, GL_AMBIENT, none);
    glLightfv(GL_LIGHT0 + axis, GL_SPECULAR, none);
    glEnable(GL_LIGHT0 + axis);
  }
  glEnable(GL_LIGHTING);
}

TEST_F(SceneTest, CubeListGivesEachFaceItsHalfLengthNormal) {
  LookAtOrigin();
  for (float sign : {1.0f, -1.0f}) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    LightAlongAxes(sign);
    std::vector<FeedbackPolygon> quads = MergeQuads(CaptureFeedback([] { glCallList(cubeList); }));
    glPopAttrib();
    ASSERT_EQ(quads.size(), 6u);
    for (int face = 0; face < 6; ++face) {
      for (const FeedbackVertex& v : quads[face]) {
        for (int axis = 0; axis < 3; ++axis) {
          float lit = std::max(0.0f, sign * kNormals[face][axis]);
          EXPECT_NEAR(v.color[axis], lit, 1e-6) << "face " << face << " axis " << axis << " sign " << sign;
        }
      }
    }
  }
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(SceneTest, TranslatedCubeFillsExactlyItsCell) {
  struct Cell {
    float x, y, z;
  };
  const Cell cells[] = {{0, 0, 0}, {108, 80, 0}, {59, 40, 0}, {-3, 7, -2}};
  glViewport(0, 0, 400, 400);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-10, 120, -10, 90, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  for (const Cell& cell : cells) {
    SCOPED_TRACE(::testing::Message() << "cell " << cell.x << ", " << cell.y << ", " << cell.z);
    glLoadIdentity();
    std::vector<FeedbackPolygon> quads = MergeQuads(CaptureFeedback([&] {
      glTranslatef(cell.x, cell.y, cell.z);
      glCallList(cubeList);
    }));
    ASSERT_EQ(quads.size(), 6u);
    double low[3] = {1e9, 1e9, 1e9}, high[3] = {-1e9, -1e9, -1e9};
    for (const FeedbackPolygon& quad : quads) {
      for (const FeedbackVertex& v : quad) {
        const double p[3] = {v.x, v.y, v.z};
        for (int k = 0; k < 3; ++k) {
          low[k] = std::min(low[k], p[k]);
          high[k] = std::max(high[k], p[k]);
        }
      }
    }
    const float centre[3] = {cell.x, cell.y, cell.z};
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(low[k], centre[k] - 0.5, 1e-4) << "axis " << k;
      EXPECT_NEAR(high[k], centre[k] + 0.5, 1e-4) << "axis " << k;
    }
  }
}

TEST_F(SceneTest, TranslatedCubeCoversExactlyItsCellsPixelsInWhite) {
  // Eight pixels to a unit, cell edges on pixel edges: the cube at (10, 20)
  // spans x 9.5..10.5 and y 19.5..20.5, pixels 76..83 and 156..163.
  glViewport(0, 0, 640, 480);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 80, 0, 60, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glTranslatef(10, 20, 0);
  glCallList(cubeList);
  FramePicture picture = ReadFrame(640, 480);
  int white = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      unsigned char rgb[3];
      PixelAt(picture, x, y, rgb);
      bool inside = x >= 76 && x < 84 && y >= 156 && y < 164;
      unsigned char want = inside ? 255 : 0;
      if (rgb[0] != want || rgb[1] != want || rgb[2] != want) {
        ADD_FAILURE() << "pixel " << x << ", " << y << " is " << int(rgb[0]) << " " << int(rgb[1]) << " "
                      << int(rgb[2]);
        return;
      }
      white += inside;
    }
  }
  EXPECT_EQ(white, 64);
}

}  // namespace
