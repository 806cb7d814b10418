// Display modes and the cursor: the fullscreen mode is accepted only when
// the display lists it, a popup made afterwards covers the screen in it, and
// the desktop mode comes back; ShowCursor keeps Win32's display counter.
#include <SDL2/SDL.h>

#include "layer_fixture.h"

namespace layer_test {
namespace {

DEVMODEA ModeRequest(int width, int height, int bits) {
  DEVMODEA mode;
  memset(&mode, 0, sizeof(mode));
  mode.dmSize = sizeof(mode);
  mode.dmPelsWidth = DWORD(width);
  mode.dmPelsHeight = DWORD(height);
  mode.dmBitsPerPel = DWORD(bits);
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  return mode;
}

struct ModeCase {
  const char* name;
  std::vector<std::pair<int, int>> offered;
  int width, height, bits;
  LONG result;
};

class DisplayModeTest : public LayerTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(DisplayModeTest, ModeIsAcceptedOnlyWhenListed) {
  const ModeCase& c = GetParam();
  DriveDisplayModes(c.offered);
  DEVMODEA request = ModeRequest(c.width, c.height, c.bits);
  EXPECT_EQ(ChangeDisplaySettingsA(&request, CDS_FULLSCREEN), c.result);
  EXPECT_EQ(DriveSnapshot().displayModeChanged, c.result == DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  EXPECT_FALSE(DriveSnapshot().displayModeChanged);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DisplayModeTest,
    ::testing::Values(ModeCase{"Offered", {{1024, 768}, {640, 480}}, 640, 480, 16, DISP_CHANGE_SUCCESSFUL},
                      ModeCase{"AnyDepthOfTheRightSize", {{640, 480}}, 640, 480, 32, DISP_CHANGE_SUCCESSFUL},
                      ModeCase{"Refused", {{1024, 768}, {800, 600}}, 640, 480, 16, DISP_CHANGE_BADMODE},
                      ModeCase{"WidthAloneIsNotEnough", {{640, 400}}, 640, 480, 16, DISP_CHANGE_BADMODE},
                      ModeCase{"NoModes", {}, 640, 480, 16, DISP_CHANGE_BADMODE}),
    [](const ::testing::TestParamInfo<ModeCase>& info) { return info.param.name; });

TEST_F(LayerTest, PopupAfterAModeChangeCoversTheScreenInThatMode) {
  ASSERT_TRUE(Register());
  DriveDisplayModes({{640, 480}});
  DEVMODEA request = ModeRequest(640, 480, 16);
  ASSERT_EQ(ChangeDisplaySettingsA(&request, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
  HWND window = MakeWindow(WS_POPUP);
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOW);
  int width = 0, height = 0;
  ASSERT_TRUE(DriveClientSize(window, &width, &height));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  EXPECT_FALSE(DriveSnapshot().displayModeChanged);
}

// The display's own list, as the X server reports it: its current mode is
// always in it, and a mode it lacks is refused without any change.
TEST_F(LayerTest, RealDisplayModeCycle) {
  ASSERT_TRUE(Register());
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
  SDL_DisplayMode desktop;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);

  DEVMODEA odd = ModeRequest(desktop.w - 1, desktop.h, 16);
  EXPECT_EQ(ChangeDisplaySettingsA(&odd, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
  EXPECT_FALSE(DriveSnapshot().displayModeChanged);

  DEVMODEA own = ModeRequest(desktop.w, desktop.h, 16);
  ASSERT_EQ(ChangeDisplaySettingsA(&own, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
  EXPECT_TRUE(DriveSnapshot().displayModeChanged);
  HWND window = MakeWindow(WS_POPUP, desktop.w, desktop.h);
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOW);
  Pump();
  int width = 0, height = 0;
  ASSERT_TRUE(DriveClientSize(window, &width, &height));
  EXPECT_EQ(width, desktop.w);
  EXPECT_EQ(height, desktop.h);
  EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  EXPECT_FALSE(DriveSnapshot().displayModeChanged);
  SDL_DisplayMode after;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &after), 0);
  EXPECT_EQ(after.w, desktop.w);
  EXPECT_EQ(after.h, desktop.h);
}

// On the test display (1024x768) the game's 640x480 is not in the list.
TEST_F(LayerTest, RealDisplayRefusesAModeItLacks) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
  bool listed = false;
  for (int i = 0; i < SDL_GetNumDisplayModes(0); ++i) {
    SDL_DisplayMode mode;
    SDL_GetDisplayMode(0, i, &mode);
    listed = listed || (mode.w == 640 && mode.h == 480);
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  DEVMODEA request = ModeRequest(640, 480, 16);
  EXPECT_EQ(ChangeDisplaySettingsA(&request, CDS_FULLSCREEN), listed ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_BADMODE);
  ChangeDisplaySettingsA(nullptr, 0);
}

TEST_F(LayerTest, ShowCursorKeepsTheDisplayCounter) {
  int start = DriveSnapshot().cursorCounter;
  struct Step {
    BOOL show;
    int count;  // relative to the start
  } steps[] = {{FALSE, -1}, {FALSE, -2}, {TRUE, -1}, {TRUE, 0}, {TRUE, 1}, {FALSE, 0}};
  for (const Step& step : steps) {
    EXPECT_EQ(ShowCursor(step.show), start + step.count);
    EXPECT_EQ(DriveSnapshot().cursorCounter, start + step.count);
  }
}

TEST_F(LayerTest, CursorIsHiddenWhileTheCounterIsNegative) {
  ASSERT_TRUE(Register());
  ASSERT_NE(MakeWindow(), nullptr);  // SDL video is up
  ASSERT_EQ(DriveSnapshot().cursorCounter, 0) << "the counter starts at 0";
  ShowCursor(FALSE);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  ShowCursor(TRUE);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

}  // namespace
}  // namespace layer_test
