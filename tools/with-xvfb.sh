#!/usr/bin/env bash
# Runs a command on a fresh virtual X display (Xvfb, Mesa's software renderer).
#   tools/with-xvfb.sh [--screen WxHxD] command args...
# The display is started on a free number, DISPLAY is set for the command,
# and the server is stopped afterwards; the command's exit status is kept.
set -euo pipefail
screen="1024x768x24"
if [ "${1:-}" = "--screen" ]; then screen="$2"; shift 2; fi

n=90
while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
Xvfb ":${n}" -screen 0 "${screen}" -nolisten tcp -noreset >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
  [ -e "/tmp/.X11-unix/X${n}" ] && break
  sleep 0.05
done
export DISPLAY=":${n}"
export LIBGL_ALWAYS_SOFTWARE=1
unset WAYLAND_DISPLAY
set +e
"$@"
status=$?
exit $status
