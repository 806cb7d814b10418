// What the X server shows: the colour (0xRRGGBB) at a point of the client
// area of an overlapped window made at 0, 0 with a 640x480 client area,
// counted from the bottom-left as OpenGL counts; ~0 when it cannot be read.
#pragma once

unsigned long ScreenPixel(int x, int y);
