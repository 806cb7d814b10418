# shellcheck shell=bash
# Sourced by tools/with-xvfb.sh and tools/with-xorg-dummy.sh: runs a command
# on display number N with Mesa's software renderer and returns its status.
#   RunOnDisplay N command args...
RunOnDisplay() {
  export DISPLAY=":$1"
  shift
  export LIBGL_ALWAYS_SOFTWARE=1
  unset WAYLAND_DISPLAY
  local status=0
  "$@" || status=$?
  return "$status"
}
