#!/usr/bin/env bash
# Installs what the game needs, builds the game (not the tests) and starts it.
# Without a display (no DISPLAY and no WAYLAND_DISPLAY) it installs a virtual
# display and plays a short demo on it instead, keeping screenshots of it
# under build/demo.
#
#   ./run.sh --web [PORT]   builds the browser build instead and serves its
#                           page on http://127.0.0.1:PORT/ (8080 by default)
#                           until Ctrl+C
set -euo pipefail
cd "$(dirname "$0")"

if [ "${1:-}" = "--web" ]; then
  port="${2:-8080}"
  case "$port" in
    '' | *[!0-9]*) echo "run.sh: --web wants a port number, not \"$port\"" >&2; exit 2 ;;
  esac
  tools/install-deps.sh web
  tools/web-deps.sh
  cmake --preset web -DQUELLOR_TESTS=OFF >/dev/null
  cmake --build --preset web --target quellor
  cat <<KEYS
Open http://127.0.0.1:$port/ in a browser. The game first asks whether to
run fullscreen (OK: fullscreen, which a browser grants only after a key
press, so it offers a window instead; Cancel: a window).
  arrow keys   steer the snake
  F1           switch between a window and fullscreen
  Escape       quit
KEYS
  exec python3 tools/serve-web.py build/web "$port"
fi
display=no
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then display=yes; fi
if [ "$display" = yes ]; then
  tools/install-deps.sh game
else
  tools/install-deps.sh game demo
fi
cmake --preset linux -DQUELLOR_TESTS=OFF >/dev/null
cmake --build --preset linux --target quellor

if [ "$display" = yes ]; then
  cat <<'KEYS'
Starting Quellor. It first asks whether to run fullscreen (Yes: a 640x480
display mode; No: a 640x480 window).
  arrow keys   steer the snake
  F1           switch between windowed and fullscreen
  Escape       quit
KEYS
  exec build/linux/quellor
fi

echo "No display here: playing a short demo on a virtual display (answering No, steering with the arrow keys)."
rm -rf build/demo
set +e
tools/with-xvfb.sh tests/e2e/play.sh demo build/linux/quellor build/demo
status=$?
set -e
echo "Screenshots of the demo: $(pwd)/build/demo/"
ls build/demo/*.png 2>/dev/null | sed 's/^/  /'
echo "Exit status: $status"
exit "$status"
