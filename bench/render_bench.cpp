// The cost of one frame (DrawFrame with glFinish) at several snake lengths,
// and of building the glyph lists, in a real context made through the layer.
#include <benchmark/benchmark.h>

#include <cstdio>

#include <sys/resource.h>

#include "app/handles.h"
#include "game/world.h"
#include "offscreen.h"
#include "platform/win32.h"
#include "render/frame.h"
#include "render/scene.h"
#include "render/text.h"

#include <GL/gl.h>

namespace {
// A fresh board with a standing snake of `length` cells laid row by row
// through the interior (x = 1..107, y = 1..79), head first at (1, 1).
void LayOutLongSnake(int length) {
  world = GameWorld();
  BuildWalls();
  for (int i = 0; i < length; ++i) {
    int row = i / 107;
    int column = i % 107;
    int x = row % 2 == 0 ? 1 + column : 107 - column;
    world.snakeX.push_back(static_cast<float>(x));
    world.snakeY.push_back(static_cast<float>(1 + row));
    world.snakeZ.push_back(0.0f);
  }
  PlaceFood();
  world.newGame = false;
}

// Besides the time, the process's processor time (all threads: Mesa draws
// on threads of its own) and page faults per frame: when freed memory goes
// back to the system after each frame, the next frame faults it in again,
// and on a busy machine these say so more steadily than the time.
void BM_DrawFrame(benchmark::State& state) {
  LayOutLongSnake(static_cast<int>(state.range(0)));
  rusage before, after;
  getrusage(RUSAGE_SELF, &before);
  for (auto _ : state) {
    DrawFrame();
    glFinish();
  }
  getrusage(RUSAGE_SELF, &after);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  double cpu = seconds(after.ru_utime) + seconds(after.ru_stime) - seconds(before.ru_utime) - seconds(before.ru_stime);
  double frames = static_cast<double>(state.iterations());
  state.counters["cpu_ms"] = frames > 0 ? cpu * 1000 / frames : 0;
  state.counters["faults"] = frames > 0 ? static_cast<double>(after.ru_minflt - before.ru_minflt) / frames : 0;
  state.counters["cubes"] = static_cast<double>(world.wallX.size() + world.snakeX.size() + world.foodX.size());
}
BENCHMARK(BM_DrawFrame)->Arg(10)->Arg(1000)->Arg(8000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BuildGlyphLists(benchmark::State& state) {
  for (auto _ : state) {
    BuildGlyphLists();
    glFinish();
    state.PauseTiming();
    glDeleteLists(glyphBase, 256);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildGlyphLists)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same as the game's first BuildGlyphLists in a process: the outline
// layer keeps the cut-up glyphs of the last font and deviation between
// contexts, so before each run one glyph is cut at another deviation, which
// leaves nothing of the game's font to reuse.
void BM_BuildGlyphListsFirstInProcess(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    GLYPHMETRICSFLOAT other[1];
    GLuint scratch = glGenLists(1);
    wglUseFontOutlinesA(deviceContext, 'A', 1, scratch, 0.5f, 0.2f, WGL_FONT_POLYGONS, other);
    glDeleteLists(scratch, 1);
    glFinish();
    state.ResumeTiming();
    BuildGlyphLists();
    glFinish();
    state.PauseTiming();
    glDeleteLists(glyphBase, 256);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildGlyphListsFirstInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!OpenFrameWindow(640, 480)) return 1;
  ResizeScene(640, 480);
  InitScene();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  CloseFrameWindow();
  return 0;
}
