#!/usr/bin/env python3
"""Cuts the page's outline font down to the glyphs the program can ask for.

    subset-font.py FONT OUT

Made src/platform/web/page/fonts/DejaVuSans-Bold.ttf from Debian's
fonts-dejavu-core (/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf),
with fontTools (Debian's python3-fonttools); run it again only if that font
changes (tests/fonts/page_font_test.cpp says so).

The program makes glyph lists for the character codes 0-254, which the layer
reads as Windows-1252 (0x80-0x9F through the code page's table, every other
code as itself): those characters, and the font's missing glyph for the
ones it lacks, are all the page needs of the font, a tenth of it. Outlines,
advances and the em square stay exactly as they are (no hinting is kept: the
layer reads outlines unhinted), which this script checks glyph by glyph
before it writes OUT.
"""
import logging
import sys

from fontTools import subset
from fontTools.ttLib import TTFont


def characters():
    """The Unicode characters of the codes 0-255 as the layer maps them."""
    found = set(range(0x100))
    for code in range(0x80, 0xA0):
        try:
            found.add(ord(bytes([code]).decode("cp1252")))
        except UnicodeDecodeError:
            pass  # the five codes the code page leaves out stand for themselves
    return sorted(found)


def outline(font, character):
    """A character's glyph as the layer sees it: points, contour ends, flags, advance."""
    name = font.getBestCmap().get(character, ".notdef")
    glyphs = font["glyf"]
    coordinates, ends, flags = glyphs[name].getCoordinates(glyphs)
    return list(coordinates), list(ends), [flag & 1 for flag in flags], font["hmtx"][name][0]


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: subset-font.py FONT OUT")
    source, target = sys.argv[1:]
    logging.getLogger("fontTools.subset").setLevel(logging.ERROR)  # tables it drops whole
    wanted = characters()
    options = subset.Options()
    options.notdef_outline = True  # the missing glyph is drawn, as from the whole font
    options.hinting = False
    options.layout_features = []
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    font = TTFont(source, recalcTimestamp=False)  # the same bytes from the same font, whenever
    cutter = subset.Subsetter(options)
    cutter.populate(unicodes=wanted)
    cutter.subset(font)

    whole = TTFont(source)
    if font["head"].unitsPerEm != whole["head"].unitsPerEm:
        sys.exit("subset-font: the em square changed")
    for character in wanted:
        if outline(font, character) != outline(whole, character):
            sys.exit("subset-font: U+%04X is not the same glyph after cutting" % character)
    font.save(target)


if __name__ == "__main__":
    main()
