// The process entry on Linux: main() calls the program's WinMain as Windows
// calls it (the program's module, no previous instance, an empty command
// line, SW_SHOWDEFAULT) and returns its result as the exit status, after the
// layer has given the desktop its display mode back and closed SDL.
#include "platform/linux/windows_internal.h"
#include "platform/win32.h"

int main() {
  static char commandLine[] = "";
  int status = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
  LayerShutdown();
  return status;
}
