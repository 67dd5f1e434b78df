#!/usr/bin/env bash
# Runs a window test as on a desktop: a virtual X display of its own with a
# window manager that frames, places and activates the windows, and pointer
# clicks that go through the X server.
#   with-window-manager.sh TEST_BINARY [ARGS...]
set -euo pipefail
binary=$1
shift
for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "with-window-manager: $tool is not installed" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
finish() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

# The server picks a free display number and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 300); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "with-window-manager: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

HOME="$work" XDG_CONFIG_HOME="$work/config" openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
# The window manager is running once it owns the root window's check property.
for _ in $(seq 100); do
  xdotool search --maxdepth 1 --class Openbox >/dev/null 2>&1 && break
  kill -0 "$wm_pid" 2>/dev/null || { echo "with-window-manager: openbox ended" >&2; cat "$work/openbox.log" >&2; exit 1; }
  sleep 0.1
done

unset QT_QPA_PLATFORM
QT_QPA_PLATFORM=xcb "$binary" "$@"
