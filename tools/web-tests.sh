#!/usr/bin/env bash
# The browser side of ./test.sh: builds FreeType and the GLU tessellator
# with emcc (tools/web-deps.sh), the page and the test programs (preset
# `web`, build/web), installs the browser tests' npm packages
# (tests/browser, npm ci) and runs, with CTest:
#   - the game-rules and display-list test programs under Node.js;
#   - the page played in headless Chromium: start-up answers, the first
#     frame against the Linux build's (build/linux, built by ./test.sh),
#     steering, F1, a refused fullscreen, Escape, a missing font, a hidden tab.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/web-deps.sh
if [ ! -d tests/browser/node_modules/puppeteer-core ] ||
   [ tests/browser/package-lock.json -nt tests/browser/node_modules/.package-lock.json ]; then
  (cd tests/browser && npm ci --no-audit --no-fund --loglevel=error)
fi
cmake --preset web -DQUELLOR_LINUX_RENDER_FRAMES="$PWD/build/linux/tools/render-frames/render-frames" >/dev/null
cmake --build --preset web
ctest --preset web
