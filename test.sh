#!/usr/bin/env bash
# Installs what the build and the tests need, builds everything and runs every
# test on a virtual X display. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux
tools/with-xvfb.sh ctest --preset linux
tools/windows-tests.sh
