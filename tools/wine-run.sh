#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own Wine prefix.
#   tools/wine-run.sh program.exe args...
# The prefix lives in build/wine-prefix (QUELLOR_WINE_PREFIX overrides it) and
# is made on first use, once, even when several runs start together; later
# runs find it ready. Wine's own diagnostics are off; the program's status is
# kept. The Windows build uses this as its CTest emulator.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${QUELLOR_WINE_PREFIX:-$root/build/wine-prefix}"
export WINEARCH=win64
export WINEDEBUG=-all
# No downloads of Wine's .NET and HTML engines: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

if [ ! -f "$WINEPREFIX/.quellor-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.quellor-ready" ]; then
    rm -rf "$WINEPREFIX"
    if ! wineboot --init >"$WINEPREFIX.log" 2>&1 || ! wineserver -w >>"$WINEPREFIX.log" 2>&1; then
      echo "wine-run: making the Wine prefix $WINEPREFIX failed; see $WINEPREFIX.log" >&2
      exit 125
    fi
    touch "$WINEPREFIX/.quellor-ready"
  fi
  flock -u 9
  exec 9>&-
fi
exec wine "$@"
