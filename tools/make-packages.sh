#!/usr/bin/env bash
# Makes the release packages in build/packages:
#   quellor_<version>_amd64.deb                 for Debian, built from debian/
#                                               with dpkg-buildpackage
#   quellor-<version>-windows-x64.zip           quellor.exe, README.txt and
#                                               LICENSE.txt in one folder
#   quellor-<version>-windows-x64-setup.exe     the same files as an installer
#                                               (NSIS, 64-bit)
#   quellor-<version>-web.zip                   the browser build's page: the
#                                               static files to put on any
#                                               web server
# The version is the project's (CMakeLists.txt). Every date in them is
# SOURCE_DATE_EPOCH, the time of the last commit unless set, so that two runs
# on one commit give the same bytes. tools/check-packages.sh checks them.
# QUELLOR_WINDOWS_BUILD and QUELLOR_WEB_BUILD name other, already configured
# Windows and browser build directories to package from.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
out="$root/build/packages"
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) ||
    SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -S Timestamp)
fi
export SOURCE_DATE_EPOCH
version=$(sed -n 's/^project(Quellor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "make-packages: no version in CMakeLists.txt" >&2; exit 1; }
debianVersion=$(dpkg-parsechangelog -S Version)
[ "$debianVersion" = "$version" ] || {
  echo "make-packages: debian/changelog is at $debianVersion, the program at $version: add a changelog entry" >&2
  exit 1
}
mkdir -p "$out"
rm -rf "$out"/*.deb "$out"/*.zip "$out"/*-setup.exe "$out/work"

# A folder of $work as a .zip in $out: fixed order, dates and modes, no
# owner fields.
Zip() {
  python3 - "$work" "$1" "$out/$1.zip" <<'ZIP'
import os, sys, time, zipfile
work, name, target = sys.argv[1:]
when = time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"]))[:6]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for folder, folders, files in os.walk(os.path.join(work, name)):
        folders.sort()
        inside = os.path.relpath(folder, work)
        entry = zipfile.ZipInfo(inside + "/", when)
        entry.external_attr = (0o40755 << 16) | 0x10
        archive.writestr(entry, b"")
        for file in sorted(files):
            entry = zipfile.ZipInfo(inside + "/" + file, when)
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 3
            with open(os.path.join(folder, file), "rb") as data:
                archive.writestr(entry, data.read())
ZIP
}
work="$out/work"
mkdir -p "$work"

# ------------------------------------------------------------------ .deb
# Built from a copy of the sources (dpkg-buildpackage writes beside the
# source folder), the files git knows and any new ones it does not ignore.
src="$work/quellor-$version"
mkdir -p "$src"
git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$src" 2>/dev/null ||
  { echo "make-packages: copying the sources failed" >&2; exit 1; }
(cd "$src" && dpkg-buildpackage -us -uc -b >"$work/dpkg-buildpackage.log" 2>&1) || {
  tail -n 40 "$work/dpkg-buildpackage.log" >&2
  echo "make-packages: dpkg-buildpackage failed; the whole log is $work/dpkg-buildpackage.log" >&2
  exit 1
}
mv "$work/quellor_${version}_amd64.deb" "$out/"

# ------------------------------------------------------------------ Windows
dir="${QUELLOR_WINDOWS_BUILD:-}"
if [ -z "$dir" ]; then
  dir="build/windows"
  cmake --preset windows >/dev/null
fi
cmake --build "$dir" --target quellor
name="quellor-$version-windows-x64"
files="$work/$name"
mkdir -p "$files"
# strip writes the time into the PE header; SOURCE_DATE_EPOCH=0 keeps it 0,
# as the linker left it.
SOURCE_DATE_EPOCH=0 x86_64-w64-mingw32-strip -o "$files/quellor.exe" "$dir/quellor.exe"
cp "$dir/README.txt" "$dir/LICENSE.txt" "$files/"
chmod 644 "$files"/*
touch -h -d "@$SOURCE_DATE_EPOCH" "$files" "$files"/*

Zip "$name"

icon=$(find "$(cd "$dir" && pwd)" -name quellor.ico -path '*quellor-resources*' | head -1)
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DFILES="$files" -DICON="$icon" \
  -DOUTFILE="$out/$name-setup.exe" packaging/windows/installer.nsi >"$work/makensis.log" 2>&1 || {
  cat "$work/makensis.log" >&2
  echo "make-packages: makensis failed" >&2
  exit 1
}

# ------------------------------------------------------------------ web
# The page as the browser build installs it, with a README on hosting it.
webDir="${QUELLOR_WEB_BUILD:-}"
if [ -z "$webDir" ]; then
  webDir="build/web"
  tools/web-deps.sh >/dev/null
  cmake --preset web >/dev/null
fi
cmake --build "$webDir" --target quellor
webName="quellor-$version-web"
cmake --install "$webDir" --prefix "$work/$webName" >/dev/null
cp packaging/README-web.txt "$work/$webName/README.txt"
chmod -R u=rwX,go=rX "$work/$webName"
find "$work/$webName" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
Zip "$webName"

rm -rf "$work"
ls -l "$out"/*.deb "$out"/*.zip "$out"/*-setup.exe
