#!/usr/bin/env bash
# Builds with emcc the libraries of the browser build that Debian ships no
# WebAssembly build of: FreeType (no external libraries) and the GLU
# tessellator (libtess of libglu), which the layer cuts the score's glyphs
# with. The browser backend itself talks to the page directly (emscripten's
# html5 and WebGL calls), so no SDL is built.
#
#   tools/web-deps.sh          prefix in build/web-deps (include/, lib/*.a, lib/pkgconfig)
#
# The sources are this machine's own Debian source packages (freetype,
# libglu), fetched with apt from the deb-src twins of the machine's
# Debian entries. apt reads those from a private list kept in
# build/web-deps/apt: the system's apt configuration is not touched, and the
# files come with the checksums of Debian's signed indices. FreeType is
# unpacked with Debian's patches (dpkg-source); libglu's
# package diff is not served, so its upstream tarball is used as it is: the
# tessellator has no Debian patches.
#
# A second run costs a moment: the prefix keeps a stamp of this script and
# of emcc's version, and nothing is fetched or built while it matches.
# Needs the packages of tools/deps/web.txt (emscripten, dpkg-dev).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
deps=$root/build/web-deps
jobs=2  # the machine's cores are shared

command -v emcc >/dev/null || { echo "web-deps: emcc not found (install the packages in tools/deps/web.txt)" >&2; exit 1; }
command -v dpkg-source >/dev/null || { echo "web-deps: dpkg-source not found (package dpkg-dev)" >&2; exit 1; }
# Debian's emcc runs its optimiser with node and needs Debian's node modules.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

recipe="$(sha256sum tools/web-deps.sh | cut -c1-16) $(emcc --version | sed -n 1p)"
stamp=$deps/.built
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$recipe" ] &&
   [ -f "$deps/lib/libfreetype.a" ] && [ -f "$deps/lib/libGLU.a" ]; then
  echo "web-deps: up to date in ${deps#"$root"/}"
  exit 0
fi
started=$(date +%s)
rm -rf "$deps"
mkdir -p "$deps"

# ---------------------------------------------------------------- sources
apt_dir=$deps/apt
mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$deps/src" "$deps/work"
echo "# The Debian source files this prefix was built from" >"$deps/SOURCES"
: >"$apt_dir/none.list"
# deb-src twins of the machine's enabled Debian entries, deb822 and one-line.
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  awk 'BEGIN { RS = ""; ORS = "\n\n" }
       /(^|\n)Types:[^\n]*deb/ && /(^|\n)URIs:[^\n]*\/debian(-security)?\/?([ \n]|$)/ {
         sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$f"
done >"$apt_dir/parts/debian-src.sources"
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] || continue
  awk '$1 == "deb" && $0 ~ /\/debian(-security)?\/? / { $1 = "deb-src"; print }' "$f"
done >"$apt_dir/parts/debian-src.list"
if [ ! -s "$apt_dir/parts/debian-src.sources" ] && [ ! -s "$apt_dir/parts/debian-src.list" ]; then
  echo "web-deps: no Debian entry found in /etc/apt to take source packages from" >&2
  exit 1
fi
apt_opts=(-q -o "Dir::Etc::SourceList=$apt_dir/none.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
          -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache")
helper_opts=()
# As root apt hands downloads to its _apt user, who cannot write into build/.
if [ "$(id -u)" -eq 0 ]; then apt_opts+=(-o APT::Sandbox::User=root); helper_opts+=(-o APT::Sandbox::User=root); fi
# A run that fails leaves no source index behind (some 70 MB).
trap '[ $? -eq 0 ] || rm -rf "$apt_dir/lists" "$apt_dir/cache"' EXIT
echo "web-deps: reading Debian's source index"
apt-get "${apt_opts[@]}" update >"$apt_dir/update.log" 2>&1 || { cat "$apt_dir/update.log" >&2; exit 1; }

# The versions of a source package in the index, newest first (Debian's
# own ordering).
Versions() {
  local version i sorted=()
  while read -r version; do
    i=0
    while [ "$i" -lt ${#sorted[@]} ] && dpkg --compare-versions "${sorted[$i]}" gt "$version"; do i=$((i + 1)); done
    sorted=("${sorted[@]:0:$i}" "$version" "${sorted[@]:$i}")
  done < <(apt-cache "${apt_opts[@]}" showsrc "$1" 2>/dev/null |
           awk -v package="$1" '/^Package: / {name = $2} /^Version: / && name == package {print $2}' | sort -u)
  printf '%s\n' "${sorted[@]}"
}

# FetchVersion(package, version, skip-pattern): the files of that version of
# the source package whose names do not match the pattern, each checked
# against the index's SHA256; false if any cannot be had.
FetchVersion() {
  local package=$1 version=$2 skip=$3 uri name _ hash
  rm -rf "$deps/src/$package" "$deps/src/$package.fetched"
  mkdir -p "$deps/src/$package"
  apt-get "${apt_opts[@]}" source --print-uris "$package=$version" 2>/dev/null | grep "^'" >"$deps/src/$package.uris" ||
    return 1
  while read -r uri name _ hash; do
    uri=${uri//\'/}
    if [[ $name =~ $skip ]]; then continue; fi
    /usr/lib/apt/apt-helper "${helper_opts[@]}" download-file "$uri" "$deps/src/$package/$name" "$hash" \
      >/dev/null 2>>"$deps/fetch.log" || { echo "web-deps: the mirror has no $name (see $deps/fetch.log)" >&2; return 1; }
    echo "$uri" >>"$deps/src/$package.fetched"
  done <"$deps/src/$package.uris"
  cat "$deps/src/$package.fetched" >>"$deps/SOURCES"
}

# Fetch(package, skip-pattern): the newest version whose files can all be
# fetched (a mirror may not have the newest one's files yet).
Fetch() {
  local version
  for version in $(Versions "$1"); do
    FetchVersion "$1" "$version" "$2" && return 0
    echo "web-deps: so $1 $version cannot be had whole; taking the version before it" >&2
  done
  echo "web-deps: no version of the source package $1 can be fetched" >&2
  exit 1
}
Fetch freetype '\.asc$'
Fetch libglu '(\.asc|\.diff\.gz|\.dsc)$'

(cd "$deps/src/freetype" && dpkg-source -x --no-check ./*.dsc freetype >/dev/null)
mkdir -p "$deps/src/libglu/glu"
tar -xf "$deps"/src/libglu/libglu_*.orig.tar.* -C "$deps/src/libglu/glu" --strip-components=1

# ---------------------------------------------------------------- FreeType
# Only the modules the layer's outline fonts use: TrueType outlines read
# unscaled (the page ships a TrueType font). With every module and option
# FreeType alone was 590 KB of WebAssembly.
echo "web-deps: building FreeType"
cat >"$deps/src/freetype/freetype/include/freetype/config/ftmodule.h" <<'EOF'
/* The FreeType modules of the browser build (tools/web-deps.sh). */
FT_USE_MODULE( FT_Driver_ClassRec, tt_driver_class )
FT_USE_MODULE( FT_Module_Class, sfnt_module_class )
FT_USE_MODULE( FT_Module_Class, psnames_module_class )
EOF
# Nor what only hinted, bitmap, colour or variable fonts need: the layer
# reads outlines unscaled and unhinted.
for option in TT_CONFIG_OPTION_BYTECODE_INTERPRETER TT_CONFIG_OPTION_GX_VAR_SUPPORT TT_CONFIG_OPTION_BDF \
              TT_CONFIG_OPTION_EMBEDDED_BITMAPS TT_CONFIG_OPTION_COLOR_LAYERS FT_CONFIG_OPTION_SVG; do
  sed -i "s|^#define $option\b.*|/* & (off in the browser build) */|" \
    "$deps/src/freetype/freetype/include/freetype/config/ftoption.h"
done
emcmake cmake -S "$deps/src/freetype/freetype" -B "$deps/work/freetype" -G Ninja -Wno-dev \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DBUILD_SHARED_LIBS=OFF \
  -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
  -DFT_DISABLE_BROTLI=ON >"$deps/work/freetype.log" 2>&1 || { tail -n 40 "$deps/work/freetype.log" >&2; exit 1; }
cmake --build "$deps/work/freetype" -j "$jobs" >>"$deps/work/freetype.log" 2>&1 &&
  cmake --install "$deps/work/freetype" >>"$deps/work/freetype.log" 2>&1 || { tail -n 40 "$deps/work/freetype.log" >&2; exit 1; }

# ---------------------------------------------------------------- GLU tessellator
# Only src/libtess: gluNewTess, gluTessCallback, gluTessProperty, gluTessNormal,
# gluTess{Begin,End}{Polygon,Contour}, gluTessVertex, gluDeleteTess (and the
# old gluBeginPolygon family). priorityq-heap.c is included by priorityq.c.
echo "web-deps: building the GLU tessellator"
glu=$deps/src/libglu/glu
mkdir -p "$deps/work/libtess" "$deps/include/GL" "$deps/lib/pkgconfig"
objects=()
for c in dict geom memalloc mesh normal priorityq render sweep tess tessmono; do
  emcc -O2 -DNDEBUG -I"$glu/include" -I"$glu/src/include" -c "$glu/src/libtess/$c.c" -o "$deps/work/libtess/$c.o"
  objects+=("$deps/work/libtess/$c.o")
done
rm -f "$deps/lib/libGLU.a"
emar rcs "$deps/lib/libGLU.a" "${objects[@]}"
cp "$glu/include/GL/glu.h" "$deps/include/GL/glu.h"
glu_version=$(cd "$deps/src/libglu" && ls libglu_*.orig.tar.* | sed 's/^libglu_\(.*\)\.orig\.tar\..*/\1/')
cat >"$deps/lib/pkgconfig/glu.pc" <<EOF
prefix=$deps
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: glu
Description: The GLU tessellator (libtess of libglu), built with emcc
Version: $glu_version
Libs: -L\${libdir} -lGLU
Cflags: -I\${includedir}
EOF

# The licences, to ship with the page: FreeType (FTL, chosen over the GPL),
# the tessellator (SGI Free Software License B, in its sources).
mkdir -p "$deps/licenses"
cp "$deps/src/freetype/freetype/docs/FTL.TXT" "$deps/licenses/FreeType.txt"
sed -n '1,/\*\//p' "$glu/src/libtess/tess.c" >"$deps/licenses/libtess.txt"

# Keep the prefix, the record of the sources and the logs; the unpacked
# sources and build trees are not needed again.
mkdir -p "$deps/logs"
mv "$deps"/work/*.log "$apt_dir/update.log" "$deps/logs/"
if [ -f "$deps/fetch.log" ]; then mv "$deps/fetch.log" "$deps/logs/"; fi
rm -rf "$deps/apt" "$deps/src" "$deps/work"
echo "$recipe" >"$stamp"
echo "web-deps: built in $(($(date +%s) - started)) s into ${deps#"$root"/}"
