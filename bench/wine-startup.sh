#!/usr/bin/env bash
# Start-up to first frame of the Windows build under Wine against the Linux
# build, timed from outside the same way for both, on a virtual display:
#   bench/wine-startup.sh [RUNS] [path/to/quellor.exe] [path/to/linux/quellor]
# (defaults: 5 runs, build/windows/quellor.exe, build/linux/quellor). Runs
# itself on a fresh Xvfb. For each run it notes
#   question  launch until the start-up question is on the screen
#   frame     the No key until the walled board is on the screen
# polling the window tree and the screen (about 20-50 ms resolution), and
# prints the median of each with their sum. The Wine prefix is warmed first
# (one run not counted), as it is on any later start.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ -z "${DISPLAY:-}" ] || [ "${QUELLOR_BENCH_XVFB:-}" != 1 ]; then
  QUELLOR_BENCH_XVFB=1 exec "$root/tools/with-xvfb.sh" --screen 1024x768x24 "$0" "$@"
fi
runs="${1:-5}"
exe="${2:-$root/build/windows/quellor.exe}"
linux="${3:-$root/build/linux/quellor}"
# shellcheck source=../tests/lib/hands.sh
. "$root/tests/lib/hands.sh"


now() { echo "${EPOCHREALTIME/./}"; }  # microseconds

# True when the board's left and top walls are white in the client REGION.
BoardShown() {
  xwd -root -silent >"$work/s.xwd"
  python3 - "$work/s.xwd" "$1" <<'PY'
import struct, sys
d = open(sys.argv[1], "rb").read()
f = struct.unpack(">25I", d[:100])
bpp, bpl, start = f[11] // 8, f[12], f[0] + f[19] * 12
size, x, y = sys.argv[2].split("+")
w, h = (int(v) for v in size.split("x"))
def white(cx, cy):
    o = start + (int(y) + cy) * bpl + (int(x) + cx) * bpp
    return d[o:o + 3] == b"\xff\xff\xff"
sys.exit(0 if white(6, h // 2) and white(w // 2, 6) else 1)
PY
}

# One run: prints "question_us frame_us".
Run() {
  local noKey="$1"
  shift
  local t0 t1 t2 box window game
  t0=$(now)
  "$@" &
  game=$!
  while [ -z "$(FindWindows "Start FullScreen?")" ]; do sleep 0.01; done
  t1=$(now)
  box=$(FindWindows "Start FullScreen?" | head -1)
  xdotool windowfocus "$box"
  t1b=$(now)
  xdotool key "$noKey"
  while [ -z "$(FindWindows "Quellor, coded by r0vane")" ]; do sleep 0.01; done
  window=$(FindWindows "Quellor, coded by r0vane" | head -1)
  region=$(WindowRegion "$window")
  until BoardShown "$region"; do :; done
  t2=$(now)
  HoldKey "$window" Escape
  WaitExit "$game" 20 >/dev/null
  echo "$((t1 - t0)) $((t2 - t1b))"
}

Median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

Measure() {
  local name="$1"
  shift
  : >"$work/runs"
  for _ in $(seq 1 "$runs"); do Run "$@" >>"$work/runs"; done
  local q f
  q=$(awk '{print $1}' "$work/runs" | Median)
  f=$(awk '{print $2}' "$work/runs" | Median)
  awk -v name="$name" -v q="$q" -v f="$f" -v n="$runs" '
    {all = all (NR > 1 ? ", " : "") sprintf("%d+%d", $1 / 1000, $2 / 1000)}
    END {printf "%-22s question %5.0f ms   frame after No %5.0f ms   sum %5.0f ms   (median of %d; runs: %s)\n",
         name, q / 1000, f / 1000, (q + f) / 1000, n, all}' "$work/runs"
}

Run n "$root/tools/wine-run.sh" "$exe" >/dev/null  # warm the prefix and the caches
Measure "Windows build (Wine)" n "$root/tools/wine-run.sh" "$exe"
Run Escape "$linux" >/dev/null
Measure "Linux build" Escape "$linux"
