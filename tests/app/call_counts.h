// Counts of platform calls made by the shell, taken by wrapping them at link
// time (-Wl,--wrap, see CMakeLists.txt): every call the shell's own objects
// make goes through a counter and then on to the layer unchanged.
#pragma once

// SwapBuffers calls so far.
int SwapCount();
// DefWindowProcA calls so far: messages given default handling.
int DefaultHandledCount();
