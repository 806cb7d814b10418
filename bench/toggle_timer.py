#!/usr/bin/env python3
"""Times the game's F1 toggle from outside, the same way for any build, on an
X server with real modes (tools/with-xorg-dummy.sh):

    bench/toggle_timer.py CYCLES

The game must be running fullscreen (the question answered Yes). For each of
CYCLES cycles: F1 goes down through XTEST on the game's focused window, and
the time is taken until the screen is back at the desktop's size with a
framed 640x480 game window viewable ("to_windowed_ms"), F1 is let go; then
F1 again until the screen is at 640x480 with a borderless 640x480 window at
0,0 viewable ("to_fullscreen_ms"). One X connection polls the root window's
size and the window tree (well under a millisecond a poll), so the figures
are the game's own work plus less than a millisecond. Prints one figure per
line; a press that changes nothing within 5 seconds is reported as
"lost_press <figure>" and made again; exits 1 after three lost presses."""
import ctypes
import ctypes.util
import sys
import time

TITLE = b"Quellor, coded by r0vane"
x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
Window = ctypes.c_ulong
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = Window
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetGeometry.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window)] + \
    [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
x11.XQueryTree.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                           ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
x11.XFetchName.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(ctypes.c_char_p)]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XSetInputFocus.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_ulong]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XTranslateCoordinates.argtypes = [ctypes.c_void_p, Window, Window, ctypes.c_int, ctypes.c_int,
                                      ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                                      ctypes.POINTER(Window)]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]


class WindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", Window), ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(WindowAttributes)]
# Windows come and go while the tree is read: errors about them are expected.
ErrorHandler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
ignore_errors = ErrorHandler(lambda d, e: 0)
x11.XSetErrorHandler.argtypes = [ErrorHandler]
x11.XSetErrorHandler(ignore_errors)
display = x11.XOpenDisplay(None)
if not display:
    sys.exit("toggle_timer: cannot open the display")
root = x11.XDefaultRootWindow(display)
F1 = x11.XKeysymToKeycode(display, 0xFFBE)


def screen_size():
    r, x, y = Window(), ctypes.c_int(), ctypes.c_int()
    w, h, b, d = ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()
    x11.XGetGeometry(display, root, ctypes.byref(r), ctypes.byref(x), ctypes.byref(y), ctypes.byref(w),
                     ctypes.byref(h), ctypes.byref(b), ctypes.byref(d))
    return w.value, h.value


def game_windows():
    """(window, outer x, y, w, h, client w, h) of viewable top-level game windows."""
    found = []
    r, parent = Window(), Window()
    children, count = ctypes.POINTER(Window)(), ctypes.c_uint()
    if not x11.XQueryTree(display, root, ctypes.byref(r), ctypes.byref(parent), ctypes.byref(children),
                          ctypes.byref(count)):
        return found
    for i in range(count.value):
        w = children[i]
        name = ctypes.c_char_p()
        if x11.XFetchName(display, w, ctypes.byref(name)) and name.value == TITLE:
            a = WindowAttributes()
            if x11.XGetWindowAttributes(display, w, ctypes.byref(a)) and a.map_state == 2:
                found.append((w, a.x, a.y, a.width, a.height))
        if name:
            x11.XFree(name)
    if children:
        x11.XFree(children)
    return found


def fullscreen_shown():
    return screen_size() == (640, 480) and any((x, y, w, h) == (0, 0, 640, 480)
                                               for _, x, y, w, h in game_windows())


def windowed_shown(desktop):
    # A framed window is larger than its 640x480 client area (Wine draws the
    # frame in the window) or stands off the corner (SDL's window with no
    # window manager, at the frame's offset).
    return screen_size() == desktop and any((x, y, w, h) != (0, 0, 640, 480) and w >= 640 and h >= 480
                                            for _, x, y, w, h in game_windows())


def press_f1_until(done, limit):
    """Holds F1 down on the game's window until done() or `limit` seconds;
    returns the milliseconds from the key going down, or None."""
    windows = game_windows()
    if windows:
        x11.XSetInputFocus(display, windows[0][0], 1, 0)
    x11.XSync(display, 0)
    time.sleep(0.2)
    start = time.perf_counter()
    xtst.XTestFakeKeyEvent(display, F1, 1, 0)
    x11.XSync(display, 0)
    released = False
    ms = None
    while time.perf_counter() - start < limit:
        if done():
            ms = (time.perf_counter() - start) * 1000
            break
        if not released and time.perf_counter() - start > 0.2:
            # Held across several frame passes (40 ms each), as a hand holds
            # a key, so the game sees it down even when its events come late;
            # let go well before the key would repeat.
            xtst.XTestFakeKeyEvent(display, F1, 0, 0)
            x11.XSync(display, 0)
            released = True
        time.sleep(0.0005)
    if not released:
        xtst.XTestFakeKeyEvent(display, F1, 0, 0)
        x11.XSync(display, 0)
    return ms


def toggle(done, name):
    # A press the game never saw (its window did not have the keyboard yet,
    # on a busy machine) is counted as lost and made again, twice at most.
    for _ in range(3):
        ms = press_f1_until(done, 5)
        if ms is not None:
            print("%s %.1f" % (name, ms), flush=True)
            time.sleep(0.3)
            return
        print("lost_press %s" % name, flush=True)
    sys.exit("toggle_timer: %s did not finish after three presses (screen %s, game windows %s)"
             % (name, screen_size(), [w[1:] for w in game_windows()]))


def main():
    cycles = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    start = time.time()
    while not fullscreen_shown():
        if time.time() - start > 30:
            sys.exit("toggle_timer: the game is not fullscreen")
        time.sleep(0.05)
    time.sleep(0.5)
    desktop = (1024, 768)  # the desktop of tools/xorg-dummy.conf
    for _ in range(cycles):
        toggle(lambda: windowed_shown(desktop), "to_windowed_ms")
        toggle(fullscreen_shown, "to_fullscreen_ms")


main()
