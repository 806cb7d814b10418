// The render-frames tool's own parts: key scripts and PNG pictures.
#include <png.h>

#include <cstdio>
#include <string>

#include "gl_fixture.h"
#include "offscreen.h"
#include "render/frame.h"

namespace {

TEST(KeyScript, AcceptsDotsAndArrowsOnly) {
  struct Case {
    const char* script;
    int error;
  };
  const Case cases[] = {{"", -1}, {"..UDLR.", -1}, {"..x", 2}, {"u", 0}, {"R R", 1}};
  for (const Case& c : cases) EXPECT_EQ(FindScriptError(c.script), c.error) << "'" << c.script << "'";
}

using ToolTest = RenderTest;

TEST_F(ToolTest, PngHoldsTheFrameRowsTopDown) {
  DrawFrame();
  FramePicture picture = ReadFrame(640, 480);
  std::string path = ::testing::TempDir() + "render-frames-test.png";
  ASSERT_TRUE(WritePng(path, picture));

  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) << image.message;
  EXPECT_EQ(image.width, 640u);
  EXPECT_EQ(image.height, 480u);
  EXPECT_EQ(pixels, picture.rgb);
  std::remove(path.c_str());

  // A picture that cannot be written is reported, not lost silently.
  EXPECT_FALSE(WritePng("/nonexistent-directory/frame.png", picture));
}

}  // namespace
