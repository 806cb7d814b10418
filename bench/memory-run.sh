#!/usr/bin/env bash
# Resident memory of the real game over a long run: starts the game on the X
# display in DISPLAY, answers No to the start-up question (a window, as most
# play), leaves it running and reads its VmRSS every INTERVAL seconds.
#   bench/memory-run.sh GAME MINUTES [INTERVAL]
# Prints "rss_kb <seconds since the window opened> <VmRSS kB> <RssAnon kB>"
# per reading, then for both "..._slope_kb_per_min <kB>", the least-squares
# slope of the readings from minute 1 on, and "..._growth_kb <kB>", the last
# reading less the first one at or after minute 1. VmRSS counts the mapped
# libraries too, whose pages the system may drop and read again under memory
# pressure; RssAnon is the process's own memory (heap, stacks, buffers).
# Ends the game with Escape afterwards.
set -euo pipefail
binary="$1"
minutes="$2"
interval="${3:-10}"
# shellcheck source=../tests/lib/hands.sh
. "$(cd "$(dirname "$0")/.." && pwd)/tests/lib/hands.sh"

# The hands' `game` is the running game's process id (it is the one
# HandsCleanup ends), so the program's path has a name of its own.
"$binary" >/dev/null 2>&1 &
pid=$!
game=$pid
trap 'kill "$pid" 2>/dev/null || true; HandsCleanup' EXIT
box=$(WaitWindow "Start FullScreen?" 30)
HoldKey "$box" Escape  # No
window=$(WaitWindow "Quellor, coded by r0vane" 30)
start=$SECONDS
end=$((start + minutes * 60))
readings=$(mktemp)
while :; do
  now=$((SECONDS - start))
  rss=$(awk '$1 == "VmRSS:" {r = $2} $1 == "RssAnon:" {a = $2} END {if (r) print r, a}' "/proc/$pid/status" \
    2>/dev/null || true)
  [ -n "$rss" ] || { echo "memory-run.sh: the game ended after ${now}s" >&2; exit 1; }
  echo "rss_kb $now $rss" | tee -a "$readings"
  [ "$SECONDS" -lt "$end" ] || break
  sleep "$interval"
done
for column in 3 4; do
  awk -v c="$column" -v name="$([ "$column" = 3 ] && echo rss || echo anon)" '
    $2 >= 60 {n++; x = $2 / 60; sx += x; sy += $c; sxx += x * x; sxy += x * $c; if (n == 1) first = $c; last = $c}
    END {if (n > 1) printf "%s_slope_kb_per_min %.1f\n%s_growth_kb %d\n", name,
           (n * sxy - sx * sy) / (n * sxx - sx * sx), name, last - first}' "$readings"
done
rm -f "$readings"
HoldKey "$window" Escape
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
