#!/usr/bin/env bash
# Runs a command on a fresh virtual X display (Xvfb, Mesa's software renderer).
#   tools/with-xvfb.sh [--screen WxHxD] command args...
# The display is started on a free number, DISPLAY is set for the command,
# and the server is stopped afterwards; the command's exit status is kept.
set -euo pipefail
screen="1024x768x24"
if [ "${1:-}" = "--screen" ]; then screen="$2"; shift 2; fi

# The server picks the free display number itself (-displayfd) and reports
# it once it accepts connections, so runs started at the same moment (CTest
# runs tests in parallel) never share a display.
report=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${screen}" -nolisten tcp -noreset 3>"$report" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true; rm -f "$report"' EXIT
for _ in $(seq 1 200); do
  [ -s "$report" ] && break
  sleep 0.05
done
n=$(head -n 1 "$report")
[ -n "$n" ] || { echo "with-xvfb.sh: Xvfb did not start" >&2; exit 1; }
# shellcheck source=display-run.sh
. "$(dirname "$0")/display-run.sh"
status=0
RunOnDisplay "$n" "$@" || status=$?
exit "$status"
