#!/usr/bin/env bash
# The browser spike, end to end: the game's rules and renderer with the
# display-list piece and a stand-in for the layer (src/platform/web/spike),
# built with emcc against tools/web-deps.sh's prefix into build/web-spike.
#
#   tools/web-build.sh           build; print the sizes of the page's files
#   tools/web-build.sh --check   and open the page in headless Chromium: its
#                                first frame is checked cell by cell and
#                                compared with the Linux build's first frame
#                                drawn without fonts (tools/render-frames);
#                                a remake of window and context (as F1) must
#                                draw the same frame; FreeType in the page must
#                                read the shipped font as the machine's does;
#                                200 frames are timed
#
# Needs the packages of tools/deps/web.txt and, for --check, the Linux build's
# (tools/install-deps.sh) and npm.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
check=false
[ "${1:-}" = "--check" ] && check=true
# Debian's emcc runs its optimiser with node and needs Debian's node modules.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
out=$root/build/web-spike

tools/web-deps.sh
started=$(date +%s)
emcmake cmake -S src/platform/web/spike -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release >"$out.configure.log" 2>&1 ||
  { cat "$out.configure.log" >&2; exit 1; }
cmake --build "$out" -j 2
echo "web-build: built in $(($(date +%s) - started)) s into ${out#"$root"/}"
for f in quellor-spike.wasm quellor-spike.js quellor-spike.data index.html; do
  printf 'web-build: %-20s %8d bytes, %8d gzipped\n' "$f" "$(wc -c <"$out/$f")" "$(gzip -9 -c "$out/$f" | wc -c)"
done
$check || exit 0

# ---------------------------------------------------------------- the page in Chromium
browser=tests/web/browser
if [ ! -d "$browser/node_modules/puppeteer-core" ]; then
  (cd "$browser" && npm ci --no-audit --no-fund --loglevel=error)
fi
rm -f "$out/first-frame.rgba" "$out/first-frame.png" "$out/page.png"
# What the machine's own FreeType reads of the font the page ships.
# shellcheck disable=SC2046 # pkg-config's flags are words
cc -O2 "$browser/glyph-probe.c" $(pkg-config --cflags --libs freetype2) -o "$out/glyph-probe"
QUELLOR_NATIVE_GLYPH=$("$out/glyph-probe" /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)
export QUELLOR_NATIVE_GLYPH
set +e
node "$browser/first-frame.cjs" "$out" >"$out/first-frame.json"
page=$?
set -e
cat "$out/first-frame.json"
if [ -f "$out/first-frame.rgba" ]; then
  convert -size 640x480 -depth 8 "rgba:$out/first-frame.rgba" -flip -alpha off "$out/first-frame.png"
fi

# ---------------------------------------------------------------- the Linux build's first frame
# Without fonts (an empty fontconfig), as the spike draws: no score line.
cmake --preset linux >/dev/null
cmake --build --preset linux --target render-frames >/dev/null
fonts=$(mktemp -d)
trap 'rm -rf "$fonts"' EXIT
printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n' \
  "$fonts" >"$fonts/fonts.conf"
mkdir -p "$out/reference"
FONTCONFIG_FILE=$fonts/fonts.conf tools/with-xvfb.sh build/linux/tools/render-frames/render-frames --out "$out/reference" 0 >/dev/null
differing=unknown
if [ -f "$out/first-frame.png" ]; then
  # compare prints the count on stderr and exits 1 when pictures differ.
  differing=$(compare -metric AE "$out/reference/frame-0000.png" "$out/first-frame.png" "$out/difference.png" 2>&1 || true)
fi
echo "web-build: pixels differing from the Linux build's first frame: $differing of 307200"
echo "web-build: pictures in ${out#"$root"/}: first-frame.png, page.png, reference/frame-0000.png, difference.png"
exit $page
