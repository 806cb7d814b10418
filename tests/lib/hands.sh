# shellcheck shell=bash
# The player's hands: shell helpers for driving the game as a player would,
# on the X display in DISPLAY, with xdotool: find windows by their title,
# hold keys down as a hand does, measure windows, take pictures of the
# screen, wait for the game to end. Sourced by the end-to-end scripts of the
# Linux build (tests/e2e) and of the Windows build under Wine
# (tests/windows). Scripts set `game` to the game's process id once it runs;
# waiting for a window gives up early when that process has ended.

# The game window's title.
title="Quellor, coded by r0vane"

# A scratch folder in `work`, removed at exit together with a game still
# running (`game`, its process id, empty while none runs).
work="${work:-$(mktemp -d)}"
game=""
HandsCleanup() {
  if [ -n "$game" ] && kill -0 "$game" 2>/dev/null; then kill "$game" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap HandsCleanup EXIT

# Window titles are read from the X window tree (xwininfo), which shows the
# titles of Wine's windows and of SDL's message boxes alike.

# X window ids of the viewable windows whose title is exactly TITLE.
FindWindows() {
  local title="$1" id
  for id in $(xwininfo -root -tree 2>/dev/null |
    awk -v want="\"$title\"" 'index($0, want) { split($0, f, " "); if (substr($0, index($0, f[1]) + length(f[1]) + 1, length(want)) == want) print f[1] }'); do
    if xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable"; then
      echo "$id"
    fi
  done
}

# The X window id of the first window whose title is exactly TITLE, waiting
# up to SECONDS for it; fails (with a message) when none appears.
WaitWindow() {
  local title="$1" seconds="${2:-30}" id
  local deadline=$((SECONDS + seconds))
  while [ "$SECONDS" -le "$deadline" ]; do
    id=$(FindWindows "$title" | sed -n 1p)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    if [ -n "${game:-}" ] && ! kill -0 "$game" 2>/dev/null; then
      echo "the game ended while waiting for \"$title\"" >&2
      return 1
    fi
    sleep 0.1
  done
  echo "no window titled \"$title\" within ${seconds}s; windows now:" >&2
  ListWindows >&2
  return 1
}

# True when a viewable window with exactly this title exists now.
HasWindow() {
  [ -n "$(FindWindows "$1")" ]
}

# Every named window, for messages.
ListWindows() {
  xwininfo -root -tree 2>/dev/null | grep -E '^ +0x[0-9a-f]+ "' | grep -v '"Default IME"' || true
}

# Gives WINDOW the keyboard focus and holds KEY down for a moment: the game
# reads Escape and F1 in its frame pass, so a key must stay down across one.
HoldKey() {
  local window="$1" key="$2"
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  sleep 0.2
  xdotool keydown "$key"
  sleep 0.25
  xdotool keyup "$key"
}

# Waits up to SECONDS for WINDOW to go away or stop being viewable.
WaitGone() {
  local window="$1" seconds="${2:-10}"
  local deadline=$((SECONDS + seconds))
  while [ "$SECONDS" -le "$deadline" ]; do
    xwininfo -id "$window" 2>/dev/null | grep -q "IsViewable" || return 0
    sleep 0.1
  done
  echo "window $window still there after ${seconds}s" >&2
  return 1
}

# Width and height of a window's client area, "WxH".
WindowSize() {
  WindowRegion "$1" | cut -d+ -f1
}

# Where a window's client area is on the screen, "WxH+X+Y": the window
# itself, or, when Wine draws the window's frame, the child window it keeps
# for the client area (where OpenGL draws).
WindowRegion() {
  local child
  child=$(xwininfo -id "$1" -children | awk '/^     0x[0-9a-f]+/ {print $1; exit}')
  if [ -n "$child" ]; then
    OuterRegion "$child"
  else
    OuterRegion "$1"
  fi
}

# The same as four words, "W H X Y".
WindowGeometry() {
  WindowRegion "$1" | tr 'x+' '  '
}

# Where a window is on the screen, frame included, "WxH+X+Y".
OuterRegion() {
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
    /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w "x" h "+" x "+" y}'
}

# A picture of the whole screen (the game draws with OpenGL into a child
# window on some systems, which a picture of the window alone leaves black).
TakePicture() {
  xwd -root -silent >"$1"
}

# Waits up to SECONDS for process PID (a child of this shell) to end and
# sets exitStatus to its status; fails when it is still running. Call it
# directly, not in $(...): only this shell can collect its child's status.
# shellcheck disable=SC2034 # exitStatus is the caller's to read
WaitExit() {
  local pid="$1" seconds="${2:-20}"
  local deadline=$((SECONDS + seconds))
  while kill -0 "$pid" 2>/dev/null; do
    if [ "$SECONDS" -gt "$deadline" ]; then
      echo "the game is still running ${seconds}s later" >&2
      return 1
    fi
    sleep 0.1
  done
  exitStatus=0
  wait "$pid" || exitStatus=$?
}
