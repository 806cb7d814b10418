#!/usr/bin/env bash
# The Windows side of ./test.sh: builds quellor.exe and the Windows test
# programs (mingw-w64 cross build, preset `windows`) and runs, under Wine in
# build/wine-prefix:
#   - the game-rules, clock and virtual-time test programs;
#   - the import-table check of quellor.exe;
#   - the game played with xdotool on virtual X displays (windowed start,
#     fullscreen refused then windowed, windowed declined), and its first
#     frame against the Linux build's (build/linux, built by ./test.sh).
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
export WINEPREFIX="${QUELLOR_WINE_PREFIX:-$PWD/build/wine-prefix}"
# Wine's server outlives the programs for a few seconds; stop ours at the end.
trap 'WINEDEBUG=-all wineserver -k 2>/dev/null || true' EXIT

cmake --preset windows -DQUELLOR_LINUX_GAME="$PWD/build/linux/quellor" >/dev/null
cmake --build --preset windows
ctest --preset windows
