// The process entry: main() calls the program's WinMain as Windows calls it
// (the program's module, no previous instance, an empty command line,
// SW_SHOWDEFAULT) and returns its result as the exit status, after the
// desktop has its display mode back and the backend has closed.
#include "platform/core/core.h"

int main() {
  static char commandLine[] = "";
  int status = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
  LayerShutdown();
  return status;
}
