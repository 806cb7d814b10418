#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own Wine prefix.
#   tools/wine-run.sh program.exe args...
# The prefix lives in build/wine-prefix (QUELLOR_WINE_PREFIX overrides it) and
# is made on first use, once, even when several runs start together; later
# runs find it ready. Wine's own diagnostics are off; the program's status is
# kept. The Windows build uses this as its CTest emulator.
#
# The prefix runs Wine's windows unmanaged: Wine draws their frames itself,
# as Windows does, instead of waiting for an X window manager, which a
# virtual display does not have (with none, Wine waits two seconds for it
# after every closed message box).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${QUELLOR_WINE_PREFIX:-$root/build/wine-prefix}"
export WINEARCH=win64
export WINEDEBUG=-all
# No downloads of Wine's .NET and HTML engines: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

ready="$WINEPREFIX/.quellor-ready-2"
if [ ! -f "$ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$ready" ]; then
    rm -rf "$WINEPREFIX"
    if ! wineboot --init >"$WINEPREFIX.log" 2>&1 ||
      ! wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$WINEPREFIX.log" 2>&1 ||
      ! wineserver -w >>"$WINEPREFIX.log" 2>&1; then
      echo "wine-run: making the Wine prefix $WINEPREFIX failed; see $WINEPREFIX.log" >&2
      exit 125
    fi
    touch "$ready"
  fi
  flock -u 9
  exec 9>&-
fi
exec wine "$@"
