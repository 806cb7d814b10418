#!/usr/bin/env bash
# Runs a command on a fresh X server with real display modes: Xorg with the
# dummy video driver (tools/xorg-dummy.conf: 1024x768 desktop, 800x600 and
# 640x480 to switch to with XRandR, no input devices), Mesa's software
# renderer for OpenGL.
#   tools/with-xorg-dummy.sh command args...
# The server runs with a config and a log of its own (the log is kept in a
# temporary directory and shown if the server does not start), on the first
# free display number from :50 on; DISPLAY is set for the command, the server is
# stopped afterwards and the command's exit status is kept. Needs root (Xorg
# with a config outside /etc) and the packages of tools/deps/xorg-tests.txt;
# without them it says what is missing and exits 77 (CTest: skipped).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
config="$root/tools/xorg-dummy.conf"
command -v Xorg >/dev/null || { echo "with-xorg-dummy.sh: Xorg is not installed (see tools/deps/xorg-tests.txt)" >&2; exit 77; }
[ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] ||
  { echo "with-xorg-dummy.sh: the dummy video driver is not installed (xserver-xorg-video-dummy)" >&2; exit 77; }
[ "$(id -u)" = 0 ] || { echo "with-xorg-dummy.sh: Xorg with a config of its own needs root" >&2; exit 77; }

work=$(mktemp -d)
server=""
stop() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    for _ in $(seq 1 50); do kill -0 "$server" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop EXIT

# Display numbers from :50 up are tried in turn (never :0, which -displayfd
# alone would take when it is free); a number whose lock or socket exists is
# skipped, and one that another server takes first makes this one end, so
# the next is tried. The server reports on fd 3 once it accepts connections.
n=""
for candidate in $(seq 50 99); do
  [ -e "/tmp/.X${candidate}-lock" ] || [ -e "/tmp/.X11-unix/X${candidate}" ] && continue
  : >"$work/display"
  Xorg ":${candidate}" -displayfd 3 -config "$config" -logfile "$work/Xorg.log" -noreset -nolisten tcp \
    3>"$work/display" >"$work/stderr" 2>&1 &
  server=$!
  for _ in $(seq 1 300); do
    [ -s "$work/display" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.05
  done
  if [ -s "$work/display" ]; then
    n=$(head -n 1 "$work/display")
    break
  fi
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  server=""
done
if [ -z "$n" ]; then
  echo "with-xorg-dummy.sh: Xorg did not start; its log:" >&2
  cat "$work/Xorg.log" "$work/stderr" >&2 2>/dev/null || true
  exit 1
fi
# shellcheck source=display-run.sh
. "$(dirname "$0")/display-run.sh"
status=0
RunOnDisplay "$n" "$@" || status=$?
exit "$status"
