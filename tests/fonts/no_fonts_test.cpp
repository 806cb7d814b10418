// A machine without outline fonts: fontconfig starts up with a configuration
// that lists no fonts at all (or, built with QUELLOR_BITMAP_FONTS_DIR, only a
// directory of bitmap fonts), so wglUseFontOutlinesA finds nothing it can
// use, reports FALSE, makes no list and draws nothing. Its own process,
// because fontconfig reads its configuration once.
#include <GL/gl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win32.h"
#include "gl_context.h"

TEST(NoFonts, OutlinesFailCleanly) {
  char dir[] = "/tmp/quellor-nofonts-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string config = std::string(dir) + "/fonts.conf";
  FILE* file = std::fopen(config.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::string fonts;
#ifdef QUELLOR_BITMAP_FONTS_DIR
  fonts = "<dir>" QUELLOR_BITMAP_FONTS_DIR "</dir><cachedir>" + std::string(dir) + "</cachedir>";
#endif
  std::fprintf(file,
               "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>%s</fontconfig>\n",
               fonts.c_str());
  std::fclose(file);
  setenv("FONTCONFIG_FILE", config.c_str(), 1);

  GlContext gl;
  std::string error;
  ASSERT_TRUE(gl.Open(64, 64, &error)) << "no GL context (run under tools/with-xvfb.sh): " << error;
  HDC dc = reinterpret_cast<HDC>(1);
  ASSERT_NE(SelectObject(dc, CreateScoreFont()), reinterpret_cast<HGDIOBJ>(-1));

  for (int format : {WGL_FONT_POLYGONS, WGL_FONT_LINES, WGL_FONT_POLYGONS}) {
    GLuint lists = glGenLists(256);
    GLYPHMETRICSFLOAT metrics[256];
    std::memset(metrics, 0x5A, sizeof metrics);
    GLYPHMETRICSFLOAT untouched[256];
    std::memcpy(untouched, metrics, sizeof metrics);
    EXPECT_EQ(wglUseFontOutlinesA(dc, 0, 255, lists, 0.0f, 0.2f, format, metrics), FALSE);
    EXPECT_EQ(std::memcmp(metrics, untouched, sizeof metrics), 0);
    // Drawing text then draws nothing, moves nothing and fails nothing.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glListBase(lists);
    glCallLists(6, GL_UNSIGNED_BYTE, "SCORE:");
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[12], 0.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteLists(lists, 256);
  }
  gl.Close();
  std::string cleanup = std::string("rm -rf ") + dir;
  EXPECT_EQ(std::system(cleanup.c_str()), 0);
}
