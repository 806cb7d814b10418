#!/usr/bin/env bash
# Installs the Debian packages of the named groups, each listed in
# tools/deps/<group>.txt (one package a line, # starts a comment; a line
# ending in " @bookworm" or " @trixie" counts on that Debian release only,
# one ending in " !COMMAND" only where COMMAND is not on the PATH).
#   tools/install-deps.sh game [demo]   what ./run.sh needs
#   tools/install-deps.sh all           every list in tools/deps (./test.sh)
# Packages already installed are skipped, so a second run costs a second.
# The packages it installs are added to build/installed-packages.txt, so that
# they can be removed again (README.md, "Removing it all").
# Without root it uses sudo where sudo is there; otherwise it prints the
# apt-get line to run as root and stops.
set -euo pipefail
deps="$(cd "$(dirname "$0")" && pwd)/deps"
record="$(cd "$(dirname "$0")/.." && pwd)/build/installed-packages.txt"

if [ $# -eq 0 ]; then
  echo "usage: $0 all | GROUP... (groups: $(cd "$deps" && ls *.txt | sed 's/\.txt$//' | tr '\n' ' '))" >&2
  exit 2
fi

release=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}") || release=""

groups=()
for group in "$@"; do
  if [ "$group" = all ]; then
    for file in "$deps"/*.txt; do groups+=("$(basename "$file" .txt)"); done
  elif [ -f "$deps/$group.txt" ]; then
    groups+=("$group")
  else
    echo "install-deps: no package list $deps/$group.txt" >&2
    exit 2
  fi
done

# The packages of one list that count on this release.
ListPackages() {
  sed 's/#.*//' "$1" | while read -r package only rest; do
    [ -n "$package" ] || continue
    if [ -n "$only" ]; then
      case "$only" in
        @*) [ "$only" = "@$release" ] || continue ;;
        !*) ! command -v "${only#!}" >/dev/null || continue ;;
        *) echo "install-deps: $1: cannot read the line \"$package $only $rest\"" >&2; exit 2 ;;
      esac
    fi
    echo "$package"
  done
}

packages=()
for group in "${groups[@]}"; do
  mapfile -t listed < <(ListPackages "$deps/$group.txt")
  packages+=("${listed[@]}")
done

missing=()
for p in $(printf '%s\n' "${packages[@]}" | sort -u); do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

install="apt-get install -y --no-install-recommends ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    sudo="sudo"
  elif command -v sudo >/dev/null && [ -t 0 ]; then
    sudo="sudo"  # asks for the password
  else
    cat >&2 <<MESSAGE
install-deps: these Debian packages are missing: ${missing[*]}
install-deps: installing them needs root. Run as root:

    apt-get update && $install

and then run this again.
MESSAGE
    exit 1
  fi
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
# The downloaded .deb files are deleted once installed: they are not needed
# again, and they are a fifth of the disk the game's packages take.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
  -o APT::Keep-Downloaded-Packages=false "${missing[@]}"
mkdir -p "$(dirname "$record")"
printf '%s\n' "${missing[@]}" >>"$record"
