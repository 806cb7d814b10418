// One tick of the game: move, eat, collide.
#pragma once

// Advances the game by one tick.
void StepWorld();
// Copies the last snake cell into tailX, tailY, tailZ.
void SaveTail();
// True if the head is on a food cell; the food is then removed.
bool TryEatFood();
// True if the head is on a wall cell or on any other snake cell.
bool HeadCollides();
// Throws the world away after a collision: lists emptied, latches cleared,
// heading 'P', score 0, newGame set. The random state is kept.
void ResetWorld();
