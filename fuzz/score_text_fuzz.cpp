// The score line's formatting path: PrintCentered in a real rendering
// context with the glyph lists built, fed with what it can really be given.
//
// PrintCentered takes a printf format and the arguments that format uses. A
// format that consumes arguments it was not given is undefined behaviour in
// C itself, so the fuzzer does not invent formats: it drives the two formats
// the program prints ("SCORE:" and "%6.0f") with any double at all (NaN,
// infinities, subnormals, 1e308, whose text is far longer than the 255
// characters the buffer holds), and any text without a conversion of its
// own, of any length, as a format (every '%' doubled, so it prints itself).
//
// Checked after every call: the list base is the one set before, the
// matrix and attribute stacks are as deep as before, and OpenGL reports no
// error.
#include <GL/gl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/window.h"
#include "platform/testing/driver.h"
#include "render/text.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

template <typename Draw>
void DrawChecked(Draw draw) {
  const GLint listBase = 1234;
  glListBase(listBase);
  GLint matrixDepth = 0, attribDepth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &matrixDepth);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attribDepth);
  glLoadIdentity();
  draw();
  GLint after = 0, matrixAfter = 0, attribAfter = 0;
  glGetIntegerv(GL_LIST_BASE, &after);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &matrixAfter);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attribAfter);
  Check(after == listBase, "list base restored");
  Check(matrixAfter == matrixDepth && attribAfter == attribDepth, "stacks as deep as before");
  Check(glGetError() == GL_NO_ERROR, "no OpenGL error");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!std::getenv("DISPLAY")) {
    std::fprintf(stderr, "fuzz_score_text needs a display: run it under tools/with-xvfb.sh\n");
    std::exit(2);
  }
  DriveReset();
  if (!OpenMainWindow("Quellor, coded by r0vane", 640, 480, 16, false)) std::exit(2);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t mode = data[0];
  ++data;
  --size;
  if (mode % 2 == 0) {
    // The score line as the frame draws it, with any double.
    double value = 0;
    std::memcpy(&value, data, size < sizeof value ? size : sizeof value);
    DrawChecked([value] {
      PrintCentered("SCORE:");
      glTranslatef(2.0f, 0.0f, 0.0f);
      PrintCentered("%6.0f", value);
    });
  } else {
    // Any text as its own format: every '%' doubled, cut at the first NUL
    // as a C string is.
    std::string format;
    for (size_t i = 0; i < size && data[i] != 0; ++i) {
      format += char(data[i]);
      if (data[i] == '%') format += '%';
    }
    DrawChecked([&format] { PrintCentered(format.c_str()); });
  }
  return 0;
}
