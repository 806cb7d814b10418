// Browser spike: the game's rules and renderer drawing into the page's
// canvas through SDL2's emscripten backend and the display-list piece over
// WebGL, with a stand-in for the layer (standin.cpp). It draws the number
// of frames the page asks for (?frames=N, 1 by default), then stops, and
// reports to the page in window.quellorSpike: when main() began, SDL's video
// started, the context and the scene were ready and the first frame was
// drawn, the cells drawn in it, and whether FreeType (reading the shipped
// font) and the GLU tessellator work. With ?remake=1 it closes the window, context and lists after the
// first frame and makes them anew, as F1 does, and reports the second frame
// instead. After N > 1 frames, in window.quellorTiming: the mean and longest
// time DrawFrame took in the frames after the first.
#include "app/window.h"
#include "game/world.h"
#include "gl_lists.h"
#include "gl_webgl.h"
#include "render/frame.h"
#include "render/scene.h"

#include <GL/glu.h>
#include <SDL2/SDL.h>
#include <emscripten.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <vector>

namespace {

SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
GlSink* sink = nullptr;
GlListContext* lists = nullptr;
bool remake = false;  // ?remake=1: window and context made anew after the first frame
int framesWanted = 1;
int framesDrawn = 0;
// When main() began, SDL's video started, the GL context was made and the
// scene was set up: ms from the page's start.
double mainMs = 0.0, videoMs = 0.0, contextMs = 0.0, sceneMs = 0.0;
double drawMsTotal = 0.0, drawMsMax = 0.0;  // DrawFrame's own time, frames after the first
std::string libraries;

void AppendCells(std::string& json, const char* name, const CoordList& xs, const CoordList& ys) {
  json += std::string("\"") + name + "\":[";
  for (size_t i = 0; i < xs.size(); ++i) {
    if (i > 0) json += ",";
    json += "[" + std::to_string(static_cast<int>(xs[i])) + "," + std::to_string(static_cast<int>(ys[i])) + "]";
  }
  json += "]";
}

void Report(double firstFrameMs) {
  std::string json = "{\"mainMs\":" + std::to_string(mainMs) + ",\"videoMs\":" + std::to_string(videoMs) +
                     ",\"contextMs\":" + std::to_string(contextMs) + ",\"sceneMs\":" + std::to_string(sceneMs) +
                     ",\"firstFrameMs\":" + std::to_string(firstFrameMs) + ",";
  AppendCells(json, "walls", world.wallX, world.wallY);
  json += ",";
  AppendCells(json, "snake", world.snakeX, world.snakeY);
  json += ",";
  AppendCells(json, "food", world.foodX, world.foodY);
  json += "," + libraries + "}";
  EM_ASM({ window.quellorSpike = JSON.parse(UTF8ToString($0)); }, json.c_str());
}

// The window, its context, the sink and the lists, with the scene set up in
// them. False if SDL cannot make the window or the context.
bool OpenScene() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);  // an opaque canvas: black, not see-through
  window = SDL_CreateWindow("Quellor, coded by r0vane", 0, 0, 640, 480, SDL_WINDOW_OPENGL);
  if (window == nullptr) return false;
  context = SDL_GL_CreateContext(window);
  if (context == nullptr) return false;
  SDL_GL_MakeCurrent(window, context);
  if (contextMs == 0.0) contextMs = emscripten_get_now();
  sink = CreateWebGlSink();
  lists = CreateGlListContext(sink);
  MakeGlListContextCurrent(lists);
  ResizeScene(640, 480);
  InitScene();
  return true;
}

// Everything OpenScene made, in the order the web backend must keep: the
// lists and the sink while their context is still current, then the
// context, then the window (SDL's one canvas goes to 0 x 0 with it).
void CloseScene() {
  SDL_GL_MakeCurrent(window, context);
  DeleteGlListContext(lists);
  DeleteWebGlSink(sink);
  SDL_GL_MakeCurrent(nullptr, nullptr);
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  lists = nullptr;
  sink = nullptr;
  context = nullptr;
  window = nullptr;
}

// The drawn frame as the page's test reads it: RGBA rows from the bottom,
// straight from the drawing buffer before the browser shows it.
void ReadBack() {
  static std::vector<unsigned char> pixels(640 * 480 * 4);
  glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  EM_ASM({ window.quellorPixels = HEAPU8.slice($0, $0 + $1); }, pixels.data(), pixels.size());
}

void Frame() {
  if (framesDrawn >= framesWanted) {
    emscripten_cancel_main_loop();
    if (framesWanted > 1)
      EM_ASM({ window.quellorTiming = ({frames : $0, drawMsMean : $1, drawMsMax : $2}); }, framesWanted - 1,
             drawMsTotal / (framesWanted - 1), drawMsMax);
    return;
  }
  double started = emscripten_get_now();
  DrawFrame();
  double took = emscripten_get_now() - started;
  if (framesDrawn > 0) {
    drawMsTotal += took;
    if (took > drawMsMax) drawMsMax = took;
  }
  ++framesDrawn;
  // The first frame's world is what it drew: the snake stands still (no
  // heading yet), so its tick changed nothing. With ?remake=1 the frame
  // after the remake is the one reported, drawn by the new context's lists.
  if (framesDrawn == (remake ? 2 : 1)) {
    double firstFrameMs = emscripten_get_now();
    ReadBack();
    Report(firstFrameMs);
  }
  SDL_GL_SwapWindow(window);
  if (remake && framesDrawn == 1) {
    CloseScene();
    if (!OpenScene()) {
      emscripten_cancel_main_loop();
      return;
    }
  }
  EM_ASM({ window.quellorFrames = $0; }, framesDrawn);
}

// FreeType and the tessellator, linked from build/web-deps, answer; FreeType
// reads the outline of 'S' from the font file the page ships
// (/fonts/DejaVuSans-Bold.ttf, put in by emcc's file packager).
void CheckLibraries() {
  FT_Library freetype = nullptr;
  FT_Int major = 0, minor = 0, patch = 0;
  long contours = -1, points = -1, advance = -1, unitsPerEm = -1;
  if (FT_Init_FreeType(&freetype) == 0) {
    FT_Library_Version(freetype, &major, &minor, &patch);
    FT_Face face = nullptr;
    if (FT_New_Face(freetype, "/fonts/DejaVuSans-Bold.ttf", 0, &face) == 0) {
      unitsPerEm = face->units_per_EM;
      if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0 &&
          FT_Load_Glyph(face, FT_Get_Char_Index(face, 'S'), FT_LOAD_NO_SCALE) == 0) {
        contours = face->glyph->outline.n_contours;
        points = face->glyph->outline.n_points;
        advance = face->glyph->advance.x;
      }
      FT_Done_Face(face);
    }
    FT_Done_FreeType(freetype);
  }
  GLUtesselator* tessellator = gluNewTess();
  bool tessOk = tessellator != nullptr;
  if (tessOk) gluDeleteTess(tessellator);
  libraries = "\"freetype\":\"" + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch) +
              "\",\"glyphS\":[" + std::to_string(contours) + "," + std::to_string(points) + "," +
              std::to_string(advance) + "," + std::to_string(unitsPerEm) +
              "],\"tessellator\":" + (tessOk ? "true" : "false");
}

}  // namespace

int main() {
  mainMs = emscripten_get_now();
  framesWanted = EM_ASM_INT({
    var n = parseInt(new URLSearchParams(location.search).get("frames") || "1", 10);
    return n > 0 ? n : 1;
  });
  remake = EM_ASM_INT({ return new URLSearchParams(location.search).get("remake") == "1" ? 1 : 0; }) != 0;
  if (remake && framesWanted < 2) framesWanted = 2;
  CheckLibraries();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  videoMs = emscripten_get_now();
  deviceContext = reinterpret_cast<HDC>(static_cast<uintptr_t>(16));  // the stand-in's fonts only need it set
  if (!OpenScene()) return 1;
  sceneMs = emscripten_get_now();
  emscripten_set_main_loop(Frame, 0, 1);
  return 0;
}
