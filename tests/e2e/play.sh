#!/usr/bin/env bash
# The real game on a virtual X display, played through xdotool as a player
# would: the start-up question answered by key, the window measured, the
# picture checked, the snake steered, F1 and Escape pressed.
#   tests/e2e/play.sh <scenario> <path to quellor> [directory for screenshots]
# Run it under tools/with-xvfb.sh: "windowed" and "fallback" want a display
# without a 640x480 mode (1024x768x24), "fullscreen" one with it (640x480x24).
# "signals" ends the game with signals, "closed-outside" by destroying its
# window from another client. "demo" plays a short game for
# ./run.sh and keeps a picture of each turn.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=../lib/hands.sh
. "$here/../lib/hands.sh"
scenario="$1"
binary="$2"
shots="${3:-$(mktemp -d)}"
mkdir -p "$shots"

fail() {
  echo "FAIL ($scenario): $*" >&2
  exit 1
}

screenshot() {
  import -window root "$1"
}

# Brightness (0-255, the grey of the pixel) at x y of a picture.
pixel() {
  convert "$1" -colorspace Gray -format "%[fx:int(255*p{$2,$3})]" info:
}

# How many pixels of the w x h area at x y are bright (above half).
bright_count() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace Gray -threshold 50% -format "%[fx:int(mean*w*h+0.5)]" info:
}

# Number of pixels that differ between two pictures in the area w x h at x y.
difference() {
  convert "$1" -crop "$4x$5+$2+$3" +repage "$work/a.png"
  convert "$6" -crop "$4x$5+$2+$3" +repage "$work/b.png"
  compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 || true
}

# Points off the screen (a windowed window on a small screen hangs over
# its edges) cannot be seen in a screenshot and are not checked.
read -r screen_w screen_h < <(xwininfo -root | awk '/^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print w, h}')
on_screen() { [ "$1" -lt "$screen_w" ] && [ "$2" -lt "$screen_h" ]; }
expect_bright() {
  on_screen "$2" "$3" || return 0
  [ "$(pixel "$1" "$2" "$3")" -gt 127 ] || fail "$4: pixel $2,$3 of $1 is not white"
}
expect_dark() {
  on_screen "$2" "$3" || return 0
  [ "$(pixel "$1" "$2" "$3")" -lt 64 ] || fail "$4: pixel $2,$3 of $1 is not black"
}

# The picture of a running game whose client area starts at ox, oy: the
# walls all round, the interior black and the score line in the upper left;
# with a fourth argument "start", the snake where a game starts.
check_board() {
  local shot="$1" ox="$2" oy="$3" at="${4:-}"
  expect_bright "$shot" $((ox + 7)) $((oy + 300)) "left wall"
  expect_bright "$shot" $((ox + 632)) $((oy + 300)) "right wall"
  expect_bright "$shot" $((ox + 450)) $((oy + 8)) "top wall"
  expect_bright "$shot" $((ox + 450)) $((oy + 471)) "bottom wall"
  expect_dark "$shot" $((ox + 500)) $((oy + 360)) "interior"
  expect_dark "$shot" $((ox + 560)) $((oy + 120)) "interior"
  local snake text
  if [ "$at" = start ]; then
    snake=$(bright_count "$shot" $((ox + 250)) $((oy + 232)) 150 16)
    [ "$snake" -gt 200 ] || fail "no snake in the middle row ($snake bright pixels)"
  fi
  text=$(bright_count "$shot" $((ox + 20)) $((oy + 20)) 260 60)
  [ "$text" -gt 400 ] || fail "no score line in the upper left ($text bright pixels)"
}

# Takes pictures into SHOT until the board shows in them (the first frame
# may take a while on a loaded machine), then checks the last one for real.
picture_board() {
  local shot="$1"
  shift
  for _ in $(seq 1 40); do
    screenshot "$shot"
    (check_board "$shot" "$@") >/dev/null 2>&1 && return 0
    sleep 0.25
  done
  check_board "$shot" "$@"
}

start_game() {
  "$binary" &
  game=$!
}

# Starts the game and answers the start-up question with KEY (Return: Yes,
# Escape: No).
start_and_answer() {
  start_game
  HoldKey "$(window "Start FullScreen?")" "$1"
}

window() {
  WaitWindow "$1" "${2:-20}" || fail "no window \"$1\""
}

# Ends the game with Escape in its window and checks the exit status is 0.
quit_with_escape() {
  HoldKey "$1" Escape
  WaitExit "$game" 10 || fail "the game did not end on Escape"
  game=""
  [ "$exitStatus" -eq 0 ] || fail "exit status $exitStatus after Escape"
}

case "$scenario" in
  windowed)
    start_and_answer Escape
    win=$(window "$title")
    read -r w h x y < <(WindowGeometry "$win")
    [ "$w" = 640 ] && [ "$h" = 480 ] || fail "client area ${w}x${h}, not 640x480"
    picture_board "$shots/windowed-1.png" "$x" "$y" start
    HoldKey "$win" Right
    sleep 1
    picture_board "$shots/windowed-2.png" "$x" "$y"
    # The snake has run right: the middle band to the right of its start
    # changed, the area far from it did not (apart from the score).
    moved=$(difference "$shots/windowed-1.png" $((x + 340)) $((y + 225)) 280 30 "$shots/windowed-2.png")
    [ "$moved" -gt 100 ] || fail "the snake did not move right ($moved pixels changed)"
    still=$(difference "$shots/windowed-1.png" $((x + 40)) $((y + 300)) 560 160 "$shots/windowed-2.png")
    [ "$still" -lt 50 ] || fail "the lower board changed ($still pixels)"
    quit_with_escape "$win"
    ;;
  fallback)
    start_and_answer Return
    box=$(window "Orvo GL")
    HoldKey "$box" Return  # Yes: windowed instead
    win=$(window "$title")
    read -r w h x y < <(WindowGeometry "$win")
    [ "$w" = 640 ] && [ "$h" = 480 ] || fail "client area ${w}x${h}, not 640x480"
    [ "$x $y" != "0 0" ] || fail "the window has no frame: not windowed"
    picture_board "$shots/fallback.png" "$x" "$y" start
    quit_with_escape "$win"
    ;;
  fullscreen)
    start_and_answer Return
    win=$(window "$title")
    read -r w h x y < <(WindowGeometry "$win")
    [ "$w $h $x $y" = "$screen_w $screen_h 0 0" ] ||
      fail "the window ($w x $h at $x,$y) does not cover the ${screen_w}x${screen_h} screen"
    picture_board "$shots/fullscreen-1.png" 0 0 start
    HoldKey "$win" F1
    WaitGone "$win" || fail "the window stayed after F1"
    # Windowed: the client area sits inside the window frame, no longer at
    # the screen's corner (the new window may take a moment to settle there).
    for _ in $(seq 1 50); do
      win=$(window "$title")
      read -r w h x y < <(WindowGeometry "$win")
      [ "$x $y" != "0 0" ] && break
      sleep 0.1
    done
    [ "$w" = 640 ] && [ "$h" = 480 ] || fail "client area ${w}x${h} after F1, not 640x480"
    [ "$x $y" != "0 0" ] || fail "the window after F1 still covers the screen"
    picture_board "$shots/fullscreen-2.png" "$x" "$y" start
    # The game goes on in the new window: the snake runs up when told to.
    HoldKey "$win" Up
    sleep 0.6
    screenshot "$shots/fullscreen-3.png"
    moved=$(difference "$shots/fullscreen-2.png" $((x + 250)) $((y + 20)) 150 230 "$shots/fullscreen-3.png")
    [ "$moved" -gt 100 ] || fail "the game stands after F1 ($moved pixels changed)"
    quit_with_escape "$win"
    ;;
  signals)
    # SIGTERM, SIGINT, SIGHUP and SIGQUIT end the game as its close box
    # does (status 0, the window gone), during play and while the start-up
    # question is up (the box closes, as its close box would, and the game
    # that opens ends too).
    for signal in TERM INT HUP QUIT; do
      for moment in play question; do
        # Started with every signal's default, as from a terminal or a desktop
        # (a background job of a script starts with SIGINT and SIGQUIT ignored).
        env --default-signal=INT,QUIT "$binary" &
        game=$!
        box=$(window "Start FullScreen?")
        if [ "$moment" = play ]; then
          HoldKey "$box" Escape  # No
          window "$title" >/dev/null
          sleep 0.5
        fi
        kill -s "$signal" "$game"
        WaitExit "$game" 3 || fail "SIG$signal during $moment did not end the game"
        game=""
        [ "$exitStatus" -eq 0 ] || fail "exit status $exitStatus after SIG$signal during $moment"
        ! HasWindow "$title" || fail "a game window is left after SIG$signal during $moment"
        ! HasWindow "Start FullScreen?" || fail "the question is left after SIG$signal during $moment"
      done
    done
    ;;
  closed-outside)
    # Another client destroys the game window (as a window manager's kill
    # might): the game takes it as its close command and ends with 0.
    start_and_answer Escape
    win=$(window "$title")
    sleep 0.5
    xdotool windowclose "$win"
    WaitExit "$game" 5 || fail "the game did not end when its window was destroyed"
    game=""
    [ "$exitStatus" -eq 0 ] || fail "exit status $exitStatus after the window was destroyed"
    ;;
  demo)
    # A short game for ./run.sh: a few turns round the middle of the board,
    # a picture of the game window after each.
    start_and_answer Escape
    win=$(window "$title")
    sleep 1
    n=1
    import -window "$win" "$shots/demo-$n.png"
    for step in "Up 0.5" "Left 0.6" "Down 0.9" "Right 0.5" "Up 0.4"; do
      read -r key hold <<<"$step"
      HoldKey "$win" "$key"
      sleep "$hold"
      n=$((n + 1))
      import -window "$win" "$shots/demo-$n.png"
    done
    HoldKey "$win" Escape
    WaitExit "$game" 10 || fail "the game did not end on Escape"
    game=""
    echo "The game ended with exit status $exitStatus."
    exit "$exitStatus"
    ;;
  *)
    fail "unknown scenario"
    ;;
esac
echo "ok ($scenario): screenshots in $shots"
