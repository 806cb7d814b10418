#!/usr/bin/env bash
# Plays quellor.exe under Wine on the X display in DISPLAY, as a player would.
#   wine-play.sh SCENARIO path/to/quellor.exe path/to/box_text.exe
# Scenarios:
#   windowed  No to the start-up question: a framed window with a 640x480
#             client area shows the walled board and the score; the Up arrow
#             sets the snake moving; Escape ends the program with status 0.
#   fallback  Yes, on a display without a 640x480 mode: the "not supported"
#             question comes ("Orvo GL"); Yes opens the window windowed
#             (framed, 640x480 client area, the board shown);
#             Escape ends the program with status 0.
#   fullscreen  Yes, on a display of 640x480: a borderless 640x480 window at
#             the screen's corner shows the board; F1 brings it back as a
#             framed window; Escape ends the program with status 0.
#   declined  Yes, then No to "Orvo GL": the "ERROR" notice comes and no game
#             window ever opens; OK ends the program with status 1, the
#             status of a program that could not open its window.
# Each message box's text and buttons are read off the Windows side with
# box_text.exe. Wine's message boxes take Return for their default (first)
# button, Yes or OK, and the N key for No.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
# shellcheck source=../lib/hands.sh
. "$root/tests/lib/hands.sh"
scenario="$1"
exe="$2"
boxText="$3"
fail() {
  echo "FAIL ($scenario): $*" >&2
  ListWindows >&2
  exit 1
}

notSupported='The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?'

# The box titled CAPTION says TEXT (line breaks as \n) and has BUTTONS.
BoxSays() {
  local caption="$1" text="$2" buttons="$3" said shownButtons
  said=$("$root/tools/wine-run.sh" "$boxText" "$caption" | tr -d '\r') || fail "cannot read the box \"$caption\""
  grep -Fxq "Static: $text" <<<"$said" || fail "the box \"$caption\" says"$'\n'"$said"$'\n'"not: $text"
  shownButtons=$(sed -n 's/^Button: //p' <<<"$said" | tr '\n' ' ' | sed 's/ $//')
  [ "$shownButtons" = "$buttons" ] || fail "the box \"$caption\" has the buttons \"$shownButtons\", not \"$buttons\""
}

"$root/tools/wine-run.sh" "$exe" &
game=$!
box=$(WaitWindow "Start FullScreen?" 60) || fail "the start-up question did not come"
BoxSays "Start FullScreen?" "Would You Like To Run In Fullscreen Mode?" "&Yes &No"

ShowsBoard() {
  local window="$1"
  local size
  size=$(WindowSize "$window")
  [ "$size" = "640x480" ] || fail "the game window is $size, not 640x480"
  sleep 1
  TakePicture "$work/screen.xwd"
  "$here/screen.py" board "$work/screen.xwd" "$(WindowRegion "$window")" ||
    fail "the window does not show the walled board and the score"
}

IsFramed() {
  [ "$(OuterRegion "$1")" != "$(WindowRegion "$1")" ] || fail "the window has no frame: it is not windowed"
}

EndsWithEscape() {
  local window="$1"
  HoldKey "$window" Escape
  WaitExit "$game" 20 || fail "Escape did not end the program"
  game=""
  [ "$exitStatus" = "0" ] || fail "the program ended with status $exitStatus after Escape, not 0"
  ! HasWindow "$title" || fail "the game window is still there after the program ended"
}

# Yes to the start-up question on a display without the mode: the "not
# supported" question comes (its window in `question`).
AskedForWindowed() {
  HoldKey "$box" Return
  question=$(WaitWindow "Orvo GL" 60) || fail "no \"not supported\" question after Yes on a display without 640x480"
  BoxSays "Orvo GL" "$notSupported" "&Yes &No"
}

case "$scenario" in
  windowed)
    HoldKey "$box" n
    window=$(WaitWindow "$title" 60) || fail "no game window after No"
    HasWindow "Orvo GL" && fail "a windowed start asked about the fullscreen mode"
    IsFramed "$window"
    ShowsBoard "$window"
    cp "$work/screen.xwd" "$work/standing.xwd"
    HoldKey "$window" Up
    sleep 0.5
    TakePicture "$work/moving.xwd"
    region=$(WindowRegion "$window")
    if "$here/screen.py" compare "$work/standing.xwd" "$region" "$work/moving.xwd" "$region" "$work/diff.ppm" \
      >/dev/null 2>&1; then
      fail "the board did not change after the Up arrow"
    fi
    EndsWithEscape "$window"
    ;;
  fallback)
    AskedForWindowed
    HoldKey "$question" Return
    window=$(WaitWindow "$title" 60) || fail "no game window after Yes to windowed mode"
    IsFramed "$window"
    ShowsBoard "$window"
    EndsWithEscape "$window"
    ;;
  fullscreen)
    HoldKey "$box" Return
    window=$(WaitWindow "$title" 60) || fail "no game window after Yes on a display with a 640x480 mode"
    HasWindow "Orvo GL" && fail "the 640x480 mode was refused"
    [ "$(OuterRegion "$window")" = "640x480+0+0" ] ||
      fail "the fullscreen window is at $(OuterRegion "$window"), not a borderless 640x480+0+0"
    ShowsBoard "$window"
    HoldKey "$window" F1
    for _ in $(seq 1 100); do
      window=$(FindWindows "$title" | sed -n 1p)
      if [ -n "$window" ] && [ "$(OuterRegion "$window")" != "$(WindowRegion "$window")" ]; then break; fi
      sleep 0.1
    done
    [ -n "$window" ] && [ "$(OuterRegion "$window")" != "$(WindowRegion "$window")" ] ||
      fail "F1 did not bring back a framed window"
    EndsWithEscape "$window"
    ;;
  declined)
    AskedForWindowed
    HoldKey "$question" n
    notice=$(WaitWindow "ERROR" 30) || fail "no notice after declining windowed mode"
    BoxSays "ERROR" "Program Will Now Close." "OK"
    HasWindow "$title" && fail "a game window opened although windowed mode was declined"
    HoldKey "$notice" Return
    WaitExit "$game" 20 || fail "the program did not end after the notice"
    game=""
    [ "$exitStatus" = "1" ] || fail "the program ended with status $exitStatus, not 1"
    ;;
  *)
    echo "wine-play.sh: unknown scenario $scenario" >&2
    exit 2
    ;;
esac
echo "PASS ($scenario)"
