// A machine with no outline font at all: fontconfig starts up with a
// configuration that lists no fonts. The whole program still runs: the
// score line is empty (every glyph advance is zero, no glyph list drawn),
// and the game plays on, steered by the arrows. Its own process, because
// fontconfig reads its configuration once.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/main.h"
#include "app/window.h"
#include "game/keys.h"
#include "game/world.h"
#include "platform/testing/driver.h"
#include "render/text.h"

TEST(NoFonts, TheGamePlaysWithAnEmptyScoreLine) {
  char dir[] = "/tmp/quellor-nofonts-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string config = std::string(dir) + "/fonts.conf";
  FILE* file = std::fopen(config.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fprintf(file, "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n", dir);
  std::fclose(file);
  setenv("FONTCONFIG_FILE", config.c_str(), 1);

  DriveReset();
  DriveVirtualTime(true, 1000000);
  DriveAutoAdvance(1000, 1);
  DriveAnswerBoxes({IDNO});
  float startHead = 0, lastHead = 0;
  float widest = 0;
  DriveOnPeek([&](int peek) {
    if (peek == 3) {
      startHead = world.snakeX.empty() ? 0 : world.snakeX[0];
      DriveKey(VK_UP, true);
    }
    if (peek == 30) {
      lastHead = world.snakeY.empty() ? 0 : world.snakeY[0];
      for (const GLYPHMETRICSFLOAT& m : glyphMetrics) widest = std::max(widest, m.gmfCellIncX);
      DriveKey(VK_ESCAPE, true);
    }
  });
  EXPECT_EQ(AppMain(nullptr, nullptr, nullptr, 0), 0);
  EXPECT_EQ(startHead, 59.0f);  // the board was built and drawn
  EXPECT_GT(lastHead, 40.0f);   // and the snake ran up
  EXPECT_EQ(widest, 0.0f);      // no glyph: the score line is empty
  for (const ShownBox& box : DriveShownBoxes()) EXPECT_EQ(box.caption, "Start FullScreen?");
  DriveReset();
  unlink(config.c_str());
  rmdir(dir);
}
