#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux
if [ ! -x build/linux/quellor ]; then
  echo "The game shell is not built yet: the game rules and the frame clock are, and ./test.sh tests them."
  exit 0
fi
exec build/linux/quellor
