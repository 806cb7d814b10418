// Extruded text: the glyph lists and PrintCentered's width, translations,
// list base and bounded formatting.
#include <GL/gl.h>

#include <cmath>
#include <functional>
#include <string>

#include "gl_fixture.h"
#include "render/text.h"

namespace {

using TextTest = RenderTest;

// The width PrintCentered centres on: the glyph advances of the text, summed
// in single precision.
float AdvanceSum(const std::string& text) {
  float width = 0.0f;
  for (unsigned char code : text) width = width + glyphMetrics[code].gmfCellIncX;
  return width;
}

// A view of the region round the origin wide enough for a long text.
void LookAtText() {
  glViewport(0, 0, 4000, 400);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-200, 200, -20, 20, -5, 5);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

double LeftmostX(const std::vector<FeedbackPolygon>& polygons) {
  double left = 1e9;
  for (const FeedbackPolygon& p : polygons)
    for (const FeedbackVertex& v : p) left = std::min(left, v.x);
  return left;
}

void ExpectSamePolygons(const std::vector<FeedbackPolygon>& a, const std::vector<FeedbackPolygon>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    ASSERT_EQ(a[i].size(), b[i].size()) << "polygon " << i;
    for (size_t k = 0; k < a[i].size(); ++k) {
      EXPECT_NEAR(a[i][k].x, b[i][k].x, 1e-4) << "polygon " << i;
      EXPECT_NEAR(a[i][k].y, b[i][k].y, 1e-4) << "polygon " << i;
      EXPECT_NEAR(a[i][k].z, b[i][k].z, 1e-4) << "polygon " << i;
    }
  }
}

// Feedback of one drawing made from the origin.
std::vector<FeedbackPolygon> CaptureText(const std::function<void()>& draw) {
  glLoadIdentity();
  return CaptureFeedback(draw);
}

GLint ListBase() {
  GLint base = -1;
  glGetIntegerv(GL_LIST_BASE, &base);
  return base;
}

TEST_F(TextTest, GlyphListsCoverCodesZeroTo254WithAdvances) {
  EXPECT_TRUE(glIsList(glyphBase + 'S'));
  for (char c : std::string("SCORE: 0123456789")) {
    EXPECT_GT(glyphMetrics[static_cast<unsigned char>(c)].gmfCellIncX, 0.0f) << "'" << c << "'";
    EXPECT_EQ(glyphMetrics[static_cast<unsigned char>(c)].gmfCellIncY, 0.0f) << "'" << c << "'";
  }
  // Name 255 is reserved but holds nothing: calling it draws nothing and
  // does not move the origin.
  LookAtText();
  std::vector<float> before = ModelviewMatrix();
  EXPECT_TRUE(CaptureFeedback([] { glCallList(glyphBase + 255); }).empty());
  EXPECT_EQ(ModelviewMatrix(), before);
  EXPECT_FALSE(CaptureFeedback([] { glCallList(glyphBase + 254); }).empty());

  const GLYPHMETRICSFLOAT& last = glyphMetrics[255];
  EXPECT_EQ(last.gmfBlackBoxX, 0.0f);
  EXPECT_EQ(last.gmfBlackBoxY, 0.0f);
  EXPECT_EQ(last.gmfptGlyphOrigin.x, 0.0f);
  EXPECT_EQ(last.gmfptGlyphOrigin.y, 0.0f);
  EXPECT_EQ(last.gmfCellIncX, 0.0f);
  EXPECT_EQ(last.gmfCellIncY, 0.0f);
}

TEST_F(TextTest, NullFormatMakesNoCallAtAll) {
  glLoadIdentity();
  glTranslatef(5, 6, 7);
  glListBase(1234);
  std::vector<float> before = ModelviewMatrix();
  // Between glBegin and glEnd a matrix, attribute or list-base call is an
  // error, so any call PrintCentered made would leave one behind.
  glBegin(GL_POINTS);
  PrintCentered(nullptr);
  glEnd();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(ModelviewMatrix(), before);
  EXPECT_EQ(ListBase(), 1234);
  // The same probe does see the calls of an empty text.
  glBegin(GL_POINTS);
  PrintCentered("");
  glEnd();
  EXPECT_NE(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  while (glGetError() != GL_NO_ERROR) {
  }
}

TEST_F(TextTest, EmptyTextLeavesTheMatrixAndRestoresTheListBase) {
  glLoadIdentity();
  glTranslatef(5, 6, 7);
  glListBase(1234);
  std::vector<float> before = ModelviewMatrix();
  std::vector<FeedbackPolygon> drawn = CaptureFeedback([] { PrintCentered(""); });
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(ModelviewMatrix(), before);
  EXPECT_EQ(ListBase(), 1234);
  GLint depth = -1;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextTest, LabelIsCentredOnTheOriginAndLeavesItAtTheRightEnd) {
  LookAtText();
  glListBase(77);
  float width = AdvanceSum("SCORE:");
  ASSERT_GT(width, 1.0f);
  std::vector<FeedbackPolygon> drawn = CaptureText([] { PrintCentered("SCORE:"); });
  ASSERT_FALSE(drawn.empty());
  // The first glyph's black box starts at its cell origin, -width/2.
  EXPECT_NEAR(LeftmostX(drawn), -width / 2 + glyphMetrics['S'].gmfptGlyphOrigin.x, 0.02);
  for (const FeedbackPolygon& p : drawn) {
    for (const FeedbackVertex& v : p) {
      ASSERT_GE(v.z, -0.2 - 1e-4);  // front face at z = 0, extruded 0.2 back
      ASSERT_LE(v.z, 1e-4);
    }
  }

  glLoadIdentity();
  PrintCentered("SCORE:");
  std::vector<float> after = ModelviewMatrix();
  EXPECT_NEAR(after[12], width / 2, 1e-4);
  EXPECT_NEAR(after[13], 0.0, 1e-6);
  EXPECT_NEAR(after[14], 0.0, 1e-6);
  EXPECT_EQ(ListBase(), 77);
}

TEST_F(TextTest, FormattedScoreCountsItsLeadingSpaces) {
  LookAtText();
  float space = glyphMetrics[' '].gmfCellIncX;
  ASSERT_GT(space, 0.0f);
  float width = AdvanceSum("    10");

  std::vector<FeedbackPolygon> formatted = CaptureText([] { PrintCentered("%6.0f", 10.1); });
  std::vector<FeedbackPolygon> literal = CaptureText([] { PrintCentered("    10"); });
  ExpectSamePolygons(formatted, literal);
  // Four spaces draw nothing but push the "1" that far right of the start.
  EXPECT_NEAR(LeftmostX(formatted), -width / 2 + 4 * space + glyphMetrics['1'].gmfptGlyphOrigin.x, 0.02);

  glLoadIdentity();
  PrintCentered("%6.0f", 10.1);
  EXPECT_NEAR(ModelviewMatrix()[12], width / 2, 1e-4);
}

TEST_F(TextTest, Code255AddsNoWidthAndDrawsNothing) {
  LookAtText();
  glListBase(5);
  std::vector<FeedbackPolygon> plain = CaptureText([] { PrintCentered("A"); });
  std::vector<FeedbackPolygon> marked = CaptureText([] { PrintCentered("A\xff"); });
  ASSERT_FALSE(plain.empty());
  ExpectSamePolygons(marked, plain);
  glLoadIdentity();
  PrintCentered("%s", "A\xff");
  EXPECT_NEAR(ModelviewMatrix()[12], glyphMetrics['A'].gmfCellIncX / 2, 1e-5);
  EXPECT_EQ(ListBase(), 5);
}

TEST_F(TextTest, CodesAbove127AreUnsigned) {
  // 0xC9 must select metrics entry 201, not one before the table.
  const unsigned char code = 0xC9;
  ASSERT_TRUE(glIsList(glyphBase + code));
  LookAtText();
  std::string text(1, static_cast<char>(code));
  PrintCentered("%s", text.c_str());
  EXPECT_NEAR(ModelviewMatrix()[12], glyphMetrics[code].gmfCellIncX / 2, 1e-5);
}

TEST_F(TextTest, LongTextsAreCutAt255Characters) {
  LookAtText();
  std::vector<FeedbackPolygon> one = CaptureText([] { PrintCentered("I"); });
  ASSERT_FALSE(one.empty());
  const size_t lengths[] = {254, 255, 256, 1000};
  for (size_t length : lengths) {
    SCOPED_TRACE(::testing::Message() << length << " characters");
    std::string text(length, 'I');
    size_t kept = std::min<size_t>(length, 255);
    float width = AdvanceSum(text.substr(0, kept));
    // Both as the format itself and as an argument the format expands.
    for (bool asArgument : {false, true}) {
      glListBase(9);
      std::vector<FeedbackPolygon> drawn = CaptureText([&] {
        if (asArgument)
          PrintCentered("%s", text.c_str());
        else
          PrintCentered(text.c_str());
      });
      EXPECT_EQ(drawn.size(), kept * one.size());
      glLoadIdentity();
      PrintCentered(asArgument ? "%s" : text.c_str(), text.c_str());
      EXPECT_NEAR(ModelviewMatrix()[12], width / 2, 1e-3);
      EXPECT_EQ(ListBase(), 9);
    }
  }
}

}  // namespace
