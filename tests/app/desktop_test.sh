#!/usr/bin/env bash
# The program on a real X display, driven as a user drives it: the window's client area is the
# design's; locking and unlocking through the buttons write the registry file, each confirmed by
# a message box answered with Enter; the close box asks first: No keeps the program, Yes ends it
# with status 0. The script starts an X server of its own (Xvfb), so it needs no display.
#
# Usage: desktop_test.sh FERROWIND X11_WINDOW_TOOL
set -euo pipefail
program=$1
window_tool=$2
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -s "$work/stderr" ]; then sed 's/^/  program: /' "$work/stderr" >&2; fi
  exit 1
}

# Xvfb picks a free display number and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY SDL_VIDEODRIVER
export FERROWIND_REGISTRY="$work/registry.reg"

write_start() {
  printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n"Start"=dword:%08x\r\n' \
    '[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\USBSTOR]' "$1" >"$FERROWIND_REGISTRY"
}
start_value() {
  grep -io '"Start"=dword:[0-9a-f]*' "$FERROWIND_REGISTRY" | sed 's/.*://'
}
# Prints the id of the mapped top-level window titled exactly $1, waiting for it up to 10 s.
find_window() {
  for _ in $(seq 200); do
    "$window_tool" find "$1" 2>/dev/null | head -n 1 && return 0
    sleep 0.05
  done
  return 1
}
wait_gone() {
  for _ in $(seq 200); do
    "$window_tool" find "$1" >/dev/null 2>&1 || return 0
    sleep 0.05
  done
  return 1
}
# Answers the message box titled $1 with the key $2.
answer() {
  local box
  box=$(find_window "$1") || true
  [ -n "$box" ] || fail "no message box titled \"$1\""
  xdotool windowfocus --sync "$box" key "$2"
  wait_gone "$1" || fail "the message box \"$1\" did not close on $2"
}
# Clicks at a point of the window's client area.
click() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
}

write_start 3
"$program" 2>"$work/stderr" &
app_pid=$!
window=$(find_window Ferrowind) || true
[ -n "$window" ] || fail "the window did not appear"
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
[ "$geometry" = 395x225 ] || fail "the client area is $geometry, not 395x225"

click 144 52  # Lock USB Port
answer Locked Return
[ "$(start_value)" = 00000004 ] || fail "Start is $(start_value) after locking, not 4"

click 144 124  # Un-Lock USB Port
answer Un-Locked Return
[ "$(start_value)" = 00000003 ] || fail "Start is $(start_value) after unlocking, not 3"

"$window_tool" close "$window"
answer Exit Escape  # No
sleep 0.3
kill -0 "$app_pid" 2>/dev/null || fail "the program ended although the user answered No"

"$window_tool" close "$window"
answer Exit Return  # Yes
for _ in $(seq 100); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$app_pid" 2>/dev/null && fail "the program still runs after the user answered Yes"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" = 0 ] || fail "the program ended with status $status"
echo "ok: locked, unlocked, kept open on No, ended on Yes"
