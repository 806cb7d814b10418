#!/usr/bin/env bash
# The game's real display-mode switches on an X server that has modes to
# switch (tools/with-xorg-dummy.sh: desktop 1024x768, 640x480 available),
# played with xdotool, and the desktop after every way the game can end.
#   tests/e2e/modes.sh SCENARIO command that starts the game...
# The command is the Linux game, or tools/wine-run.sh with quellor.exe.
# Every scenario answers Yes to the start-up question and first checks the
# fullscreen state: the screen at 640x480 (xrandr), the game's window a
# borderless 640x480 popup at 0,0 (xwininfo) and the cursor hidden over it
# (the server's current cursor image, through XFixes: tests/e2e/cursor_shown.py).
# "The desktop back" means the screen at its size from before the game, in
# pixels and in millimetres (xdpyinfo), and the cursor shown again.
# Scenarios:
#   escape       Escape ends the game with status 0, the desktop back.
#   altf4        Alt+F4 ends it with status 0, the desktop back.
#   f1           F1 brings the desktop back with a framed window, F1 again
#                the fullscreen state, Escape the desktop.
#   signal-NAME  kill -NAME (TERM, INT, HUP, QUIT) ends it with status 0,
#                the desktop back.
#   kill-NAME    kill -NAME (KILL, SEGV): the process ends and the desktop
#                is back within a second of it.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
# shellcheck source=../lib/hands.sh
. "$root/tests/lib/hands.sh"
scenario="$1"
shift

fail() {
  echo "FAIL ($scenario): $*" >&2
  echo "screen: $(ScreenState); windows:" >&2
  ListWindows >&2
  exit 1
}
cleanup() {
  if [ -n "$game" ] && kill -0 "$game" 2>/dev/null; then kill -9 "$game" 2>/dev/null || true; fi
  HandsCleanup
}
trap cleanup EXIT

# "WxH WmmxHmm" of screen 0: its size in pixels and in millimetres.
ScreenState() {
  xdpyinfo 2>/dev/null | awk '/dimensions:/ && !done {gsub(/[()]/, ""); print $2, $4; done = 1}'
}

CursorShown() {
  xdotool mousemove 320 240
  sleep 0.2
  "$here/cursor_shown.py"
}

desktop=$(ScreenState)
[ -n "$desktop" ] || fail "cannot read the screen's size"

IsFullscreen() {
  local window
  window=$(WaitWindow "$title" 60) || fail "no game window"
  for _ in $(seq 1 50); do
    [ "$(ScreenState | cut -d' ' -f1)" = "640x480" ] && break
    sleep 0.1
  done
  [ "$(ScreenState | cut -d' ' -f1)" = "640x480" ] || fail "the screen is $(ScreenState), not 640x480"
  [ "$(OuterRegion "$window")" = "640x480+0+0" ] ||
    fail "the game window is $(OuterRegion "$window"), not a borderless 640x480+0+0 popup"
  [ "$(CursorShown)" = "hidden" ] || fail "the cursor is shown over the fullscreen window"
  echo "$window"
}

# The desktop is back within SECONDS (default 5).
DesktopBack() {
  local seconds="${1:-5}" now
  local deadline=$((SECONDS + seconds))
  while :; do
    now=$(ScreenState)
    [ "$now" = "$desktop" ] && break
    [ "$SECONDS" -lt "$deadline" ] || fail "the screen is $now after the game, not the desktop's $desktop"
    sleep 0.05
  done
  [ "$(CursorShown)" = "shown" ] || fail "the cursor is still hidden"
}

# A command started with & by a shell without job control has SIGINT and
# SIGQUIT ignored; the game gets them as a terminal would give them.
env --default-signal=INT,QUIT "$@" &
game=$!
box=$(WaitWindow "Start FullScreen?" 60) || fail "the start-up question did not come"
HoldKey "$box" Return  # Yes
window=$(IsFullscreen)

case "$scenario" in
  escape | altf4)
    if [ "$scenario" = escape ]; then HoldKey "$window" Escape; else HoldKey "$window" alt+F4; fi
    WaitExit "$game" 20 || fail "the game did not end"
    game=""
    [ "$exitStatus" = 0 ] || fail "exit status $exitStatus, not 0"
    DesktopBack
    ;;
  f1)
    HoldKey "$window" F1
    DesktopBack
    for _ in $(seq 1 100); do
      window=$(FindWindows "$title" | sed -n 1p)
      if [ -n "$window" ] && { [ "$(OuterRegion "$window")" != "$(WindowRegion "$window")" ] ||
        [ "$(OuterRegion "$window" | cut -d+ -f2-)" != "0+0" ]; }; then break; fi
      sleep 0.1
    done
    [ -n "$window" ] || fail "no game window after F1"
    [ "$(WindowSize "$window")" = "640x480" ] || fail "the window after F1 is $(WindowSize "$window"), not 640x480"
    [ "$(OuterRegion "$window")" != "640x480+0+0" ] || fail "the window after F1 is still the fullscreen popup"
    HoldKey "$window" F1
    window=$(IsFullscreen)
    HoldKey "$window" Escape
    WaitExit "$game" 20 || fail "the game did not end"
    game=""
    [ "$exitStatus" = 0 ] || fail "exit status $exitStatus, not 0"
    DesktopBack
    ;;
  signal-* | kill-*)
    signal="${scenario#*-}"
    kill -s "$signal" "$game"
    WaitExit "$game" 20 || fail "the game did not end on SIG$signal"
    game=""
    if [ "${scenario%%-*}" = signal ]; then
      [ "$exitStatus" = 0 ] || fail "exit status $exitStatus after SIG$signal, not 0"
      DesktopBack
    else
      DesktopBack 1  # the process is gone: the watcher gives the desktop back
    fi
    ;;
  *)
    echo "modes.sh: unknown scenario $scenario" >&2
    exit 2
    ;;
esac
echo "PASS ($scenario)"
