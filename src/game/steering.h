// Arrow keys to heading changes, once per press.
#pragma once

// Reads keyDown for the four arrows (up, down, left, right, in that order)
// and turns each newly pressed one into a heading, unless it is the exact
// opposite of the heading of that moment.
void ApplySteering();
