#!/usr/bin/env python3
"""Pictures of the game window, taken with xwd, for the Windows checks.

Pictures are of the whole screen (xwd -root); REGION is the game window's
client area on it, as WxH+X+Y (what xwininfo tells).

  screen.py board PICTURE.xwd REGION
      The region shows the walled board and the score: a closed white wall
      ring, and white pixels of the score line at the top inside it.
  screen.py compare A.xwd REGION_A B.xwd REGION_B DIFF.ppm
      The two regions are the same picture outside the score line; fails on any
      differing pixel and writes the differing pixels in red to DIFF.ppm.

Exit status 0 when the check holds, 1 when it does not, 2 on bad input.
"""
import struct
import sys

# The score line sits at the top of the client area, inside the top wall:
# rows SCORE_TOP..SCORE_BOTTOM between the side walls. Its text is drawn with
# whatever outline font each system picks, so it is left out of comparisons.
SCORE_TOP, SCORE_BOTTOM = 16, 72
WALL_INSET = 16


class Picture:
    def __init__(self, width, height, rows):
        self.width, self.height, self.rows = width, height, rows

    def white(self, x, y):
        return self.rows[y][x] == (255, 255, 255)


def read_xwd(path):
    """A 24/32-bit TrueColor ZPixmap XWD file as rows of (r, g, b)."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 100:
        raise ValueError(f"{path}: too short for an XWD picture")
    fields = struct.unpack(">25I", data[:100])
    header_size, version, pixmap_format, depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14:17]
    ncolors = fields[19]
    if version != 7 or pixmap_format != 2 or depth != 24 or bits_per_pixel not in (24, 32):
        raise ValueError(f"{path}: not a 24-bit colour ZPixmap XWD picture")
    pixel_bytes = bits_per_pixel // 8  # Xvfb's pictures pack 24-bit pixels in 3 bytes
    start = header_size + ncolors * 12
    if len(data) < start + bytes_per_line * height:
        raise ValueError(f"{path}: pixel data cut short")
    endian = "little" if byte_order == 0 else "big"

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    rs, gs, bs = shift(red_mask), shift(green_mask), shift(blue_mask)
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * pixel_bytes]
        row = []
        for x in range(0, width * pixel_bytes, pixel_bytes):
            p = int.from_bytes(line[x:x + pixel_bytes], endian)
            row.append(((p & red_mask) >> rs, (p & green_mask) >> gs, (p & blue_mask) >> bs))
        rows.append(row)
    return Picture(width, height, rows)


def crop(picture, region):
    """The part of the picture in REGION, "WxH+X+Y"."""
    try:
        size, x, y = region.split("+")
        width, height = (int(v) for v in size.split("x"))
        x, y = int(x), int(y)
    except ValueError:
        raise ValueError(f"bad region {region!r}: want WxH+X+Y")
    if x < 0 or y < 0 or width <= 0 or height <= 0 or x + width > picture.width or y + height > picture.height:
        raise ValueError(f"region {region} is not on the {picture.width}x{picture.height} screen")
    return Picture(width, height, [row[x:x + width] for row in picture.rows[y:y + height]])


def in_score_line(x, y, picture):
    return SCORE_TOP <= y < SCORE_BOTTOM and WALL_INSET <= x < picture.width - WALL_INSET


def check_board(picture):
    problems = []
    if (picture.width, picture.height) != (640, 480):
        problems.append(f"the client area is {picture.width}x{picture.height}, not 640x480")
        return problems
    # The wall ring: the bounding box of all white pixels below the score
    # line's top, whose outermost rows and columns are white all along.
    white = [(x, y) for y in range(picture.height) for x in range(picture.width) if picture.white(x, y)]
    if not white:
        return ["the picture is all black"]
    left = min(x for x, _ in white)
    right = max(x for x, _ in white)
    top = min(y for _, y in white)
    bottom = max(y for _, y in white)
    if right - left < 400 or bottom - top < 300:
        problems.append(f"no board: the white pixels span only {left}..{right} x {top}..{bottom}")
    for x in range(left, right + 1):
        if not (picture.white(x, top) and picture.white(x, bottom)):
            problems.append(f"the wall ring is open at column {x}")
            break
    for y in range(top, bottom + 1):
        if not (picture.white(left, y) and picture.white(right, y)):
            problems.append(f"the wall ring is open at row {y}")
            break
    score = sum(1 for x, y in white if in_score_line(x, y, picture))
    if score < 50:
        problems.append(f"no score line: {score} white pixels at the top inside the walls")
    inside = sum(1 for x, y in white
                 if left + WALL_INSET <= x <= right - WALL_INSET and SCORE_BOTTOM <= y <= bottom - WALL_INSET)
    if inside == 0:
        problems.append("nothing on the board: no snake and no food")
    return problems


def compare(a, b, diff_path):
    if (a.width, a.height) != (b.width, b.height):
        return [f"sizes differ: {a.width}x{a.height} and {b.width}x{b.height}"], 0
    differing = []
    for y in range(a.height):
        for x in range(a.width):
            if not in_score_line(x, y, a) and a.rows[y][x] != b.rows[y][x]:
                differing.append((x, y))
    with open(diff_path, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (a.width, a.height))
        marked = set(differing)
        for y in range(a.height):
            row = bytearray()
            for x in range(a.width):
                if (x, y) in marked:
                    row += b"\xff\x00\x00"
                elif in_score_line(x, y, a):
                    row += b"\x20\x20\x40"
                else:
                    row += bytes(a.rows[y][x])
            f.write(row)
    problems = []
    if differing:
        xs = [x for x, _ in differing]
        ys = [y for _, y in differing]
        problems.append(f"{len(differing)} pixels differ outside the score line, within "
                        f"{min(xs)}..{max(xs)} x {min(ys)}..{max(ys)} (first at {differing[0]})")
    compared = a.width * a.height - sum(1 for y in range(a.height) for x in range(a.width) if in_score_line(x, y, a))
    return problems, compared


def main(args):
    try:
        if len(args) == 3 and args[0] == "board":
            problems = check_board(crop(read_xwd(args[1]), args[2]))
            summary = "the walled board and the score are shown"
        elif len(args) == 6 and args[0] == "compare":
            problems, compared = compare(crop(read_xwd(args[1]), args[2]), crop(read_xwd(args[3]), args[4]), args[5])
            summary = f"the same picture outside the score line ({compared} pixels compared)"
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except (OSError, ValueError) as error:
        print(f"screen.py: {error}", file=sys.stderr)
        return 2
    for problem in problems:
        print(f"screen.py: {problem}", file=sys.stderr)
    if not problems:
        print(f"screen.py: {summary}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
