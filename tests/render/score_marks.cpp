// Reads the characters DrawFrame draws through GL feedback: marking lists,
// one per character code, each emit a pass-through token with the code.
#include "score_marks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "game/world.h"
#include "platform/win32.h"
#include "render/frame.h"
#include "render/text.h"

#include <GL/gl.h>

const std::vector<ScoreCase>& ScoreCases() {
  static const std::vector<ScoreCase> cases = {
      {"zero", 0.0f, "     0"},
      {"a half", 0.5f, "     1"},
      {"one and a half", 1.5f, "     2"},
      {"two and a half", 2.5f, "     3"},
      {"four and a half", 4.5f, "     5"},
      {"ten and a half", 10.5f, "    11"},
      {"99.5", 99.5f, "   100"},
      {"123456.5", 123456.5f, "123457"},
      {"the float just below a half", std::nextafter(0.5f, 0.0f), "     0"},
      {"2.4", 2.4f, "     2"},
      {"2.6", 2.6f, "     3"},
      {"10.1", 10.1f, "    10"},
  };
  return cases;
}

std::string DrawnScoreLine(float score) {
  // A board that is already built, so the frame draws this score.
  world = GameWorld();
  BuildWorld();
  world.score = score;

  GLuint marks = glGenLists(256);
  for (int code = 0; code < 256; ++code) {
    glNewList(marks + code, GL_COMPILE);
    glPassThrough(static_cast<GLfloat>(code));
    glEndList();
  }
  const unsigned int glyphs = glyphBase;
  glyphBase = marks;

  static std::vector<GLfloat> buffer(4 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_2D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  DrawFrame();
  GLint count = glRenderMode(GL_RENDER);

  glyphBase = glyphs;
  glDeleteLists(marks, 256);

  std::string drawn;
  if (count < 0) return "(feedback buffer overflowed)";
  for (GLint i = 0; i < count;) {
    GLint token = static_cast<GLint>(buffer[i++]);
    if (token == GL_PASS_THROUGH_TOKEN) {
      drawn += static_cast<char>(static_cast<int>(buffer[i++]));
    } else if (token == GL_POLYGON_TOKEN) {
      i += 1 + 2 * static_cast<GLint>(buffer[i]);
    } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
               token == GL_COPY_PIXEL_TOKEN) {
      i += 2;
    } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      i += 4;
    } else {
      return drawn + "(unknown feedback token)";
    }
  }
  return drawn;
}

void ExpectScoreCasesDrawn() {
  std::printf("| score | drawn |\n|---|---|\n");
  for (const ScoreCase& c : ScoreCases()) {
    std::string drawn = DrawnScoreLine(c.score);
    std::printf("| %.9g | \"%s\" |\n", c.score, drawn.c_str());
    EXPECT_EQ(drawn, std::string("SCORE:") + c.shown) << c.what << " (" << c.score << ")";
  }
  std::fflush(stdout);
}
