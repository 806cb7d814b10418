#!/usr/bin/env bash
# The F1 toggle with a real display-mode switch: the Linux build and the
# Windows build under Wine, one after the other on the same X server with
# real modes (Xorg's dummy driver), timed from outside the same way
# (bench/toggle_timer.py).
#   bench/modes-toggle.sh CYCLES LINUX-GAME WINDOWS-EXE
# Runs itself under tools/with-xorg-dummy.sh. Prints "linux <figure> <ms>"
# and "wine <figure> <ms>" lines, figures to_windowed_ms and to_fullscreen_ms.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ "${QUELLOR_BENCH_XORG:-}" != 1 ]; then
  QUELLOR_BENCH_XORG=1 exec "$root/tools/with-xorg-dummy.sh" "$0" "$@"
fi
cycles="$1"
linux="$2"
exe="$3"
# shellcheck source=../tests/lib/hands.sh
. "$root/tests/lib/hands.sh"
game=""
trap '[ -z "$game" ] || kill "$game" 2>/dev/null || true; HandsCleanup' EXIT

time_build() {  # label command...
  local label="$1"
  shift
  "$@" >/dev/null 2>&1 &
  game=$!
  box=$(WaitWindow "Start FullScreen?" 60)
  HoldKey "$box" Return  # Yes: fullscreen
  # A toggle that does not finish ends this build's run (toggle_timer.py
  # says which); the figures measured until then are kept.
  "$root/bench/toggle_timer.py" "$cycles" | sed "s/^/$label /" ||
    echo "modes-toggle.sh: the $label run stopped early" >&2
  window=$(WaitWindow "Quellor, coded by r0vane" 10)
  HoldKey "$window" Escape
  WaitExit "$game" 20 || kill "$game" 2>/dev/null || true
  game=""
}

time_build linux "$linux"
if [ -f "$exe" ]; then
  # The Wine prefix and server warmed by one start that is not timed.
  time_build wine "$root/tools/wine-run.sh" "$exe" >/dev/null
  time_build wine "$root/tools/wine-run.sh" "$exe"
fi
