// render-frames: plays a scripted game off-screen and writes chosen frames as
// PNG pictures, for looking at what the renderer draws.
//
//   render-frames [--size WxH] [--script KEYS] [--out DIR] FRAME...
//
// KEYS holds one character per tick: '.' for no key, 'U', 'D', 'L', 'R' for
// an arrow held down in that tick's steering pass. FRAME numbers count from 0,
// the first frame of the game. Each chosen frame is written to
// DIR/frame-NNNN.png (DIR defaults to the current directory). Needs a display
// (e.g. tools/with-xvfb.sh).
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "offscreen.h"
#include "render/scene.h"

namespace {
int Usage(const char* problem) {
  fprintf(stderr, "render-frames: %s\n", problem);
  fprintf(stderr, "usage: render-frames [--size WxH] [--script KEYS] [--out DIR] FRAME...\n");
  return 2;
}

// A whole decimal number in [low, high], or -1.
long ParseNumber(const char* text, long low, long high) {
  if (*text == '\0') return -1;
  char* end = nullptr;
  errno = 0;
  long value = strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || value < low || value > high) return -1;
  return value;
}
}  // namespace

int main(int argc, char** argv) {
  int width = 640;
  int height = 480;
  std::string script;
  std::string directory = ".";
  std::set<int> frames;

  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    bool hasValue = i + 1 < argc;
    if (argument == "--size" && hasValue) {
      std::string size = argv[++i];
      size_t cross = size.find('x');
      if (cross == std::string::npos) return Usage("--size wants WxH, e.g. 640x480");
      long w = ParseNumber(size.substr(0, cross).c_str(), 1, 4096);
      long h = ParseNumber(size.substr(cross + 1).c_str(), 1, 4096);
      if (w < 0 || h < 0) return Usage("--size wants WxH with each side 1..4096");
      width = static_cast<int>(w);
      height = static_cast<int>(h);
    } else if (argument == "--script" && hasValue) {
      script = argv[++i];
      int bad = FindScriptError(script);
      if (bad >= 0) {
        fprintf(stderr, "render-frames: script character %d is '%c'; use '.', 'U', 'D', 'L' or 'R'\n", bad + 1,
                script[bad]);
        return 2;
      }
    } else if (argument == "--out" && hasValue) {
      directory = argv[++i];
    } else if (!argument.empty() && argument[0] == '-') {
      return Usage(("unknown option or missing value: " + argument).c_str());
    } else {
      long frame = ParseNumber(argument.c_str(), 0, 1000000);
      if (frame < 0) return Usage(("not a frame number (0..1000000): " + argument).c_str());
      frames.insert(static_cast<int>(frame));
    }
  }
  if (frames.empty()) return Usage("no frame chosen");

  if (!OpenFrameWindow(width, height)) return 1;
  ResizeScene(width, height);
  InitScene();

  bool written = true;
  PlayScript(script, *frames.rbegin() + 1, [&](int frame) {
    if (!written || frames.count(frame) == 0) return;
    char name[32];
    snprintf(name, sizeof name, "/frame-%04d.png", frame);
    std::string path = directory + name;
    written = WritePng(path, ReadFrame(width, height));
    if (written) printf("%s\n", path.c_str());
  });
  CloseFrameWindow();
  return written ? 0 : 1;
}
