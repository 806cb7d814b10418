// Arrow keys to heading: once per press, never straight back.
#include <string>
#include <vector>

#include "game/step.h"
#include "game/steering.h"
#include "world_fixture.h"

namespace {

constexpr int left = 37, up = 38, right = 39, down = 40;

struct Latches {
  bool up, down, left, right;
  bool operator==(const Latches& o) const { return up == o.up && down == o.down && left == o.left && right == o.right; }
};

std::ostream& operator<<(std::ostream& out, const Latches& l) {
  return out << "{up " << l.up << ", down " << l.down << ", left " << l.left << ", right " << l.right << "}";
}

Latches CurrentLatches() { return {world.upHeld, world.downHeld, world.leftHeld, world.rightHeld}; }

// One idle pass: these keys are down (all others up), then steering runs.
struct Pass {
  std::vector<int> keysDown;
  char heading;     // expected after the pass
  Latches latches;  // expected after the pass
};

struct SteeringCase {
  const char* name;
  char startHeading;
  std::vector<Pass> passes;
};

class Steering : public FreshWorld, public ::testing::WithParamInterface<SteeringCase> {};

TEST_P(Steering, PassesGiveTheHeadingAndLatches) {
  world.heading = GetParam().startHeading;
  int passNumber = 0;
  for (const Pass& pass : GetParam().passes) {
    ++passNumber;
    for (int key = 0; key < 256; ++key) keyDown[key] = false;
    for (int key : pass.keysDown) keyDown[key] = true;
    ApplySteering();
    EXPECT_EQ(world.heading, pass.heading) << "pass " << passNumber;
    EXPECT_EQ(CurrentLatches(), pass.latches) << "pass " << passNumber;
  }
}

const Latches none{false, false, false, false};
const Latches U{true, false, false, false};
const Latches D{false, true, false, false};
const Latches L{false, false, true, false};
const Latches R{false, false, false, true};
const Latches UL{true, false, true, false};
const Latches UR{true, false, false, true};

INSTANTIATE_TEST_SUITE_P(
    Cases, Steering,
    ::testing::Values(
        // Every arrow starts a standing snake, whether at start (0) or after a reset ('P').
        SteeringCase{"UpFromStart", 0, {{{up}, 'U', U}}}, SteeringCase{"DownFromStart", 0, {{{down}, 'D', D}}},
        SteeringCase{"LeftFromReset", 'P', {{{left}, 'L', L}}},
        SteeringCase{"RightFromReset", 'P', {{{right}, 'R', R}}},
        // Turns at right angles go through.
        SteeringCase{"UpWhileRight", 'R', {{{up}, 'U', U}}}, SteeringCase{"DownWhileLeft", 'L', {{{down}, 'D', D}}},
        SteeringCase{"LeftWhileUp", 'U', {{{left}, 'L', L}}}, SteeringCase{"RightWhileDown", 'D', {{{right}, 'R', R}}},
        // The exact opposite is blocked, but the press still sets its latch.
        SteeringCase{"UpWhileDownBlocked", 'D', {{{up}, 'D', U}}},
        SteeringCase{"DownWhileUpBlocked", 'U', {{{down}, 'U', D}}},
        SteeringCase{"LeftWhileRightBlocked", 'R', {{{left}, 'R', L}}},
        SteeringCase{"RightWhileLeftBlocked", 'L', {{{right}, 'L', R}}},
        // A blocked left stays spent while held: turning up does not revive it.
        SteeringCase{
            "BlockedPressMustBeRepeated",
            'R',
            {{{left}, 'R', L}, {{left, up}, 'U', UL}, {{left, up}, 'U', UL}, {{up}, 'U', U}, {{up, left}, 'L', UL}}},
        // Up and left newly down together: up first, then left against 'U'.
        SteeringCase{"UpAndLeftTogetherReverse", 'R', {{{up, left}, 'L', UL}}},
        // Down then right in one pass from up: down is blocked, right goes.
        SteeringCase{"OrderUpDownLeftRight", 'U', {{{down, right}, 'R', {false, true, false, true}}}},
        // All four at once from standing: up, down blocked, left, right blocked.
        SteeringCase{"AllFourFromStanding", 0, {{{up, down, left, right}, 'L', {true, true, true, true}}}},
        // The arrow of the current heading changes nothing but its latch.
        SteeringCase{"SameArrow", 'R', {{{right}, 'R', R}, {{}, 'R', none}}},
        // Holding a key acts once; another arrow can override it.
        SteeringCase{
            "HeldKeyActsOnce", 0, {{{up}, 'U', U}, {{up}, 'U', U}, {{up, right}, 'R', UR}, {{up, right}, 'R', UR}}},
        // Release clears the latch, and the next press counts again.
        SteeringCase{"ReleaseAndPressAgain",
                     'U',
                     {{{left}, 'L', L}, {{}, 'L', none}, {{up}, 'U', U}, {{}, 'U', none}, {{left}, 'L', L}}},
        // Other keys, including ones beside the arrows, do nothing.
        SteeringCase{"OtherKeysIgnored", 'R', {{{36, 41, 27, 112, 0, 255}, 'R', none}}}),
    [](const ::testing::TestParamInfo<SteeringCase>& info) { return std::string(info.param.name); });

class SteeringAfterReset : public FreshWorld {};

// A reset clears the latch of a key still held, so the held key counts as a
// new press: holding left makes every fresh snake reverse into its body.
TEST_F(SteeringAfterReset, HeldLeftKeepsResettingTheGame) {
  keyDown[left] = true;
  for (int frame = 0; frame < 6; ++frame) {
    if (world.newGame) BuildWorld();
    StepWorld();
    if (frame == 0) {
      EXPECT_FALSE(world.newGame);  // standing on the first frame
    } else {
      EXPECT_TRUE(world.newGame) << frame;  // reversed into its body
      EXPECT_EQ(world.heading, 'P');
      EXPECT_FALSE(world.leftHeld);
    }
    ApplySteering();
    EXPECT_EQ(world.heading, 'L') << frame;
    EXPECT_TRUE(world.leftHeld);
  }
}

TEST_F(SteeringAfterReset, HeldRightStartsTheNewGameAtOnce) {
  BuildWorld();
  keyDown[right] = true;
  ApplySteering();
  ResetWorld();
  ApplySteering();
  EXPECT_EQ(world.heading, 'R');
  EXPECT_TRUE(world.rightHeld);
  BuildWorld();
  StepWorld();
  EXPECT_EQ(SnakeCell(0), (Cell{60, 40, 0}));
  EXPECT_FALSE(world.newGame);
}

}  // namespace
