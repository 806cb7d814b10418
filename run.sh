#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it. Without a display
# (no DISPLAY and no WAYLAND_DISPLAY) it plays a short demo on a virtual one
# instead and keeps screenshots of it under build/demo.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
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
