#!/usr/bin/env bash
# Checks the release packages made by tools/make-packages.sh (in build/packages,
# or the directory given):
# - the .deb holds exactly the game in /usr/games, its menu entry and its icon;
#   it is in the games section; it depends on a package for every library the
#   game links and on the score's font; and the game, run from a dpkg -x
#   extraction on a virtual display, shows its board and ends with status 0;
# - the .zip holds exactly quellor.exe and README.txt in one folder; the
#   quellor.exe in it needs only DLLs every Windows has and, run under Wine,
#   shows its board and ends with status 0.
# Reads message boxes under Wine with box_text.exe from the windows preset's
# build (tools/windows-tests.sh builds it first).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
packages="$(cd "${1:-$root/build/packages}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "check-packages: FAIL: $*" >&2
  failures=$((failures + 1))
}

# ------------------------------------------------------------------ .deb
shopt -s nullglob
debs=("$packages"/quellor_*.deb)
zips=("$packages"/quellor-*-windows-x64.zip)
shopt -u nullglob
[ ${#debs[@]} -eq 1 ] || { echo "check-packages: want one quellor .deb in $packages, found ${#debs[@]}" >&2; exit 1; }
[ ${#zips[@]} -eq 1 ] || { echo "check-packages: want one quellor .zip in $packages, found ${#zips[@]}" >&2; exit 1; }
deb="${debs[0]}"
zip="${zips[0]}"

contents=$(dpkg-deb --contents "$deb")
files=$(awk '$1 !~ /^d/ {print $6}' <<<"$contents" | sort)
want=$(printf '%s\n' ./usr/games/quellor ./usr/share/applications/quellor.desktop \
  ./usr/share/icons/hicolor/scalable/apps/quellor.svg | sort)
[ "$files" = "$want" ] || fail "the .deb holds"$'\n'"$files"$'\n'"instead of"$'\n'"$want"
grep -q '^-rwxr-xr-x .* \./usr/games/quellor$' <<<"$contents" || fail "/usr/games/quellor is not an executable file"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the .deb is not in the games section"
[ "$(dpkg-deb -f "$deb" Package)" = quellor ] || fail "the .deb's package is not named quellor"

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
"$root/tools/with-xvfb.sh" --screen 1024x768x24 bash "$work/play-deb.sh" "$root" "$game" "$work/deb.xwd" ||
  fail "the game from the .deb extraction did not show its board and end with status 0"

# ------------------------------------------------------------------ .zip
base=$(basename "$zip" .zip)
entries=$(cmake -E tar tf "$zip" | sort)
want=$(printf '%s\n' "$base/README.txt" "$base/quellor.exe" | sort)
[ "$entries" = "$want" ] || fail "the .zip holds"$'\n'"$entries"$'\n'"instead of"$'\n'"$want"
mkdir -p "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$zip")
exe="$work/zip/$base/quellor.exe"
grep -q "Escape" "$work/zip/$base/README.txt" || fail "the README does not tell the keys"
"$root/tools/check-imports.sh" "$exe" || fail "the quellor.exe in the .zip needs more than Windows has"
boxText="${QUELLOR_WINDOWS_BUILD:-$root/build/windows}/tests/windows/box_text.exe"
"$root/tools/with-xvfb.sh" --screen 1024x768x24 "$root/tests/windows/wine-play.sh" windowed "$exe" "$boxText" ||
  fail "the quellor.exe from the .zip did not play under Wine"

if [ "$failures" -ne 0 ]; then
  echo "check-packages: $failures failure(s)" >&2
  exit 1
fi
echo "check-packages: $(basename "$deb") and $(basename "$zip") are sound"
