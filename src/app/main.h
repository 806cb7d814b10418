// The program's entry and its only loop.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Frame-duration units; an idle pass lasts at least 2 * stepTable[stepIndex] ms.
extern const int32_t stepTable[7];
extern int32_t stepIndex;

// Asks for fullscreen, opens the window, runs the loop, tears down; the
// result is the process exit status.
int WINAPI AppMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
