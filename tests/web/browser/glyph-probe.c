/* Prints what the machine's own FreeType reads of the outline of 'S' in a
 * font file, unscaled: "contours points advance unitsPerEm". The browser
 * check compares the page's FreeType with it.
 *   glyph-probe FONT */
#include <ft2build.h>
#include FT_FREETYPE_H
#include <stdio.h>

int main(int argc, char** argv) {
  FT_Library library;
  FT_Face face;
  if (argc != 2 || FT_Init_FreeType(&library) != 0) return 2;
  if (FT_New_Face(library, argv[1], 0, &face) != 0 || FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0 ||
      FT_Load_Glyph(face, FT_Get_Char_Index(face, 'S'), FT_LOAD_NO_SCALE) != 0) {
    fprintf(stderr, "glyph-probe: cannot read 'S' from %s\n", argv[1]);
    return 1;
  }
  printf("%d %d %ld %d\n", face->glyph->outline.n_contours, face->glyph->outline.n_points, (long)face->glyph->advance.x,
         face->units_per_EM);
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return 0;
}
