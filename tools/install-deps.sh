#!/usr/bin/env bash
# Installs every Debian package the build, the game and the tests need.
# Packages already installed are skipped, so a second run costs a second.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev googletest libbenchmark-dev
  # the fuzz targets (libFuzzer)
  clang-14 libclang-rt-14-dev
  # the platform layer and the renderer
  libsdl2-dev libfontconfig-dev libfreetype-dev libglu1-mesa-dev libgl-dev libgl1-mesa-dri libpng-dev
  # fonts: an outline font for the score, bitmap fonts for message boxes
  fonts-dejavu-core xfonts-base
  # the virtual display and the player's hands; imagemagick looks at the screenshots
  xvfb xauth xdotool x11-utils imagemagick
  # the Windows build: the mingw-w64 cross compiler and its objdump (GoogleTest
  # is built from the googletest sources above), Wine to run it, xwd and
  # python3 for pictures of the screen, dpkg-dev for the .deb's dependencies
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 x11-apps python3 dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
