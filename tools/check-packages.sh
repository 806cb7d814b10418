#!/usr/bin/env bash
# Checks the release packages made by tools/make-packages.sh (in build/packages,
# or the directory given):
# - the .deb holds exactly the game in /usr/games, its menu entry, its icons
#   (the SVG and PNGs of the hicolor sizes 16 to 256), its AppStream
#   metadata, its manual page, copyright and changelog; lintian --pedantic
#   finds no error and no warning in it, appstreamcli validate --pedantic
#   accepts its metadata; it is in the games section; it depends on a package
#   for every library the game links and on the score's font; its version is
#   the program's; and the game, run from a dpkg -x extraction on a virtual
#   display by its menu entry's command, shows its board and ends with status 0;
# - the .zip holds exactly quellor.exe, README.txt and LICENSE.txt in one
#   folder; that quellor.exe carries its icon (several sizes), its version
#   information and its manifest (Windows 7 to 11, common controls 6, no DPI
#   awareness) and no link time stamp, needs only DLLs every Windows has and,
#   run under Wine, shows its board and ends with status 0;
# - the installer, run silently under Wine, puts the same files in
#   Program Files\Quellor, a Start-menu shortcut and an Add/Remove Programs
#   entry, and its uninstaller, run silently, takes all of them away again.
#   Both are judged by the files and registry entries they leave, not by
#   Wine's exit status;
# - the web .zip holds exactly the page (index.html, quellor.js,
#   quellor.wasm, the icon, the font), a README and the licences in one
#   folder, and the page, served from its unpacked folder, plays in headless
#   Chromium (tests/browser/play.cjs, its npm packages installed by
#   tools/web-tests.sh).
# Reads message boxes under Wine with box_text.exe from the windows preset's
# build (tools/windows-tests.sh builds it first).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
packages="$(cd "${1:-$root/build/packages}" && pwd)"
work="$(mktemp -d)"
export WINEPREFIX="${QUELLOR_WINE_PREFIX:-$root/build/wine-prefix}"
# Wine's server outlives the programs for a few seconds; stop ours at the end.
trap 'rm -rf "$work"; WINEDEBUG=-all wineserver -k 2>/dev/null || true' EXIT
failures=0
fail() {
  echo "check-packages: FAIL: $*" >&2
  failures=$((failures + 1))
}

# Unpacks a .zip into $work/INTO after checking that it holds exactly one
# folder named as the .zip with the FILES in it (folders end in /).
Unpack() {  # zip into files...
  local zip into=$2 base entries want
  zip=$(realpath "$1")
  shift 2
  base=$(basename "$zip" .zip)
  entries=$(cmake -E tar tf "$zip" | sort)
  want=$(printf '%s\n' "" "$@" | sed "s|^|$base/|" | sort)
  [ "$entries" = "$want" ] || fail "$(basename "$zip") holds"$'\n'"$entries"$'\n'"instead of"$'\n'"$want"
  mkdir -p "$work/$into"
  (cd "$work/$into" && cmake -E tar xf "$zip")
}

# ------------------------------------------------------------------ .deb
shopt -s nullglob
debs=("$packages"/quellor_*.deb)
zips=("$packages"/quellor-*-windows-x64.zip)
setups=("$packages"/quellor-*-windows-x64-setup.exe)
webZips=("$packages"/quellor-*-web.zip)
shopt -u nullglob
[ ${#debs[@]} -eq 1 ] || { echo "check-packages: want one quellor .deb in $packages, found ${#debs[@]}" >&2; exit 1; }
[ ${#zips[@]} -eq 1 ] || { echo "check-packages: want one quellor .zip in $packages, found ${#zips[@]}" >&2; exit 1; }
[ ${#setups[@]} -eq 1 ] || { echo "check-packages: want one quellor installer in $packages, found ${#setups[@]}" >&2; exit 1; }
[ ${#webZips[@]} -eq 1 ] || { echo "check-packages: want one quellor web .zip in $packages, found ${#webZips[@]}" >&2; exit 1; }
deb="${debs[0]}"
zip="${zips[0]}"
setup="${setups[0]}"
webZip="${webZips[0]}"
version=$(sed -n 's/^project(Quellor VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ "$(basename "$deb")" = "quellor_${version}_amd64.deb" ] || fail "the .deb $(basename "$deb") is not of version $version"
[ "$(basename "$zip")" = "quellor-${version}-windows-x64.zip" ] || fail "the .zip $(basename "$zip") is not of version $version"
[ "$(basename "$setup")" = "quellor-${version}-windows-x64-setup.exe" ] ||
  fail "the installer $(basename "$setup") is not of version $version"
[ "$(basename "$webZip")" = "quellor-${version}-web.zip" ] || fail "the web .zip $(basename "$webZip") is not of version $version"
[ "$(cd "$root" && dpkg-parsechangelog -S Version)" = "$version" ] || fail "debian/changelog is not at version $version"

contents=$(dpkg-deb --contents "$deb")
files=$(awk '$1 !~ /^d/ {print $6}' <<<"$contents" | sort)
iconSizes="16 22 24 32 48 64 128 256"
metainfo=./usr/share/metainfo/org.example.quellor.metainfo.xml
want=$(
  printf '%s\n' ./usr/games/quellor ./usr/share/applications/quellor.desktop \
    ./usr/share/icons/hicolor/scalable/apps/quellor.svg "$metainfo" ./usr/share/man/man6/quellor.6.gz \
    ./usr/share/doc/quellor/copyright ./usr/share/doc/quellor/changelog.gz
  for size in $iconSizes; do echo "./usr/share/icons/hicolor/${size}x${size}/apps/quellor.png"; done | sort
)
want=$(sort <<<"$want")
[ "$files" = "$want" ] || fail "the .deb holds"$'\n'"$files"$'\n'"instead of"$'\n'"$want"
grep -q '^-rwxr-xr-x .* \./usr/games/quellor$' <<<"$contents" || fail "/usr/games/quellor is not an executable file"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the .deb is not in the games section"
[ "$(dpkg-deb -f "$deb" Package)" = quellor ] || fail "the .deb's package is not named quellor"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the .deb's version is not $version"

# lintian: no error and no warning (informational and pedantic notes are
# shown but pass).
lintianOut=$(lintian --pedantic --display-info "$deb" 2>&1 | grep -v '^running with root privileges' || true)
[ -z "$lintianOut" ] || echo "$lintianOut"
if grep -q '^[EW]: ' <<<"$lintianOut"; then fail "lintian finds errors or warnings in the .deb"; fi

depends=$(dpkg-deb -f "$deb" Depends)
# Package names in Depends, alternatives included, without versions.
dependsNames=" $(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/[[:space:]]//g' | grep -v '^$' | tr '\n' ' ')"
for package in libsdl2-2.0-0 libfontconfig1 libfreetype6 libglu1-mesa libgl1 fonts-dejavu-core; do
  case "$dependsNames" in *" $package "*) ;; *) fail "the .deb does not depend on $package (Depends: $depends)" ;; esac
done

dpkg-deb -x "$deb" "$work/deb"
game="$work/deb/usr/games/quellor"
# Every library the game links comes from a package it depends on.
for library in $(objdump -p "$game" | awk '/NEEDED/ {print $2}'); do
  # awk reads the whole list: stopping early would end ldconfig with SIGPIPE,
  # which pipefail would turn into a silent exit of this script.
  path=$(ldconfig -p | awk -v lib="$library" '$1 == lib && /x86-64/ && path == "" {path = $NF} END {print path}')
  if [ -z "$path" ]; then
    fail "the game links $library, which is not installed here"
    continue
  fi
  owner=$(dpkg -S "$(readlink -f "$path")" 2>/dev/null | head -1 | cut -d: -f1) ||
    owner=$(dpkg -S "$path" 2>/dev/null | head -1 | cut -d: -f1) || owner=""
  if [ -z "$owner" ]; then
    fail "no package owns $path ($library)"
    continue
  fi
  case "$dependsNames" in *" $owner "*) ;; *) fail "the game links $library from $owner, which the .deb does not depend on" ;; esac
done

desktop="$work/deb/usr/share/applications/quellor.desktop"
grep -qx 'Exec=/usr/games/quellor' "$desktop" || fail "the menu entry does not start /usr/games/quellor"
grep -qx 'Icon=quellor' "$desktop" || fail "the menu entry does not name the quellor icon"
grep -qx 'Type=Application' "$desktop" || fail "the menu entry is not an application"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "the menu entry is not a valid desktop entry"
fi
grep -q '<svg' "$work/deb/usr/share/icons/hicolor/scalable/apps/quellor.svg" || fail "the icon is not an SVG picture"
# Each PNG icon is a PNG picture of its directory's size (width and height
# from the IHDR header).
for size in $iconSizes; do
  png="$work/deb/usr/share/icons/hicolor/${size}x${size}/apps/quellor.png"
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || { fail "the ${size}px icon is not a PNG"; continue; }
  read -r w h < <(od -An -j16 -N8 -tu1 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w $h" = "$size $size" ] || fail "the ${size}x${size} icon is ${w}x${h}"
done
# The AppStream metadata: valid with every pedantic check (no network here
# to fetch its links), launching the menu entry, at the program's version.
appstreamcli validate --pedantic --no-net "$work/deb/$metainfo" || fail "appstreamcli does not accept the metadata"
grep -q '<launchable type="desktop-id">quellor.desktop</launchable>' "$work/deb/$metainfo" ||
  fail "the metadata does not launch the menu entry"
grep -q "<release version=\"$version\"" "$work/deb/$metainfo" || fail "the metadata's release is not $version"
grep -q '<content_rating type="oars-1.1"' "$work/deb/$metainfo" || fail "the metadata has no content rating"
# The manual page tells the keys, the start-up question and the exit status.
manual=$(zcat "$work/deb/usr/share/man/man6/quellor.6.gz")
for word in Escape F1 "Would You Like To Run In Fullscreen Mode?" "EXIT STATUS" FILES; do
  grep -qF "$word" <<<"$manual" || fail "the manual page does not tell \"$word\""
done
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$work/deb/usr/share/doc/quellor/copyright" || fail "the copyright file is not machine-readable (DEP-5)"

cat >"$work/play-deb.sh" <<'PLAY'
set -euo pipefail
. "$1/tests/lib/hands.sh"
"$2" & game=$!
box=$(WaitWindow "Start FullScreen?" 60)
HoldKey "$box" Escape
window=$(WaitWindow "Quellor, coded by r0vane" 60)
[ "$(WindowSize "$window")" = 640x480 ] || { echo "the window is $(WindowSize "$window")" >&2; exit 1; }
sleep 1
TakePicture "$3"
"$1/tests/windows/screen.py" board "$3" "$(WindowRegion "$window")"
HoldKey "$window" Escape
WaitExit "$game" 20
[ "$exitStatus" = 0 ] || { echo "exit status $exitStatus after Escape" >&2; exit 1; }
PLAY
# The menu entry's command, run from the extraction.
command=$(sed -n 's/^Exec=//p' "$desktop")
"$root/tools/with-xvfb.sh" --screen 1024x768x24 bash "$work/play-deb.sh" "$root" "$work/deb$command" "$work/deb.xwd" ||
  fail "the game from the .deb extraction did not show its board and end with status 0"

# ------------------------------------------------------------------ .zip
base=$(basename "$zip" .zip)
Unpack "$zip" zip LICENSE.txt README.txt quellor.exe
exe="$work/zip/$base/quellor.exe"
grep -q "Escape" "$work/zip/$base/README.txt" || fail "the README does not tell the keys"
grep -q "^MIT License" "$work/zip/$base/LICENSE.txt" || fail "the .zip does not carry the licence"

# The program's resources: an icon group of several sizes, version
# information at the program's version, and the manifest.
resources=$(wrestool -l "$exe")
echo "$resources"
grep -q -- '--type=14 --name=1 ' <<<"$resources" || fail "quellor.exe has no icon"
grep -q -- '--type=16 ' <<<"$resources" || fail "quellor.exe has no version information"
grep -q -- '--type=24 --name=1 ' <<<"$resources" || fail "quellor.exe has no manifest"
wrestool -x --type=14 --name=1 -o "$work/quellor.ico" "$exe"
iconList=$(icotool -l "$work/quellor.ico")
for size in 16 32 48 256; do
  grep -q -- "--width=$size --height=$size " <<<"$iconList" || fail "quellor.exe's icon has no ${size}x${size} picture"
done
versionInfo=$(wrestool -x --raw --type=16 "$exe" | tr -d '\000')
for value in "ProductName" "Quellor" "FileVersion" "ProductVersion" "$version" "FileDescription" \
  "LegalCopyright" "The Quellor developers" "MIT licence"; do
  grep -qF "$value" <<<"$versionInfo" || fail "quellor.exe's version information lacks \"$value\""
done
manifest=$(wrestool -x --raw --type=24 --name=1 "$exe")
for os in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
  1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  grep -q "supportedOS Id=\"{$os}\"" <<<"$manifest" || fail "the manifest does not list the system {$os}"
done
grep -q 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' <<<"$manifest" ||
  fail "the manifest does not ask for the version 6 common controls"
if grep -qi 'dpiAware' <<<"$manifest"; then fail "the manifest declares DPI awareness"; fi
header=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q '^Time/Date[[:space:]]*Thu Jan  1 00:00:00 1970' <<<"$header" || fail "quellor.exe carries a link time stamp"
"$root/tools/check-imports.sh" "$exe" || fail "the quellor.exe in the .zip needs more than Windows has"
boxText="${QUELLOR_WINDOWS_BUILD:-$root/build/windows}/tests/windows/box_text.exe"
"$root/tools/with-xvfb.sh" --screen 1024x768x24 "$root/tests/windows/wine-play.sh" windowed "$exe" "$boxText" ||
  fail "the quellor.exe from the .zip did not play under Wine"

# ------------------------------------------------------------------ installer
# Silent install and uninstall in the project's Wine prefix, judged by the
# files, the shortcut and the registry entry they leave. wineserver -w waits
# for every program of the prefix (the uninstaller runs a copy of itself).
"$root/tools/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true  # makes the prefix if need be
drive="$WINEPREFIX/drive_c"
folder="$drive/Program Files/Quellor"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Quellor.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellor'
# The entry's values, one a line (none when there is no entry).
RegistryEntry() { "$root/tools/wine-run.sh" reg query "$key" 2>/dev/null | tr -d '\r' | grep 'REG_' || true; }
# A run stopped half-way may have left an installation behind.
rm -rf "$folder" "$shortcut"
"$root/tools/wine-run.sh" reg delete "$key" /f >/dev/null 2>&1 || true
WINEDEBUG=-all wineserver -w

"$root/tools/wine-run.sh" "$setup" /S >/dev/null 2>&1 || true
WINEDEBUG=-all wineserver -w
for file in quellor.exe README.txt LICENSE.txt uninstall.exe; do
  [ -f "$folder/$file" ] || fail "the installer did not put $file in Program Files\\Quellor"
done
cmp -s "$folder/quellor.exe" "$exe" || fail "the installed quellor.exe is not the .zip's"
[ -f "$shortcut" ] || fail "the installer made no Start-menu shortcut"
entry=$(RegistryEntry)
echo "$entry"
grep -q 'DisplayName[[:space:]]*REG_SZ[[:space:]]*Quellor$' <<<"$entry" || fail "no Add/Remove Programs entry named Quellor"
grep -q "DisplayVersion[[:space:]]*REG_SZ[[:space:]]*$version\$" <<<"$entry" || fail "the Add/Remove Programs entry is not at $version"
grep -q 'UninstallString[[:space:]]*REG_SZ[[:space:]]*"C:\\Program Files\\Quellor\\uninstall.exe"$' <<<"$entry" ||
  fail "the Add/Remove Programs entry does not name the uninstaller"

"$root/tools/wine-run.sh" 'C:\Program Files\Quellor\uninstall.exe' /S >/dev/null 2>&1 || true
WINEDEBUG=-all wineserver -w
[ ! -e "$folder" ] || fail "the uninstaller left $(ls "$folder" | tr '\n' ' ')in Program Files\\Quellor"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu shortcut"
[ -z "$(RegistryEntry)" ] || fail "the uninstaller left the Add/Remove Programs entry"
rm -rf "$folder" "$shortcut"

# ------------------------------------------------------------------ web .zip
Unpack "$webZip" web LICENSE.txt README.txt index.html quellor.js quellor.wasm quellor.svg fonts/ \
  fonts/DejaVuSans-Bold.ttf licenses/ licenses/DejaVu-fonts.txt licenses/FreeType.txt licenses/GLU-tessellator.txt
page="$work/web/$(basename "$webZip" .zip)"
grep -q "^MIT License" "$page/LICENSE.txt" || fail "the web .zip does not carry the licence"
grep -q "Escape" "$page/README.txt" || fail "the web README does not tell the keys"
grep -q "Bitstream" "$page/licenses/DejaVu-fonts.txt" || fail "the web .zip does not carry the font's licence"
grep -q "FreeType Project" "$page/licenses/FreeType.txt" || fail "the web .zip does not carry FreeType's licence"
node "$root/tests/browser/play.cjs" refused "$page" --shots "$work/web-shots" ||
  fail "the page from the web .zip did not play in Chromium"

if [ "$failures" -ne 0 ]; then
  echo "check-packages: $failures failure(s)" >&2
  exit 1
fi
echo "check-packages: $(basename "$deb"), $(basename "$zip"), $(basename "$setup") and $(basename "$webZip") are sound"
