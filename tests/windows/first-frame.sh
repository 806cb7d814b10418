#!/usr/bin/env bash
# The first frame of the Windows build under Wine and of the Linux build, on
# the same X display (DISPLAY), are the same picture outside the score line.
#   first-frame.sh path/to/quellor.exe path/to/linux/quellor [KEEP_DIR]
# Each game is answered No (windowed) and pictured once its board is shown;
# the snake stands until the first arrow key, so every frame before that is
# the first frame. The score line is left out: the two systems pick different
# fonts for the same request. Pictures and the difference (red) are kept in
# KEEP_DIR when given. Exit status 77 when the Linux game is not built.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
# shellcheck source=../lib/hands.sh
. "$root/tests/lib/hands.sh"
exe="$1"
linux="${2:-}"
keep="${3:-}"
if [ -z "$linux" ] || [ ! -x "$linux" ]; then
  echo "first-frame.sh: no Linux game (\"$linux\"); build the linux preset and name it in QUELLOR_LINUX_GAME" >&2
  exit 77
fi
fail() {
  echo "FAIL (first frame): $*" >&2
  exit 1
}


# Starts a game, answers No with NO_KEY, pictures its board into PICTURE and
# ends it with Escape; sets `region` to where its client area was.
Picture() {
  local name="$1" noKey="$2" picture="$3"
  shift 3
  "$@" &
  game=$!
  local box window tries
  box=$(WaitWindow "Start FullScreen?" 60) || fail "$name: the start-up question did not come"
  HoldKey "$box" "$noKey"
  # A window found may be gone a moment later when the system makes it anew
  # (Wine does, for another visual): then it is looked for again.
  region=""
  for tries in $(seq 1 20); do
    window=$(WaitWindow "$title" 60) || fail "$name: no game window after No"
    if region=$(WindowRegion "$window" 2>/dev/null); then break; fi
    region=""
    sleep 0.25
  done
  [ -n "$region" ] || fail "$name: the game window kept going away"
  for tries in $(seq 1 60); do
    TakePicture "$picture"
    if "$here/screen.py" board "$picture" "$region" >/dev/null 2>&1; then break; fi
    [ "$tries" -lt 60 ] || fail "$name: the board never showed"
    sleep 0.25
  done
  HoldKey "$window" Escape
  WaitExit "$game" 20 || fail "$name: Escape did not end the game"
  game=""
}

Picture "Windows build under Wine" n "$work/windows.xwd" "$root/tools/wine-run.sh" "$exe"
windowsRegion="$region"
Picture "Linux build" Escape "$work/linux.xwd" "$linux"
linuxRegion="$region"

status=0
"$here/screen.py" compare "$work/windows.xwd" "$windowsRegion" "$work/linux.xwd" "$linuxRegion" \
  "$work/difference.ppm" || status=$?
if [ -n "$keep" ]; then
  mkdir -p "$keep"
  cp "$work/windows.xwd" "$work/linux.xwd" "$work/difference.ppm" "$keep/"
  echo "pictures kept in $keep (windows.xwd $windowsRegion, linux.xwd $linuxRegion)"
fi
[ "$status" -eq 0 ] || fail "the two first frames differ on the board"
echo "PASS (first frame)"
