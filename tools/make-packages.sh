#!/usr/bin/env bash
# Makes the release packages in build/packages:
#   quellor_<version>_<arch>.deb        for Debian, from the linux preset
#   quellor-<version>-windows-x64.zip   for Windows, from the windows preset
# Builds the game in both presets first (tools/install-deps.sh installs what
# they need). tools/check-packages.sh checks what comes out.
# QUELLOR_LINUX_BUILD / QUELLOR_WINDOWS_BUILD name other, already configured
# build directories to package from.
set -euo pipefail
cd "$(dirname "$0")/.."
out="build/packages"
mkdir -p "$out"
rm -f "$out"/*.deb "$out"/*.zip
for preset in linux windows; do
  if [ "$preset" = linux ]; then dir="${QUELLOR_LINUX_BUILD:-}"; else dir="${QUELLOR_WINDOWS_BUILD:-}"; fi
  if [ -z "$dir" ]; then
    dir="build/$preset"
    cmake --preset "$preset" >/dev/null
  fi
  cmake --build "$dir" --target quellor
  cpack --config "$dir/CPackConfig.cmake" -B "$out/$preset" >/dev/null
  find "$out/$preset" -maxdepth 1 -type f \( -name '*.deb' -o -name '*.zip' \) -exec mv -f {} "$out/" \;
  rm -rf "$out/$preset"
done
ls -l "$out"/*.deb "$out"/*.zip
