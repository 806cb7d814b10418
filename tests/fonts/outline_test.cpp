// wglUseFontOutlinesA, CreateFontA and SelectObject in a real GL context:
// the glyph lists and metrics are checked against FreeType's own view of the
// font fontconfig picks, in GL feedback mode and in drawn pixels.
#include <GL/gl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_BBOX_H
#include FT_ADVANCES_H
#include FT_BITMAP_H

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/hooks.h"
#include "platform/win32.h"
#include "gl_context.h"
#include "windows1252.h"

namespace {

const DWORD kGlyphCount = 255;  // codes 0-254, as the game builds them
const float kExtrusion = 0.2f;

// FreeType's view of the font: the face fontconfig matches for the game's
// request, opened independently of the code under test.
struct ReferenceFace {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  std::string file;

  bool Open() {
    if (FT_Init_FreeType(&library) != 0 || !FcInit()) return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("Verdana"));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(FW_BOLD));
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return false;
    FcChar8* path = nullptr;
    int index = 0;
    bool ok = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    if (ok) file = reinterpret_cast<const char*>(path);
    FcPatternDestroy(match);
    return ok && FT_New_Face(library, file.c_str(), index, &face) == 0 &&
           FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0;
  }

  double Em() const { return face->units_per_EM; }

  double AdvanceOf(FT_UInt glyph) const {
    FT_Fixed advance = 0;
    FT_Get_Advance(face, glyph, FT_LOAD_NO_SCALE, &advance);
    return advance / Em();
  }
};

// One primitive caught in GL feedback mode: window x, y, depth and the lit
// colour of each vertex.
struct FeedbackVertex {
  float x, y, z, r, g, b, a;
};
typedef std::vector<FeedbackVertex> FeedbackPrimitive;

std::vector<FeedbackPrimitive> Feedback(const std::function<void()>& draw, GLenum wanted) {
  static std::vector<GLfloat> buffer(1 << 22);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  GLint used = glRenderMode(GL_RENDER);
  std::vector<FeedbackPrimitive> primitives;
  EXPECT_GE(used, 0) << "feedback buffer overflow";
  auto vertexAt = [&](GLint i) {
    return FeedbackVertex{buffer[i],     buffer[i + 1], buffer[i + 2], buffer[i + 3],
                          buffer[i + 4], buffer[i + 5], buffer[i + 6]};
  };
  for (GLint i = 0; i < used;) {
    GLenum token = static_cast<GLenum>(buffer[i++]);
    int vertices = 0;
    if (token == GL_POLYGON_TOKEN)
      vertices = static_cast<int>(buffer[i++]);
    else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN)
      vertices = 2;
    else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
             token == GL_COPY_PIXEL_TOKEN)
      vertices = 1;
    else if (token == GL_PASS_THROUGH_TOKEN) {
      ++i;
      continue;
    } else {
      ADD_FAILURE() << "unknown feedback token " << token;
      break;
    }
    FeedbackPrimitive primitive;
    for (int k = 0; k < vertices; ++k, i += 7) primitive.push_back(vertexAt(i));
    bool isPolygon = token == GL_POLYGON_TOKEN;
    if ((wanted == GL_POLYGON_TOKEN) == isPolygon) primitives.push_back(primitive);
  }
  return primitives;
}

class OutlineFont : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    if (!gl.Open(640, 480, &error)) {
      openError = error;
      return;
    }
    referenceReady = reference.Open();
    font = CreateScoreFont();
    SelectObject(dc, font);
    base = glGenLists(256);
    built = wglUseFontOutlinesA(dc, 0, kGlyphCount, base, 0.0f, kExtrusion, WGL_FONT_POLYGONS, metrics);
  }
  static void TearDownTestSuite() {
    if (gl.context != nullptr) glDeleteLists(base, 256);
    gl.Close();
  }
  void SetUp() override {
    ASSERT_TRUE(openError.empty()) << "no GL context (run under tools/with-xvfb.sh): " << openError;
    ASSERT_TRUE(referenceReady) << "fontconfig finds no outline font for \"Verdana\" (install fonts-dejavu-core)";
    ASSERT_EQ(built, TRUE);
    LayerClearFaults();
    gl.MakeCurrent(true);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glListBase(0);
    while (glGetError() != GL_NO_ERROR) {
    }
  }

  static GlContext gl;
  static std::string openError;
  static ReferenceFace reference;
  static bool referenceReady;
  static HDC dc;
  static HFONT font;
  static GLuint base;
  static BOOL built;
  static GLYPHMETRICSFLOAT metrics[256];
};

GlContext OutlineFont::gl;
std::string OutlineFont::openError;
ReferenceFace OutlineFont::reference;
bool OutlineFont::referenceReady = false;
HDC OutlineFont::dc = reinterpret_cast<HDC>(1);
HFONT OutlineFont::font = nullptr;
GLuint OutlineFont::base = 0;
BOOL OutlineFont::built = FALSE;
GLYPHMETRICSFLOAT OutlineFont::metrics[256];

TEST_F(OutlineFont, WeightPicksTheBoldFace) {
  EXPECT_NE(reference.face->style_flags & FT_STYLE_FLAG_BOLD, 0) << reference.file;
}

TEST_F(OutlineFont, MetricsMatchFreeTypeForEveryCode) {
  int missing = 0;
  for (unsigned code = 1; code < kGlyphCount; ++code) {
    uint32_t unicode = UnicodeOf1252(code);
    if (unicode == 0) continue;  // undefined in the code page: see MissingCodesGetTheMissingGlyph
    FT_UInt glyph = FT_Get_Char_Index(reference.face, unicode);
    if (glyph == 0 && code >= 32 && code < 127) ++missing;
    SCOPED_TRACE("code " + std::to_string(code) + " U+" + std::to_string(unicode));
    const GLYPHMETRICSFLOAT& m = metrics[code];
    EXPECT_NEAR(m.gmfCellIncX, reference.AdvanceOf(glyph), 1e-6);
    EXPECT_EQ(m.gmfCellIncY, 0.0f);

    ASSERT_EQ(FT_Load_Glyph(reference.face, glyph, FT_LOAD_NO_SCALE), 0);
    FT_Outline* outline = &reference.face->glyph->outline;
    if (outline->n_points == 0) {
      EXPECT_EQ(m.gmfBlackBoxX, 0.0f);
      EXPECT_EQ(m.gmfBlackBoxY, 0.0f);
      continue;
    }
    FT_BBox box;
    FT_Outline_Get_BBox(outline, &box);
    EXPECT_NEAR(m.gmfBlackBoxX, (box.xMax - box.xMin) / reference.Em(), 1e-6);
    EXPECT_NEAR(m.gmfBlackBoxY, (box.yMax - box.yMin) / reference.Em(), 1e-6);
    EXPECT_NEAR(m.gmfptGlyphOrigin.x, box.xMin / reference.Em(), 1e-6);
    EXPECT_NEAR(m.gmfptGlyphOrigin.y, box.yMax / reference.Em(), 1e-6);
  }
  EXPECT_EQ(missing, 0) << "printable ASCII missing from the font";
  // Sanity of the units: a capital is about 0.7 em high, its advance well under 1 em.
  EXPECT_GT(metrics['S'].gmfBlackBoxY, 0.6f);
  EXPECT_LT(metrics['S'].gmfBlackBoxY, 0.9f);
  EXPECT_GT(metrics[' '].gmfCellIncX, 0.2f);
  EXPECT_LT(metrics['W'].gmfCellIncX, 1.2f);
  // Entry 255 lies past the requested range and is never written.
  EXPECT_EQ(metrics[255].gmfCellIncX, 0.0f);
}

TEST_F(OutlineFont, EachListEndsTranslatedByItsAdvance) {
  for (GLuint code = 0; code < kGlyphCount; ++code) {
    glLoadIdentity();
    glCallList(base + code);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    ASSERT_FLOAT_EQ(m[12], metrics[code].gmfCellIncX) << "code " << code;
    ASSERT_EQ(m[13], 0.0f) << "code " << code;
    ASSERT_EQ(m[14], 0.0f) << "code " << code;
    ASSERT_EQ(m[0], 1.0f);
    ASSERT_EQ(m[5], 1.0f);
  }
  // A string's lists laid out one after another.
  glLoadIdentity();
  glListBase(base);
  glCallLists(6, GL_UNSIGNED_BYTE, "SCORE:");
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  float width = 0.0f;
  for (char c : std::string("SCORE:")) width += metrics[static_cast<unsigned char>(c)].gmfCellIncX;
  EXPECT_NEAR(m[12], width, 1e-5);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Seen edge-on, side walls have no area and GL feedback drops them, so the
// glyph is turned by this rotation (eye = R * object) before it is drawn.
const float kTurnX = 35.0f, kTurnY = 25.0f;

// Normals are read back through lighting: three directional lights along
// +x, +y, +z (or -x, -y, -z) colour each vertex red, green, blue by the
// positive part of the matching normal component.
std::vector<FeedbackPrimitive> LitFeedback(GLuint list, float sign) {
  glEnable(GL_LIGHTING);
  GLfloat zero[4] = {0, 0, 0, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, zero);
  GLfloat white[4] = {1, 1, 1, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, zero);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, zero);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, zero);
  for (int axis = 0; axis < 3; ++axis) {
    GLenum light = GL_LIGHT0 + axis;
    GLfloat direction[4] = {0, 0, 0, 0};
    direction[axis] = sign;
    GLfloat colour[4] = {0, 0, 0, 1};
    colour[axis] = 1;
    glLightfv(light, GL_POSITION, direction);
    glLightfv(light, GL_DIFFUSE, colour);
    glLightfv(light, GL_SPECULAR, zero);
    glLightfv(light, GL_AMBIENT, zero);
    glEnable(light);
  }
  std::vector<FeedbackPrimitive> primitives = Feedback(
      [&] {
        glPushMatrix();
        glRotatef(kTurnX, 1, 0, 0);
        glRotatef(kTurnY, 0, 1, 0);
        glCallList(list);
        glPopMatrix();
      },
      GL_POLYGON_TOKEN);
  glDisable(GL_LIGHTING);
  return primitives;
}

struct Triangle2 {
  double ax, ay, bx, by, cx, cy;
};

bool InsideAny(const std::vector<Triangle2>& triangles, double x, double y) {
  for (const Triangle2& t : triangles) {
    double d1 = (t.bx - t.ax) * (y - t.ay) - (t.by - t.ay) * (x - t.ax);
    double d2 = (t.cx - t.bx) * (y - t.by) - (t.cy - t.by) * (x - t.bx);
    double d3 = (t.ax - t.cx) * (y - t.cy) - (t.ay - t.cy) * (x - t.cx);
    const double e = 1e-12;
    if ((d1 >= -e && d2 >= -e && d3 >= -e) || (d1 <= e && d2 <= e && d3 <= e)) return true;
  }
  return false;
}

// The front face fills the glyph at z = 0 facing +z, the back face the same
// area at z = -0.2 facing -z, and every side wall stands on an outline edge
// with its normal across the edge, pointing out of the filled area.
TEST_F(OutlineFont, SolidGlyphLiesBetweenFrontAndBackWithOutwardNormals) {
  // Window coordinates are eye coordinates: x + 2, y + 2, depth (2 - z) / 4.
  glViewport(0, 0, 4, 4);
  glMatrixMode(GL_PROJECTION);
  glOrtho(-2, 2, -2, 2, -2, 2);
  glMatrixMode(GL_MODELVIEW);
  GLfloat r[16];  // column major; object = R^T * eye
  glPushMatrix();
  glRotatef(kTurnX, 1, 0, 0);
  glRotatef(kTurnY, 0, 1, 0);
  glGetFloatv(GL_MODELVIEW_MATRIX, r);
  glPopMatrix();
  auto toObject = [&](double ex, double ey, double ez, double out[3]) {
    for (int i = 0; i < 3; ++i) out[i] = r[4 * i] * ex + r[4 * i + 1] * ey + r[4 * i + 2] * ez;
  };
  for (unsigned char code : {'O', 'S', '8', '%', '-'}) {
    SCOPED_TRACE(std::string("glyph ") + static_cast<char>(code));
    std::vector<FeedbackPrimitive> plus = LitFeedback(base + code, 1.0f);
    std::vector<FeedbackPrimitive> minus = LitFeedback(base + code, -1.0f);
    ASSERT_EQ(plus.size(), minus.size());
    ASSERT_FALSE(plus.empty());

    const GLYPHMETRICSFLOAT& m = metrics[code];
    double frontArea = 0.0, backArea = 0.0, sideCount = 0.0;
    std::vector<Triangle2> front;
    struct Side {
      double ax, ay, bx, by, nx, ny;
    };
    std::vector<Side> sides;
    for (size_t p = 0; p < plus.size(); ++p) {
      ASSERT_EQ(plus[p].size(), minus[p].size());
      ASSERT_GE(plus[p].size(), 3u);
      bool allFront = true, allBack = true;
      std::vector<std::array<double, 6>> v;  // x, y, z, nx, ny, nz
      for (size_t k = 0; k < plus[p].size(); ++k) {
        const FeedbackVertex& a = plus[p][k];
        const FeedbackVertex& b = minus[p][k];
        double position[3], normal[3];
        toObject(a.x - 2.0, a.y - 2.0, 2.0 - 4.0 * a.z, position);
        toObject(a.r - b.r, a.g - b.g, a.b - b.b, normal);
        double x = position[0], y = position[1], z = position[2];
        double nx = normal[0], ny = normal[1], nz = normal[2];
        EXPECT_GE(z, -kExtrusion - 1e-4);
        EXPECT_LE(z, 1e-4);
        EXPECT_NEAR(std::sqrt(nx * nx + ny * ny + nz * nz), 1.0, 1e-3);
        EXPECT_GE(x, m.gmfptGlyphOrigin.x - 1e-4);
        EXPECT_LE(x, m.gmfptGlyphOrigin.x + m.gmfBlackBoxX + 1e-4);
        EXPECT_LE(y, m.gmfptGlyphOrigin.y + 1e-4);
        EXPECT_GE(y, m.gmfptGlyphOrigin.y - m.gmfBlackBoxY - 1e-4);
        allFront = allFront && std::fabs(z) < 1e-4;
        allBack = allBack && std::fabs(z + kExtrusion) < 1e-4;
        v.push_back({x, y, z, nx, ny, nz});
      }
      // Signed area seen from +z (counter-clockwise positive).
      double area = 0.0;
      for (size_t k = 0; k < v.size(); ++k) {
        const auto& a = v[k];
        const auto& b = v[(k + 1) % v.size()];
        area += (a[0] * b[1] - b[0] * a[1]) / 2.0;
      }
      if (allFront) {
        for (const auto& vertex : v) EXPECT_NEAR(vertex[5], 1.0, 1e-3);
        frontArea += area;
        for (size_t k = 1; k + 1 < v.size(); ++k)
          front.push_back({v[0][0], v[0][1], v[k][0], v[k][1], v[k + 1][0], v[k + 1][1]});
      } else if (allBack) {
        for (const auto& vertex : v) EXPECT_NEAR(vertex[5], -1.0, 1e-3);
        backArea += area;
      } else {
        ++sideCount;
        // The wall's footprint is one edge: its two furthest-apart points.
        size_t i0 = 0, i1 = 0;
        double best = -1.0;
        for (size_t i = 0; i < v.size(); ++i)
          for (size_t j = i + 1; j < v.size(); ++j) {
            double d = std::hypot(v[i][0] - v[j][0], v[i][1] - v[j][1]);
            if (d > best) best = d, i0 = i, i1 = j;
          }
        EXPECT_NEAR(v[0][5], 0.0, 1e-3);
        sides.push_back({v[i0][0], v[i0][1], v[i1][0], v[i1][1], v[0][3], v[0][4]});
      }
    }
    // Front seen from +z and back seen from -z both face the viewer and cover
    // the same area, which is the glyph's ink.
    EXPECT_GT(frontArea, 0.05 * m.gmfBlackBoxX * m.gmfBlackBoxY);
    EXPECT_NEAR(-backArea, frontArea, 1e-4);
    EXPECT_GT(sideCount, 3);

    const double step = 1e-3;
    int wrong = 0;
    for (const Side& s : sides) {
      double ex = s.bx - s.ax, ey = s.by - s.ay, length = std::hypot(ex, ey);
      if (length < 1e-6) continue;
      EXPECT_NEAR((ex * s.nx + ey * s.ny) / length, 0.0, 2e-3);
      double mx = (s.ax + s.bx) / 2, my = (s.ay + s.by) / 2;
      bool inBehind = InsideAny(front, mx - step * s.nx, my - step * s.ny);
      bool inAhead = InsideAny(front, mx + step * s.nx, my + step * s.ny);
      if (!inBehind || inAhead) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << "of " << sides.size() << " side walls";
  }
}

TEST_F(OutlineFont, LinesFormatDrawsTheOutlineAtZeroWithTheSameMetrics) {
  GLuint lines = glGenLists(1);
  GLYPHMETRICSFLOAT lineMetrics;
  ASSERT_EQ(wglUseFontOutlinesA(dc, 'O', 1, lines, 0.0f, kExtrusion, WGL_FONT_LINES, &lineMetrics), TRUE);
  EXPECT_EQ(std::memcmp(&lineMetrics, &metrics['O'], sizeof lineMetrics), 0);
  glViewport(0, 0, 2, 2);
  glMatrixMode(GL_PROJECTION);
  glOrtho(-1, 1, -1, 1, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  std::vector<FeedbackPrimitive> segments = Feedback([&] { glCallList(lines); }, GL_LINE_TOKEN);
  glLoadIdentity();
  EXPECT_TRUE(Feedback([&] { glCallList(lines); }, GL_POLYGON_TOKEN).empty());
  EXPECT_GT(segments.size(), 16u);  // two curved loops
  for (const FeedbackPrimitive& s : segments)
    for (const FeedbackVertex& v : s) ASSERT_NEAR(v.z, 0.5f, 1e-6);
  glLoadIdentity();
  glCallList(lines);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_FLOAT_EQ(m[12], lineMetrics.gmfCellIncX);
  glDeleteLists(lines, 1);
}

// "SCORE:" drawn 64 pixels to the em lights the pixels FreeType's own
// rasteriser inks for the same outlines at the same scale, and no others,
// give or take a pixel at the edges.
TEST_F(OutlineFont, DrawnTextLightsThePixelsFreeTypeInks) {
  const int width = 320, height = 96, baseline = 20, penStart = 8;
  const double scale = 64.0;
  const char* text = "SCORE:";

  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glOrtho(0, width / scale, -baseline / scale, (height - baseline) / scale, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(static_cast<float>(penStart / scale), 0.0f, 0.0f);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 1, 1);
  glListBase(base);
  glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
  glFinish();
  std::vector<unsigned char> drawn(width * height * 3);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, drawn.data());

  std::vector<unsigned char> inked(width * height, 0);  // rows top down
  double pen = penStart;
  for (const char* c = text; *c; ++c) {
    FT_UInt glyph = FT_Get_Char_Index(reference.face, static_cast<unsigned char>(*c));
    ASSERT_EQ(FT_Load_Glyph(reference.face, glyph, FT_LOAD_NO_SCALE), 0);
    FT_Outline* outline = &reference.face->glyph->outline;
    FT_Fixed toPixels = static_cast<FT_Fixed>(std::lround(scale * 64.0 / reference.Em() * 65536.0));
    FT_Matrix matrix = {toPixels, 0, 0, toPixels};
    FT_Outline_Transform(outline, &matrix);
    FT_Outline_Translate(outline, std::lround(pen * 64.0), baseline * 64);
    FT_Bitmap target;
    FT_Bitmap_Init(&target);
    target.rows = height;
    target.width = width;
    target.pitch = width;
    target.buffer = inked.data();
    target.num_grays = 256;
    target.pixel_mode = FT_PIXEL_MODE_GRAY;
    ASSERT_EQ(FT_Outline_Get_Bitmap(reference.library, outline, &target), 0);
    pen += reference.AdvanceOf(glyph) * scale;
  }

  auto lit = [&](int x, int y) { return drawn[((height - 1 - y) * width + x) * 3] > 127; };  // y top down
  auto ink = [&](int x, int y) { return inked[y * width + x] >= 128; };
  int litCount = 0, inkCount = 0, offEdge = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      litCount += lit(x, y);
      inkCount += ink(x, y);
      if (lit(x, y) == ink(x, y)) continue;
      // A difference is allowed only within a pixel of FreeType's edge.
      bool someInk = false, someBlank = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
          if (ink(nx, ny))
            someInk = true;
          else
            someBlank = true;
        }
      if (!(someInk && someBlank)) ++offEdge;
    }
  }
  EXPECT_GT(inkCount, 2000);
  EXPECT_NEAR(litCount, inkCount, inkCount * 0.03);
  EXPECT_EQ(offEdge, 0) << litCount << " pixels lit, " << inkCount << " inked";
}

TEST_F(OutlineFont, MissingCodesGetTheMissingGlyph) {
  GLuint all = glGenLists(256);
  static GLYPHMETRICSFLOAT all256[256];
  // 256 codes, including 255 which the game never builds.
  ASSERT_EQ(wglUseFontOutlinesA(dc, 0, 256, all, 0.0f, kExtrusion, WGL_FONT_POLYGONS, all256), TRUE);
  EXPECT_NEAR(all256[255].gmfCellIncX, reference.AdvanceOf(FT_Get_Char_Index(reference.face, 0xFF)), 1e-6);
  int missing = 0;
  for (unsigned code = 0; code < 256; ++code) {
    uint32_t unicode = UnicodeOf1252(code);
    // Undefined code-page bytes stand for the control code of the same value.
    FT_UInt glyph = FT_Get_Char_Index(reference.face, unicode != 0 || code == 0 ? unicode : code);
    if (glyph != 0) continue;
    ++missing;
    EXPECT_NEAR(all256[code].gmfCellIncX, reference.AdvanceOf(0), 1e-6) << "code " << code;
    EXPECT_EQ(std::memcmp(&all256[code], &all256[1], sizeof all256[code]), 0) << "code " << code;
  }
  EXPECT_GT(missing, 0) << "the font has every code: nothing shown";
  // Every list, missing glyphs included, draws without error.
  glListBase(all);
  std::vector<GLubyte> codes(256);
  for (int i = 0; i < 256; ++i) codes[i] = static_cast<GLubyte>(i);
  glCallLists(256, GL_UNSIGNED_BYTE, codes.data());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  glDeleteLists(all, 256);
}

// Lists that were never given a definition neither draw nor move the origin.
void ExpectListsDrawNothing(GLuint lists, GLsizei count) {
  glLoadIdentity();
  std::vector<FeedbackPrimitive> drawn = Feedback(
      [&] {
        for (GLsizei i = 0; i < count; ++i) glCallList(lists + i);
      },
      GL_POLYGON_TOKEN);
  EXPECT_TRUE(drawn.empty());
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 0.0f);
}

TEST_F(OutlineFont, FailuresMakeNoListsAndLeaveMetricsAlone) {
  const HDC noFontDc = reinterpret_cast<HDC>(2);
  struct Case {
    const char* name;
    std::function<void()> arrange, undo;
    HDC dc;
    int format;
    bool zeroBase;
  };
  const Case cases[] = {
      {"no current context", [] { gl.MakeCurrent(false); }, [] { gl.MakeCurrent(true); }, dc, WGL_FONT_POLYGONS, false},
      {"no font selected", [] {}, [] {}, noFontDc, WGL_FONT_POLYGONS, false},
      {"null device context", [] {}, [] {}, nullptr, WGL_FONT_POLYGONS, false},
      {"injected fault", [] { LayerArmFault("wglUseFontOutlinesA", 1); }, [] {}, dc, WGL_FONT_POLYGONS, false},
      {"unknown format", [] {}, [] {}, dc, 2, false},
      {"list base 0", [] {}, [] {}, dc, WGL_FONT_POLYGONS, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GLuint lists = glGenLists(4);
    GLYPHMETRICSFLOAT untouched[4];
    std::memset(untouched, 0x5A, sizeof untouched);
    GLYPHMETRICSFLOAT out[4];
    std::memcpy(out, untouched, sizeof out);
    c.arrange();
    BOOL result = wglUseFontOutlinesA(c.dc, 'A', 4, c.zeroBase ? 0 : lists, 0.0f, kExtrusion, c.format, out);
    c.undo();
    EXPECT_EQ(result, FALSE);
    EXPECT_EQ(std::memcmp(out, untouched, sizeof out), 0);
    ExpectListsDrawNothing(lists, 4);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteLists(lists, 4);
  }
  // The armed fault was used up: the next call works again.
  GLuint lists = glGenLists(1);
  EXPECT_EQ(wglUseFontOutlinesA(dc, 'A', 1, lists, 0.0f, kExtrusion, WGL_FONT_POLYGONS, nullptr), TRUE);
  glLoadIdentity();
  glCallList(lists);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_FLOAT_EQ(m[12], metrics['A'].gmfCellIncX);
  glDeleteLists(lists, 1);
}

TEST_F(OutlineFont, SelectObjectKeepsOneFontPerDeviceContext) {
  const HDC a = reinterpret_cast<HDC>(0x100), b = reinterpret_cast<HDC>(0x200);
  HFONT first = CreateScoreFont();
  HFONT second = CreateFontA(-20, 0, 0, 0, FW_NORMAL, TRUE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FF_DONTCARE, "Verdana");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);

  EXPECT_EQ(SelectObject(a, nullptr), nullptr);
  EXPECT_EQ(SelectObject(nullptr, first), nullptr);
  EXPECT_EQ(SelectObject(a, reinterpret_cast<HGDIOBJ>(0x1234)), nullptr);  // no such font
  EXPECT_EQ(SelectObject(a, first), nullptr);                              // nothing before
  EXPECT_EQ(SelectObject(a, second), static_cast<HGDIOBJ>(first));
  EXPECT_EQ(SelectObject(b, first), nullptr);  // the replaced font is still good
  EXPECT_EQ(SelectObject(a, second), static_cast<HGDIOBJ>(second));

  // Each context builds from its own font: the italic face is a different one.
  GLuint lists = glGenLists(2);
  GLYPHMETRICSFLOAT fromA, fromB;
  ASSERT_EQ(wglUseFontOutlinesA(a, 'f', 1, lists, 0.0f, kExtrusion, WGL_FONT_POLYGONS, &fromA), TRUE);
  ASSERT_EQ(wglUseFontOutlinesA(b, 'f', 1, lists + 1, 0.0f, kExtrusion, WGL_FONT_POLYGONS, &fromB), TRUE);
  EXPECT_EQ(std::memcmp(&fromB, &metrics['f'], sizeof fromB), 0);
  EXPECT_NE(std::memcmp(&fromA, &fromB, sizeof fromA), 0);
  glDeleteLists(lists, 2);

  // Released contexts forget their fonts; fonts selected nowhere are freed.
  LayerFontsReleaseDC(a);
  EXPECT_EQ(wglUseFontOutlinesA(a, 'f', 1, lists, 0.0f, kExtrusion, WGL_FONT_POLYGONS, nullptr), FALSE);
  EXPECT_EQ(SelectObject(b, second), nullptr) << "a font selected nowhere is gone";
  EXPECT_EQ(SelectObject(b, first), static_cast<HGDIOBJ>(first));  // b still holds it
  LayerFontsReleaseDC(b);
  EXPECT_EQ(SelectObject(a, first), nullptr);
}

TEST_F(OutlineFont, RepeatedWindowsDoNotGrowTheFontTable) {
  const int live = LayerFontsLive();
  for (int cycle = 0; cycle < 40; ++cycle) {
    HDC windowDc = reinterpret_cast<HDC>(static_cast<uintptr_t>(0x1000 + 16 * cycle));
    HFONT cycleFont = CreateScoreFont();
    SelectObject(windowDc, cycleFont);
    GLuint lists = glGenLists(256);
    ASSERT_EQ(wglUseFontOutlinesA(windowDc, 0, kGlyphCount, lists, 0.0f, kExtrusion, WGL_FONT_POLYGONS, nullptr), TRUE);
    glDeleteLists(lists, 256);
    LayerFontsReleaseDC(windowDc);
    ASSERT_EQ(LayerFontsLive(), live) << "cycle " << cycle;
  }
}

}  // namespace
