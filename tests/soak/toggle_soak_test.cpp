// 200 F1 toggles in one process: the real main loop (AppMain) under the
// scripted driver with virtual time, F1 pressed again and again while the
// snake moves. After every toggle the window set, the display lists, the
// fonts and the cursor are what one open window needs, no more; resident
// memory stays flat after a warm-up.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/main.h"
#include "app/window.h"
#include "game/keys.h"
#include "game/world.h"
#include "platform/core/hooks.h"
#include "platform/testing/driver.h"
#include "render/scene.h"
#include "render/text.h"

#if defined(__SANITIZE_ADDRESS__)
#define QUELLOR_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUELLOR_ASAN 1
#endif
#endif

namespace {

long ResidentKilobytes() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return -1;
  char line[256];
  long value = -1;
  while (std::fgets(line, sizeof line, status)) {
    if (std::strncmp(line, "VmRSS:", 6) == 0) value = std::atol(line + 6);
  }
  std::fclose(status);
  return value;
}

// What one toggle left behind, seen at the start of the next pass.
struct AfterToggle {
  bool fullscreen;
  LayerSnapshot layer;
  int fonts;
  unsigned cubeList, glyphBase;
  bool cubeDefined, glyphDefined, beyondDefined;
  long residentKb;
  HWND window;
};

}  // namespace

TEST(ToggleSoak, TwoHundredTogglesLeaveNothingBehind) {
  DriveReset();
  world = GameWorld();
  std::fill(keyDown, keyDown + 256, false);
  fullscreen = true;
  appActive = true;
  const LayerSnapshot base = DriveSnapshot();
  const int fontsBefore = LayerFontsLive();

  // The display offers 640x480, so the toggles go windowed <-> fullscreen.
  DriveDisplayModes({{1024, 768}, {640, 480}});
  DriveVirtualTime(true, 1000000);
  DriveAutoAdvance(1000, 1);
  DriveAnswerBoxes({IDNO});

  const int kToggles = 200;
  const int kEvery = 6;  // passes between two presses of F1
  bool escapePressed = false;
  std::vector<AfterToggle> seen;
  bool lastFullscreen = false;
  int toggles = 0;
  DriveOnPeek([&](int peek) {
    if (peek > 0 && fullscreen != lastFullscreen) {
      ++toggles;
      lastFullscreen = fullscreen;
      AfterToggle a;
      a.fullscreen = fullscreen;
      a.layer = DriveSnapshot();
      a.fonts = LayerFontsLive();
      a.cubeList = cubeList;
      a.glyphBase = glyphBase;
      a.cubeDefined = glIsList(cubeList);
      a.glyphDefined = glIsList(glyphBase + 'S');
      a.beyondDefined = glIsList(glyphBase + 256);
      a.residentKb = ResidentKilobytes();
      a.window = mainWindow;
      seen.push_back(a);
    }
    if (peek == 1) DriveKey(VK_RIGHT, true);
    if (toggles >= kToggles || peek > 50 * kToggles * kEvery) {
      if (!escapePressed) DriveKey(VK_ESCAPE, true);
      escapePressed = true;
      return;
    }
    // F1 goes down, an idle pass sees it and toggles, then it comes up.
    if (peek % kEvery == 0) DriveKey(VK_F1, true);
    if (peek % kEvery == kEvery / 2) DriveKey(VK_F1, false);
    // Keep the snake alive: turn up and down in the middle of the board.
    if (!world.snakeX.empty() && peek % 20 == 0) {
      int turn = world.snakeY[0] < 40 ? VK_UP : VK_DOWN;
      DriveKey(VK_UP, false);
      DriveKey(VK_DOWN, false);
      DriveKey(turn, true);
    }
  });

  int status = AppMain(nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(status, 0);
  ASSERT_GE(int(seen.size()), kToggles);

  const AfterToggle& first = seen.front();
  for (size_t i = 0; i < seen.size(); ++i) {
    const AfterToggle& a = seen[i];
    SCOPED_TRACE(testing::Message() << "after toggle " << i + 1);
    // Exactly one window, one class, a current context; the cursor hidden
    // only in fullscreen, and the display mode changed only then.
    EXPECT_EQ(a.layer.liveWindows, base.liveWindows + 1);
    EXPECT_EQ(a.layer.registeredClasses, base.registeredClasses + 1);
    EXPECT_TRUE(a.layer.contextCurrent);
    EXPECT_EQ(a.layer.displayModeChanged, a.fullscreen);
    EXPECT_EQ(a.layer.cursorCounter, base.cursorCounter - (a.fullscreen ? 1 : 0));
    // The fresh context holds the same lists under the same names, and no
    // name past the 256 the glyphs reserve is in use.
    EXPECT_EQ(a.cubeList, first.cubeList);
    EXPECT_EQ(a.glyphBase, first.glyphBase);
    EXPECT_TRUE(a.cubeDefined);
    EXPECT_TRUE(a.glyphDefined);
    EXPECT_FALSE(a.beyondDefined);
    // The font records do not pile up.
    EXPECT_EQ(a.fonts, first.fonts);
  }

  // The game went on throughout: one game, never reset by a toggle.
  EXPECT_FALSE(world.snakeX.empty());

  // Everything released at the end.
  const LayerSnapshot end = DriveSnapshot();
  EXPECT_EQ(end.liveWindows, base.liveWindows);
  EXPECT_EQ(end.registeredClasses, base.registeredClasses);
  EXPECT_FALSE(end.contextCurrent);
  EXPECT_FALSE(end.displayModeChanged);
  EXPECT_EQ(end.cursorCounter, base.cursorCounter);
  EXPECT_LE(LayerFontsLive(), fontsBefore + 1);
  EXPECT_EQ(mainWindow, nullptr);
  EXPECT_EQ(deviceContext, nullptr);
  EXPECT_EQ(renderContext, nullptr);

  // Resident memory after the first 20 toggles (the software renderer and
  // the font cache have settled) against the end: a resource check, not a
  // timing. The allocator keeps what it once took, so the resident size is a
  // high-water mark that now and then rises in one step (up to about a
  // megabyte) when some pass needs a new chunk. A leak instead raises it
  // toggle after toggle: even 1 kB per toggle shows on every fourth one. So
  // the size must stay put on nearly every toggle, and the total growth
  // within a few such steps.
  const long warm = seen[19].residentKb;
  const long last = seen.back().residentKb;
  int rises = 0;
  for (size_t i = 20; i < seen.size(); ++i) {
    if (seen[i].residentKb > seen[i - 1].residentKb) ++rises;
  }
  std::printf("toggle soak: %zu toggles, resident %ld kB after 20, %ld kB after %zu (growth %ld kB in %d rises)\n",
              seen.size(), warm, last, seen.size(), last - warm, rises);
#ifndef QUELLOR_ASAN
  EXPECT_LE(rises, int(seen.size() - 20) / 10) << "resident memory rose toggle after toggle";
  EXPECT_LE(last - warm, 4096) << "resident memory grew over the toggles";
#endif
  DriveReset();
}
