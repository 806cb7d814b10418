#include "gl_fixture.h"

#include <cmath>

#include "offscreen.h"
#include "platform/win32.h"
#include "render/frame.h"
#include "render/scene.h"

#include <GL/gl.h>
#include <GL/glu.h>

void RenderTest::SetUpTestSuite() {
  ASSERT_TRUE(OpenFrameWindow(640, 480));
  ResizeScene(640, 480);
  ASSERT_TRUE(InitScene());
}

void RenderTest::TearDownTestSuite() { CloseFrameWindow(); }

void RenderTest::SetUp() {
  world = GameWorld();
  ResizeScene(640, 480);
}

std::vector<FeedbackPolygon> CaptureFeedback(const std::function<void()>& draw) {
  GLdouble modelview[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);

  static std::vector<GLfloat> buffer(8 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  GLint count = glRenderMode(GL_RENDER);
  EXPECT_GE(count, 0) << "feedback buffer overflowed";

  std::vector<FeedbackPolygon> polygons;
  for (GLint i = 0; i < count;) {
    GLint token = static_cast<GLint>(buffer[i++]);
    if (token == GL_PASS_THROUGH_TOKEN) {
      ++i;
      continue;
    }
    EXPECT_EQ(token, GL_POLYGON_TOKEN) << "unexpected feedback token at " << i - 1;
    if (token != GL_POLYGON_TOKEN) break;
    int corners = static_cast<int>(buffer[i++]);
    FeedbackPolygon polygon;
    for (int c = 0; c < corners; ++c, i += 11) {
      FeedbackVertex v;
      gluUnProject(buffer[i], buffer[i + 1], buffer[i + 2], modelview, projection, viewport, &v.x, &v.y, &v.z);
      for (int k = 0; k < 4; ++k) v.color[k] = buffer[i + 3 + k];
      for (int k = 0; k < 4; ++k) v.texture[k] = buffer[i + 7 + k];
      polygon.push_back(v);
    }
    polygons.push_back(polygon);
  }
  return polygons;
}

namespace {
bool SameVertex(const FeedbackVertex& a, const FeedbackVertex& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z && a.texture[0] == b.texture[0] && a.texture[1] == b.texture[1];
}
}  // namespace

std::vector<FeedbackPolygon> MergeQuads(const std::vector<FeedbackPolygon>& polygons) {
  std::vector<FeedbackPolygon> quads;
  for (size_t i = 0; i < polygons.size(); ++i) {
    if (polygons[i].size() == 4) {
      quads.push_back(polygons[i]);
      continue;
    }
    bool pair = i + 1 < polygons.size() && polygons[i].size() == 3 && polygons[i + 1].size() == 3 &&
                SameVertex(polygons[i][1], polygons[i + 1][0]) && SameVertex(polygons[i][2], polygons[i + 1][2]);
    EXPECT_TRUE(pair) << "polygon " << i << " is not half of a quad";
    if (!pair) return quads;
    quads.push_back({polygons[i][0], polygons[i][1], polygons[i + 1][1], polygons[i][2]});
    ++i;
  }
  return quads;
}

std::vector<float> ModelviewMatrix() {
  std::vector<float> m(16);
  glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
  return m;
}

void ProjectWorldPoint(double x, double y, double z, double* windowX, double* windowY) {
  // The camera matrix as the frame builds it.
  GLdouble modelview[16], projection[16];
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(cameraX, cameraY, cameraZ);
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glPopMatrix();
  GLint viewport[4];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  double windowZ;
  gluProject(x, y, z, modelview, projection, viewport, windowX, windowY, &windowZ);
}
