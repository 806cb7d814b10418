// The wrappers behind call_counts.h. The layer's operations have C linkage,
// as on Windows, so the linker wraps them under their own names, which
// CMakeLists.txt passes to --wrap.
#include "call_counts.h"

#include "platform/win32.h"

namespace {
int swaps = 0;
int defaults = 0;
}  // namespace

extern "C" {
BOOL __real_SwapBuffers(HDC dc);
LRESULT __real_DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL __wrap_SwapBuffers(HDC dc) {
  ++swaps;
  return __real_SwapBuffers(dc);
}

LRESULT __wrap_DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++defaults;
  return __real_DefWindowProcA(window, message, wParam, lParam);
}
}

int SwapCount() { return swaps; }
int DefaultHandledCount() { return defaults; }
