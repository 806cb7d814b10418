#!/usr/bin/env bash
# Checks that a Windows program needs only DLLs every Windows has, and that
# it is a GUI program.
#   tools/check-imports.sh path/to/quellor.exe [objdump]
# Allowed: the platform the game is written against (opengl32, glu32, gdi32,
# user32, kernel32, winmm) and msvcrt, the C runtime that is part of Windows
# itself and that mingw-w64's own runtime calls. The C++ runtime, libgcc and
# winpthread must be linked in, never needed as DLLs.
set -euo pipefail
exe="$1"
objdump="${2:-x86_64-w64-mingw32-objdump}"
allowed="gdi32.dll glu32.dll kernel32.dll msvcrt.dll opengl32.dll user32.dll winmm.dll"

headers=$("$objdump" -p "$exe") || { echo "check-imports: cannot read $exe" >&2; exit 1; }
dlls=$(printf '%s\n' "$headers" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
status=0
if [ -z "$dlls" ]; then
  echo "check-imports: $exe imports no DLL at all" >&2
  status=1
fi
for dll in $dlls; do
  case " $allowed " in
    *" $dll "*) ;;
    *)
      echo "check-imports: $exe needs $dll, which Windows does not come with" >&2
      status=1
      ;;
  esac
done
if ! grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$headers"; then
  echo "check-imports: $exe is not a GUI (Windows subsystem) program" >&2
  status=1
fi
echo "$(basename "$exe") imports:" $dlls
exit $status
