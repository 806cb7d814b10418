// The key-state table shared by the window procedure, steering and the main loop.
#include "game/keys.h"

bool keyDown[256];
