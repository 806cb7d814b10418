// The wrappers behind call_counts.h. The layer's operations have C++ linkage,
// so the linker wraps them under their mangled names (Itanium ABI), which
// CMakeLists.txt passes to --wrap.
#include "call_counts.h"

#include "platform/win32.h"

namespace {
int swaps = 0;
int defaults = 0;
}  // namespace

extern "C" {
BOOL __real__Z11SwapBuffersP5HDC__(HDC dc);
LRESULT __real__Z14DefWindowProcAP6HWND__jml(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL __wrap__Z11SwapBuffersP5HDC__(HDC dc) {
  ++swaps;
  return __real__Z11SwapBuffersP5HDC__(dc);
}

LRESULT __wrap__Z14DefWindowProcAP6HWND__jml(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++defaults;
  return __real__Z14DefWindowProcAP6HWND__jml(window, message, wParam, lParam);
}
}

int SwapCount() { return swaps; }
int DefaultHandledCount() { return defaults; }
