// Message boxes under the driver (answered from a queue, recorded with the
// layer's state), and with no display at all.
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
  DEVMODEA mode = DisplayModeRequest(640, 480);
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

}  // namespace
}  // namespace layer_test
