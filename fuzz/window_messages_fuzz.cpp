// Arbitrary window messages, any message number, wParam and lParam, fed to
// MainWindowProc between the idle passes of the real main loop. Each input
// is one run of AppMain under the scripted driver with virtual time: at the
// start of every pass (PeekMessageA) the next record of the input is either
// handed to MainWindowProc, as the window system would hand it over, or
// skipped so that an idle pass runs undisturbed. When the input is used up,
// Escape ends the run.
//
// Checked around every message: keyDown changes only on WM_KEYDOWN/WM_KEYUP
// with a code below 256, and then only that entry, to down or up; after
// WM_ACTIVATE, appActive is exactly "the high word of wParam is 0"; the
// window handles stay as they were. Checked after every run: the window set
// is gone, the display mode restored, the cursor shown, the handles null.
// Crashes and sanitizer reports end the fuzzer by themselves.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/main.h"
#include "app/window.h"
#include "game/keys.h"
#include "game/world.h"
#include "platform/testing/driver.h"

namespace {

// Messages the window procedure or the layer's default handling act on, and
// some near them; the fuzzer picks from here half the time.
const UINT kMessages[] = {WM_ACTIVATE,   WM_SYSCOMMAND, WM_CLOSE, WM_KEYDOWN, WM_KEYUP,    WM_SIZE,
                          WM_SYSKEYDOWN, WM_SYSKEYUP,   WM_CHAR,  WM_QUIT,    WM_NCCREATE, 0x0000,
                          0x0001,        0x0002,        0x0007,   0x0008,     0x000F,      0xFFFFFFFF};
const WPARAM kCommands[] = {
    SC_SCREENSAVE, SC_MONITORPOWER, SC_SCREENSAVE | 1, SC_MONITORPOWER | 0xF, SC_CLOSE, SC_CLOSE | 3, 0, 0xFFFFFFFF};

struct Reader {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  bool Empty() const { return at >= size; }
  uint64_t Take(size_t bytes) {
    uint64_t value = 0;
    for (size_t i = 0; i < bytes && at < size; ++i) value |= uint64_t(data[at++]) << (8 * i);
    return value;
  }
};

struct Message {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// The next record: false for "let an idle pass run", true with a message.
bool NextRecord(Reader& in, Message* out) {
  uint8_t kind = uint8_t(in.Take(1));
  if (kind % 4 == 0) return false;
  uint8_t shape = uint8_t(in.Take(1));
  out->message = (shape & 1) ? UINT(in.Take(4)) : kMessages[in.Take(1) % (sizeof kMessages / sizeof kMessages[0])];
  switch ((shape >> 1) & 3) {
    case 0:
      out->wParam = WPARAM(in.Take(1));
      break;  // a key code or small value
    case 1:
      out->wParam = WPARAM(in.Take(2));
      break;  // a word
    case 2:
      out->wParam = kCommands[in.Take(1) % (sizeof kCommands / sizeof kCommands[0])];
      break;
    default:
      out->wParam = WPARAM(in.Take(8));
      break;  // anything
  }
  out->lParam = (shape & 8) ? LPARAM(in.Take(8)) : LPARAM(in.Take(4));
  return true;
}

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

void Deliver(const Message& m) {
  bool before[256];
  std::copy(keyDown, keyDown + 256, before);
  HWND window = mainWindow;
  HDC dc = deviceContext;
  HGLRC rc = renderContext;

  MainWindowProc(mainWindow, m.message, m.wParam, m.lParam);

  const bool keyMessage = (m.message == WM_KEYDOWN || m.message == WM_KEYUP) && m.wParam < 256;
  for (int i = 0; i < 256; ++i) {
    if (keyMessage && WPARAM(i) == m.wParam) {
      Check(keyDown[i] == (m.message == WM_KEYDOWN), "a key message sets its own entry");
    } else {
      Check(keyDown[i] == before[i], "keyDown changes only for key messages with codes below 256");
    }
  }
  if (m.message == WM_ACTIVATE) Check(appActive == (HIWORD(m.wParam) == 0), "appActive follows WM_ACTIVATE");
  Check(mainWindow == window && deviceContext == dc && renderContext == rc, "handles unchanged");
}

LayerSnapshot closedBase;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!std::getenv("DISPLAY")) {
    std::fprintf(stderr, "fuzz_window_messages needs a display: run it under tools/with-xvfb.sh\n");
    std::exit(2);
  }
  closedBase = DriveSnapshot();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DriveReset();
  world = GameWorld();
  std::fill(keyDown, keyDown + 256, false);
  fullscreen = true;
  appActive = true;
  DriveVirtualTime(true, 1000000);
  DriveAutoAdvance(5000, 5);  // a few clock reads end a pass
  DriveDisplayModes({{1024, 768}, {640, 480}});
  // No at the start; Yes whenever a refused mode offers windowed mode.
  DriveAnswerBoxes({IDNO, IDYES, IDYES, IDYES, IDYES});

  Reader in{data, size};
  bool escaped = false;
  int passes = 0;
  DriveOnPeek([&](int) {
    if (escaped) return;
    if (in.Empty() || ++passes > 400) {
      DriveKey(VK_ESCAPE, true);
      escaped = true;
      return;
    }
    Message m;
    if (NextRecord(in, &m) && mainWindow) Deliver(m);
  });
  AppMain(nullptr, nullptr, nullptr, 0);
  DriveOnPeek(nullptr);
  MSG left;
  while (PeekMessageA(&left, nullptr, 0, 0, PM_REMOVE)) {
  }  // nothing of this run reaches the next

  // A refused mode declined leaves the class registered by design; the
  // program would end there. Take it away so the next run starts clean.
  UnregisterClassA("OpenGL", GetModuleHandleA(nullptr));
  LayerSnapshot end = DriveSnapshot();
  Check(end.liveWindows == closedBase.liveWindows, "no window left");
  Check(end.registeredClasses == closedBase.registeredClasses, "no class left");
  Check(!end.contextCurrent, "no context current");
  Check(!end.displayModeChanged, "display mode restored");
  Check(end.cursorCounter == closedBase.cursorCounter, "cursor shown");
  Check(!mainWindow && !deviceContext && !renderContext && !appInstance, "handles null");
  DriveReset();
  return 0;
}
