// The shell in one process under the scripted driver, on a real display:
// the F1 toggle's cost (CloseMainWindow, then OpenMainWindow in the other
// mode, as the main loop does it), resident memory while the game is played
// through AppMain, and its growth over 200 toggles.
//
//   shell_bench [cycles]
// Prints one figure per line: "toggle_there_ms <ms>" and "toggle_back_ms
// <ms>" for every measured cycle (windowed -> fullscreen, or windowed after
// the mode was refused, and back), then "play_peak_rss_kb",
// "toggle_rss_before_kb", "toggle_rss_after_kb", "toggles".
// Whether fullscreen is granted depends on the display: Xvfb at 640x480 has
// the mode, at 1024x768 it does not and the windowed fallback is taken.
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "proc_status.h"

#include "app/main.h"
#include "app/window.h"
#include "game/keys.h"
#include "game/world.h"
#include "platform/testing/driver.h"

namespace {

const char* const kTitle = "Quellor, coded by r0vane";

double Milliseconds(std::chrono::steady_clock::time_point from) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
}

// One F1 toggle as the main loop makes it. A refused mode is answered Yes
// (carry on windowed). The driver's records are dropped first, so they do
// not count in the memory figures.
bool Toggle() {
  DriveReset();
  if (!fullscreen) DriveAnswerBoxes({IDYES});
  CloseMainWindow();
  fullscreen = !fullscreen;
  bool opened = OpenMainWindow(kTitle, 640, 480, 16, fullscreen);
  glFinish();
  return opened;
}

// Plays through AppMain with virtual time for `passes` passes, chasing the
// food with the arrows so the snake moves, eats and grows, then Escape.
void Play(int passes) {
  DriveVirtualTime(true, 1000000);
  DriveAutoAdvance(1000, 1);
  DriveAnswerBoxes({IDNO});
  DriveOnPeek([passes](int peek) {
    static int held = 0;
    if (peek == passes) DriveKey(VK_ESCAPE, true);
    if (peek >= passes) return;
    if (peek % 3 != 0 || world.snakeX.empty() || world.foodX.empty()) return;
    float dx = world.foodX[0] - world.snakeX[0];
    float dy = world.foodY[0] - world.snakeY[0];
    int key = (peek / 3) % 2 ? (dx < 0 ? VK_LEFT : VK_RIGHT) : (dy < 0 ? VK_DOWN : VK_UP);
    if (held) DriveKey(held, false);
    DriveKey(key, true);
    held = key;
  });
  AppMain(nullptr, nullptr, nullptr, 0);
  DriveReset();
}

}  // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? std::atoi(argv[1]) : 20;

  Play(3000);
  long playPeak = StatusField("VmHWM");
  std::fill(keyDown, keyDown + 256, false);
  fullscreen = false;
  appActive = true;

  if (!OpenMainWindow(kTitle, 640, 480, 16, false)) return 1;
  for (int i = 0; i <= cycles; ++i) {
    auto start = std::chrono::steady_clock::now();
    if (!Toggle()) return 1;
    double there = Milliseconds(start);
    start = std::chrono::steady_clock::now();
    if (!Toggle()) return 1;
    double back = Milliseconds(start);
    if (i > 0) std::printf("toggle_there_ms %.3f\ntoggle_back_ms %.3f\n", there, back);  // i = 0 warms up
  }

  // 200 toggles after the warm-up above.
  long before = StatusField("VmRSS");
  const int toggles = 200;
  for (int i = 0; i < toggles; ++i) {
    if (!Toggle()) return 1;
  }
  long after = StatusField("VmRSS");
  CloseMainWindow();
  std::printf("play_peak_rss_kb %ld\ntoggle_rss_before_kb %ld\ntoggle_rss_after_kb %ld\ntoggles %d\n", playPeak, before,
              after, toggles);
  return 0;
}
