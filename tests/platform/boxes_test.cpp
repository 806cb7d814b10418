// Message boxes under the driver (answered from a queue, recorded with the
// layer's state), shown for real on the X display and answered with keys,
// and with no display at all.
#include <cstdlib>
#include <string>

#include "layer_fixture.h"

namespace layer_test {
namespace {

TEST_F(LayerTest, BoxesAreAnsweredFromTheQueueAndRecorded) {
  DriveAnswerBoxes({IDYES, IDOK});
  EXPECT_EQ(MessageBoxA(nullptr, "Would You?", "Question", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(MessageBoxA(nullptr, "Noted.", "ERROR", MB_OK | MB_ICONWARNING), IDOK);
  // The queue is empty: Yes/No is answered No, anything else OK.
  EXPECT_EQ(MessageBoxA(nullptr, "Again?", "Question", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "Fine.", "Note", MB_OK | MB_ICONINFORMATION), IDOK);

  const std::vector<ShownBox>& boxes = DriveShownBoxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].text, "Would You?");
  EXPECT_EQ(boxes[0].caption, "Question");
  EXPECT_EQ(boxes[0].style, unsigned(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(boxes[0].answer, IDYES);
  EXPECT_EQ(boxes[1].style, 0x30u);
  EXPECT_EQ(boxes[2].answer, IDNO);
  EXPECT_EQ(boxes[3].answer, IDOK);
}

TEST_F(LayerTest, EachBoxRecordsTheLayerStateWhenItCameUp) {
  ASSERT_TRUE(Register());
  MessageBoxA(nullptr, "before", "state", MB_OK);
  DriveDisplayModes({{640, 480}});
  DEVMODEA mode = {};
  mode.dmSize = sizeof(mode);
  mode.dmPelsWidth = 640;
  mode.dmPelsHeight = 480;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
  ShowCursor(FALSE);
  HWND window;
  HDC dc;
  HGLRC context;
  ASSERT_TRUE(MakeGLWindow(&window, &dc, &context, WS_POPUP));
  MessageBoxA(nullptr, "during", "state", MB_OK);
  ChangeDisplaySettingsA(nullptr, 0);
  ShowCursor(TRUE);

  const std::vector<ShownBox>& boxes = DriveShownBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_FALSE(boxes[0].state.displayModeChanged);
  EXPECT_EQ(boxes[0].state.cursorCounter, 0);
  EXPECT_EQ(boxes[0].state.liveWindows, 0);
  EXPECT_EQ(boxes[0].state.registeredClasses, 1);
  EXPECT_FALSE(boxes[0].state.contextCurrent);
  EXPECT_TRUE(boxes[1].state.displayModeChanged);
  EXPECT_EQ(boxes[1].state.cursorCounter, -1);
  EXPECT_EQ(boxes[1].state.liveWindows, 1);
  EXPECT_TRUE(boxes[1].state.contextCurrent);
}

TEST_F(LayerTest, WithNoDisplayBoxesGoToStandardErrorAndWindowsFail) {
  DriveNoDisplay(true);
  DriveAnswerBoxes({IDYES});  // nobody to ask: the queue is not used
  struct Case {
    UINT style;
    int answer;
  } cases[] = {{MB_YESNO | MB_ICONWARNING, IDNO}, {MB_OK | MB_ICONERROR, IDOK}, {MB_OKCANCEL, IDCANCEL}};
  for (const Case& c : cases) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "Window Creation Error.", "ERROR", c.style), c.answer);
    std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(written.find("ERROR"), std::string::npos);
    EXPECT_NE(written.find("Window Creation Error."), std::string::npos);
  }
  ASSERT_EQ(DriveShownBoxes().size(), 3u) << "still recorded";
  EXPECT_EQ(DriveShownBoxes()[0].answer, IDNO);

  ASSERT_TRUE(Register());
  EXPECT_EQ(MakeWindow(), nullptr);
  DEVMODEA mode = {};
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmPelsWidth = 640;
  mode.dmPelsHeight = 480;
  EXPECT_NE(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
}

// A real SDL box on the X display, answered by pressing keys with xdotool
// the way a player (or the end-to-end tests) would: Return takes the first
// button, Escape the last.
struct KeyAnswer {
  const char* name;
  const char* key;
  UINT style;
  int answer;
};

class RealBoxTest : public LayerTest, public ::testing::WithParamInterface<KeyAnswer> {};

TEST_P(RealBoxTest, KeyAnswersTheBox) {
  if (std::system("command -v xdotool >/dev/null 2>&1") != 0 || !std::getenv("DISPLAY"))
    GTEST_SKIP() << "needs xdotool and an X display";
  const KeyAnswer& c = GetParam();
  DriveRealBoxes(true);
  // The key is pressed once the box is up; the box takes the keyboard.
  std::string press = std::string("(sleep 1.5; xdotool key ") + c.key + ") >/dev/null 2>&1 &";
  ASSERT_EQ(std::system(press.c_str()), 0);
  EXPECT_EQ(MessageBoxA(nullptr, "Would You Like To Run In Fullscreen Mode?", "Start FullScreen?", c.style), c.answer);
  ASSERT_EQ(DriveShownBoxes().size(), 1u);
  EXPECT_EQ(DriveShownBoxes()[0].answer, c.answer);
}

INSTANTIATE_TEST_SUITE_P(Keys, RealBoxTest,
                         ::testing::Values(KeyAnswer{"ReturnIsYes", "Return", MB_YESNO | MB_ICONQUESTION, IDYES},
                                           KeyAnswer{"EscapeIsNo", "Escape", MB_YESNO | MB_ICONQUESTION, IDNO},
                                           KeyAnswer{"ReturnIsOk", "Return", MB_OK | MB_ICONWARNING, IDOK},
                                           KeyAnswer{"EscapeIsOk", "Escape", MB_OK | MB_ICONERROR, IDOK}),
                         [](const ::testing::TestParamInfo<KeyAnswer>& info) { return info.param.name; });

}  // namespace
}  // namespace layer_test
