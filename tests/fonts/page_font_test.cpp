// The browser build's page ships the score's font cut down to the characters
// the program can ask for (src/platform/web/page/fonts). It must draw what
// the desktop build draws: the face fontconfig finds for the program's
// "Verdana" in bold, with the same em square, and for every character code
// 0-255 (Windows-1252) the same glyph: its outline point for point and its
// advance; where the whole font has no glyph, the subset has none either and
// both draw the same missing glyph.
#include <gtest/gtest.h>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <vector>

#include "windows1252.h"

namespace {

struct Glyph {
  std::vector<FT_Vector> points;
  std::vector<char> onCurve;
  std::vector<short> contourEnds;
  FT_Pos advance = 0;
};

// The Unicode character the layer reads a code as: Windows-1252, the five
// codes the code page leaves out as themselves.
uint32_t CharacterOf(unsigned code) {
  uint32_t character = UnicodeOf1252(code);
  return character || code == 0 ? character : code;
}

class PageFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    ASSERT_TRUE(FcInit());
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("Verdana"));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(700));
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    ASSERT_NE(match, nullptr);
    FcChar8* file = nullptr;
    ASSERT_EQ(FcPatternGetString(match, FC_FILE, 0, &file), FcResultMatch);
    machineFile = reinterpret_cast<const char*>(file);
    FcPatternDestroy(match);
    ASSERT_EQ(FT_New_Face(library, machineFile.c_str(), 0, &machine), 0) << machineFile;
    ASSERT_EQ(FT_New_Face(library, QUELLOR_PAGE_FONT, 0, &page), 0) << QUELLOR_PAGE_FONT;
    ASSERT_EQ(FT_Select_Charmap(machine, FT_ENCODING_UNICODE), 0);
    ASSERT_EQ(FT_Select_Charmap(page, FT_ENCODING_UNICODE), 0);
  }

  void TearDown() override {
    if (machine) FT_Done_Face(machine);
    if (page) FT_Done_Face(page);
    if (library) FT_Done_FreeType(library);
  }

  static Glyph Load(FT_Face face, FT_UInt index) {
    Glyph glyph;
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE) != 0) return glyph;
    const FT_Outline& outline = face->glyph->outline;
    glyph.points.assign(outline.points, outline.points + outline.n_points);
    for (int i = 0; i < outline.n_points; ++i) glyph.onCurve.push_back(outline.tags[i] & 1);
    glyph.contourEnds.assign(outline.contours, outline.contours + outline.n_contours);
    glyph.advance = face->glyph->advance.x;
    return glyph;
  }

  FT_Library library = nullptr;
  FT_Face machine = nullptr;
  FT_Face page = nullptr;
  std::string machineFile;
};

TEST_F(PageFontTest, EveryCharacterTheProgramCanAskForIsTheSameGlyph) {
  if (std::string(machine->family_name) != page->family_name || std::string(machine->style_name) != page->style_name)
    GTEST_SKIP() << "this machine's font for \"Verdana\" in bold is " << machine->family_name << " "
                 << machine->style_name << " (" << machineFile << "), not the page's " << page->family_name << " "
                 << page->style_name;
  ASSERT_EQ(page->units_per_EM, machine->units_per_EM);
  int drawn = 0;
  for (unsigned code = 0; code < 256; ++code) {
    uint32_t character = CharacterOf(code);
    FT_UInt machineIndex = FT_Get_Char_Index(machine, character);
    FT_UInt pageIndex = FT_Get_Char_Index(page, character);
    EXPECT_EQ(pageIndex == 0, machineIndex == 0) << "code " << code;
    Glyph want = Load(machine, machineIndex), got = Load(page, pageIndex);
    EXPECT_EQ(got.advance, want.advance) << "code " << code;
    EXPECT_EQ(got.contourEnds, want.contourEnds) << "code " << code;
    EXPECT_EQ(got.onCurve, want.onCurve) << "code " << code;
    ASSERT_EQ(got.points.size(), want.points.size()) << "code " << code;
    for (size_t i = 0; i < want.points.size(); ++i) {
      EXPECT_EQ(got.points[i].x, want.points[i].x) << "code " << code << " point " << i;
      EXPECT_EQ(got.points[i].y, want.points[i].y) << "code " << code << " point " << i;
    }
    if (!want.points.empty()) ++drawn;
  }
  EXPECT_GT(drawn, 180) << "hardly any character has an outline";
}

}  // namespace
