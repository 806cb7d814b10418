// The GUI entry point: Windows calls it directly; on Linux the layer's main()
// calls it the same way.
#include "app/main.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
  return AppMain(instance, previous, commandLine, showCommand);
}
