#!/usr/bin/env bash
# Installs what the build and the tests need, builds everything and runs every
# test on a virtual X display. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh all
cmake --preset linux >/dev/null
cmake --build --preset linux
tools/with-xvfb.sh ctest --preset linux
# The whole suite again under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer: any report fails the run. Mesa's software
# driver is preloaded, so that it stays loaded until the leak check and what
# it keeps for the process is still seen as reachable (tests/lsan.supp).
drivers=(/usr/lib/*/dri/swrast_dri.so)
export QUELLOR_SANITIZE_PRELOAD="${drivers[0]}"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
tools/with-xvfb.sh ctest --preset sanitize
# The fuzz targets for a bounded time (tools/fuzz.sh <seconds> runs longer).
tools/fuzz.sh 20
tools/windows-tests.sh
tools/web-tests.sh
# The release packages (the .deb, the Windows .zip and installer, the web
# .zip), made and checked.
tools/make-packages.sh >/dev/null
tools/check-packages.sh
