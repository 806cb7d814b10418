// Arrow keys to heading changes: each arrow acts once per press, never
// straight back against the heading of that moment.
#include "game/steering.h"

#include "game/keys.h"
#include "game/world.h"

namespace {

// Windows virtual-key codes of the arrows (the game includes no platform code).
constexpr int arrowLeft = 37;
constexpr int arrowUp = 38;
constexpr int arrowRight = 39;
constexpr int arrowDown = 40;

void SteerOne(int key, bool& held, char blocking, char newHeading) {
  if (keyDown[key] && !held) {
    held = true;
    if (world.heading != blocking) world.heading = newHeading;
  }
  if (!keyDown[key]) held = false;
}

}  // namespace

void ApplySteering() {
  SteerOne(arrowUp, world.upHeld, 'D', 'U');
  SteerOne(arrowDown, world.downHeld, 'U', 'D');
  SteerOne(arrowLeft, world.leftHeld, 'R', 'L');
  SteerOne(arrowRight, world.rightHeld, 'L', 'R');
}
