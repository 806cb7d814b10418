// The fixed OpenGL state, the perspective projection and the unit cube.
#pragma once

// Display-list name of the unit cube centred on the origin.
extern unsigned int cubeList;

// Viewport and perspective projection for a client area; leaves the modelview
// matrix current and set to identity. A height of 0 is taken as 1.
void ResizeScene(int width, int height);
// Fixed state, the cube list and the glyph lists of the current context.
// Always true.
bool InitScene();
// Compiles the cube into cubeList.
void BuildCubeList();
