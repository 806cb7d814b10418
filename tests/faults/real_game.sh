#!/usr/bin/env bash
# The real game where the machine lacks something it needs.
#   tests/faults/real_game.sh no-display <path to quellor>
#       No X display at all: the start-up question and the failure go to
#       standard error in the program's own words, with one line of the
#       reason, exit status 1, at once.
# (A machine without fonts is shown in-process by no_fonts_play_test.cpp.)
set -euo pipefail
scenario="$1"
game="$2"
pid=""
scratch=$(mktemp -d)
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "FAIL ($scenario): $*" >&2
  exit 1
}

case "$scenario" in
  no-display)
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY timeout 30 "$game" >"$scratch/out" 2>"$scratch/err" || status=$?
    [ "$status" -eq 1 ] || fail "exit status $status, not 1"
    grep -qxF "Start FullScreen?: Would You Like To Run In Fullscreen Mode?" "$scratch/err" ||
      fail "the start-up question is not on standard error: $(cat "$scratch/err")"
    grep -qxF "ERROR: Window Creation Error." "$scratch/err" ||
      fail "the failure is not on standard error: $(cat "$scratch/err")"
    grep -qxF "quellor: no display: DISPLAY is not set" "$scratch/err" ||
      fail "the reason is not on standard error: $(cat "$scratch/err")"
    [ "$(grep -c . "$scratch/err")" -eq 3 ] || fail "more than the two messages and the reason: $(cat "$scratch/err")"
    ;;
  *)
    fail "unknown scenario"
    ;;
esac
echo "ok ($scenario)"
