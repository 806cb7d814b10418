// The key-state table shared by the window procedure (which writes it),
// steering and the main loop (which read it).
#pragma once

// True while the key with that Windows virtual-key code is down.
extern bool keyDown[256];
