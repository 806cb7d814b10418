// The program's entry and its only loop: one waiting message per pass, or,
// with the queue empty, one paced frame.
#include "app/main.h"

#include "app/clock.h"
#include "app/window.h"
#include "game/keys.h"
#include "game/steering.h"
#include "render/frame.h"

const int32_t stepTable[7] = {1, 2, 4, 5, 10, 20, 40};
int32_t stepIndex = 5;

namespace {

const char* const kTitle = "Quellor, coded by r0vane";
const int kWidth = 640;
const int kHeight = 480;
const int kBits = 16;
// The process exit status when the window cannot be opened.
const int kOpenFailed = 1;

}  // namespace

int WINAPI AppMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  bool done = false;
  MSG message = {};
  float frameStart;
  int exitStatus = 0;

  if (MessageBoxA(nullptr, "Would You Like To Run In Fullscreen Mode?", "Start FullScreen?",
                  MB_YESNO | MB_ICONQUESTION) == IDNO) {
    fullscreen = false;
  }
  if (!OpenMainWindow(kTitle, kWidth, kHeight, kBits, fullscreen)) return kOpenFailed;
  StartFrameClock();

  while (!done) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        done = true;
        exitStatus = int(message.wParam);
      } else {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      continue;
    }

    frameStart = float(ReadFrameClock());

    if (appActive && !DrawFrame()) {
      done = true;
    } else if (keyDown[VK_ESCAPE]) {
      done = true;
    } else {
      SwapBuffers(deviceContext);
    }

    // Busy-wait: the pass lasts at least 2 * stepTable[stepIndex] ms.
    const double frameEnd = double(frameStart) + 2 * stepTable[stepIndex];
    while (ReadFrameClock() < frameEnd) {
    }

    if (keyDown[VK_F1]) {
      keyDown[VK_F1] = false;
      CloseMainWindow();
      fullscreen = !fullscreen;
      if (!OpenMainWindow(kTitle, kWidth, kHeight, kBits, fullscreen)) return kOpenFailed;
    }

    ApplySteering();
  }

  CloseMainWindow();
  return exitStatus;
}
