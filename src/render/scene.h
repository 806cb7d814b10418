// The fixed OpenGL state, the perspective projection and the unit cube.
#pragma once

#include <cstddef>

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

// Display-list name of the walls drawn in one call (see frame.cpp),
// reserved by InitScene; wallListMade is false until BuildWallList has
// filled it in this rendering context.
extern unsigned int wallList;
extern bool wallListMade;
// Compiles into wallList the cube moved to each of the given cells, in index
// order: the same faces, normals and corners as cubeList, each corner
// already added to its cell, to be called under the camera translation.
void BuildWallList(const float* xs, const float* ys, const float* zs, size_t count);
