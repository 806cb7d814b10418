#!/usr/bin/env bash
# Resident memory of the real game over a long run: starts the game on the X
# display in DISPLAY, answers No to the start-up question (a window, as most
# play), leaves it running and reads its VmRSS every INTERVAL seconds.
#   bench/memory-run.sh GAME MINUTES [INTERVAL]
# Prints "rss_kb <seconds since the window opened> <kB>" per reading, then
# "rss_slope_kb_per_min <kB>", the least-squares slope of the readings from
# minute 1 on, and "rss_growth_kb <kB>", the last reading less the first one
# at or after minute 1. Ends the game with Escape afterwards.
set -euo pipefail
game="$1"
minutes="$2"
interval="${3:-10}"
. "$(cd "$(dirname "$0")/.." && pwd)/tests/windows/play.sh"

"$game" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
box=$(WaitWindow "Start FullScreen?" 30)
HoldKey "$box" Escape  # No
window=$(WaitWindow "Quellor, coded by r0vane" 30)
start=$SECONDS
end=$((start + minutes * 60))
readings=$(mktemp)
while :; do
  now=$((SECONDS - start))
  rss=$(awk '$1 == "VmRSS:" {print $2}' "/proc/$pid/status" 2>/dev/null || true)
  [ -n "$rss" ] || { echo "memory-run.sh: the game ended after ${now}s" >&2; exit 1; }
  echo "rss_kb $now $rss" | tee -a "$readings"
  [ "$SECONDS" -lt "$end" ] || break
  sleep "$interval"
done
awk '$2 >= 60 {n++; sx += $2 / 60; sy += $3; sxx += ($2 / 60) ^ 2; sxy += $2 / 60 * $3
               if (!first) first = $3; last = $3}
     END {if (n > 1) printf "rss_slope_kb_per_min %.1f\nrss_growth_kb %d\n", (n * sxy - sx * sy) / (n * sxx - sx * sx), last - first}' \
  "$readings"
rm -f "$readings"
HoldKey "$window" Escape
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
