// One frame: the score line and every cell, then one tick of the game.
#pragma once

// The camera: a fixed translation that puts the board's centre on the view
// axis 100 units in front of the eye.
extern const float cameraX, cameraY, cameraZ;

// Draws the frame, builds a fresh world first if one is due, then advances
// the game by one tick. Always true.
bool DrawFrame();
