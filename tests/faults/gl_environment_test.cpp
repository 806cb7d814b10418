// The whole program where the machine's OpenGL cannot serve it: GLX through
// the X server (indirect), which the server refuses, and a Mesa without its
// driver. The X errors this brings are failures the program reports in its
// own words ("Can't Create A GL Rendering Context."), never the end of the
// process; then it exits with the status of a program that could not open
// its window, leaving nothing behind. Each case is its own test, so that
// OpenGL is first loaded under its environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/main.h"
#include "platform/testing/driver.h"
#include "shell_fixture.h"

namespace {

void ExpectContextRefused() {
  ResetShell();
  DriveAnswerBoxes({IDNO});  // windowed
  const int status = AppMain(nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(status, 1);
  const std::vector<ShownBox>& boxes = DriveShownBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, "Can't Create A GL Rendering Context.");
  EXPECT_EQ(boxes[1].caption, "ERROR");
  EXPECT_EQ(boxes[1].style, 0x30u);
  // Torn down before the box came up, and nothing left afterwards.
  EXPECT_EQ(boxes[1].state.liveWindows, 0);
  EXPECT_EQ(DriveSnapshot().liveWindows, 0);
  EXPECT_EQ(DriveSnapshot().registeredClasses, 0);
  ExpectHandlesNull();
}

TEST(GlEnvironment, IndirectGlxRefusedByTheServer) {
  setenv("LIBGL_ALWAYS_INDIRECT", "1", 1);
  ExpectContextRefused();
}

TEST(GlEnvironment, MesaWithoutItsDriver) {
  setenv("LIBGL_DRIVERS_PATH", "/nonexistent", 1);
  ExpectContextRefused();
}

}  // namespace
