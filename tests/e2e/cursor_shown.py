#!/usr/bin/env python3
"""Whether the X server draws a cursor where the pointer is: reads the
current cursor image through XFixes and prints "shown" if any of its pixels
is not fully transparent, "hidden" if none is (a blank cursor, as a program
that hides the cursor sets on its window). Exits 2 if it cannot tell."""
import ctypes
import ctypes.util
import sys


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def main():
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    fixes = ctypes.CDLL(ctypes.util.find_library("Xfixes") or "libXfixes.so.3")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    fixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    fixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    fixes.XFixesQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                           ctypes.POINTER(ctypes.c_int)]
    display = x11.XOpenDisplay(None)
    if not display:
        print("cannot open the display", file=sys.stderr)
        return 2
    event, error = ctypes.c_int(), ctypes.c_int()
    if not fixes.XFixesQueryExtension(display, ctypes.byref(event), ctypes.byref(error)):
        print("no XFixes on the display", file=sys.stderr)
        return 2
    image = fixes.XFixesGetCursorImage(display)
    if not image:
        print("no cursor image", file=sys.stderr)
        return 2
    c = image.contents
    shown = any((c.pixels[i] >> 24) & 0xFF for i in range(c.width * c.height))
    print("shown" if shown else "hidden")
    return 0


sys.exit(main())
