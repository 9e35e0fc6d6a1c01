#!/usr/bin/env bash
# The program on a real X display, driven as a user drives it: the window's client area is the
# design's; locking and unlocking through the buttons write the registry file, each confirmed by
# the program's own message box, found by its title and answered from the keyboard; the note
# and About boxes; a refused write shows the failure box; while a box is up the window keeps
# following the registry; the close box asks first: No (Escape, or Tab and Enter, or the box's
# own close box) keeps the program, Yes ends it with status 0. The script starts an X server of
# its own (Xvfb) with nothing but its built-in fonts, so it needs no display and no X font
# packages. With EVIDENCE_DIR set, it leaves a screenshot of each box there.
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
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -fp built-ins 3>"$work/display" \
  2>"$work/xvfb.log" &
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
# The ids of the visible windows titled exactly $1 other than the main window, as xdotool finds
# them (the failure box has the main window's title).
boxes_titled() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -vx "${window:-none}"
}
# Prints the id of the message box titled $1, waiting for it up to 10 s.
find_box() {
  for _ in $(seq 200); do
    boxes_titled "$1" | head -n 1 && return 0
    sleep 0.05
  done
  return 1
}
box_gone() {
  for _ in $(seq 200); do
    boxes_titled "$1" >/dev/null || return 0
    sleep 0.05
  done
  return 1
}
# Answers the message box titled $1 with the keys $2...; with EVIDENCE_DIR set, its screenshot
# is left there first.
answer() {
  local title=$1 box
  shift
  box=$(find_box "$title") || true
  [ -n "$box" ] || fail "no message box titled \"$title\""
  if [ -n "${EVIDENCE_DIR:-}" ]; then
    mkdir -p "$EVIDENCE_DIR"
    sleep 0.2
    import -window "$box" "$EVIDENCE_DIR/box-${title//[^A-Za-z]/_}.png" 2>/dev/null || true
  fi
  xdotool windowfocus --sync "$box" key "$@"
  box_gone "$title" || fail "the message box \"$title\" did not close on $*"
}
# A checksum of what the main window shows.
window_pixels() {
  import -window "$window" rgb:- 2>/dev/null | md5sum
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
answer Un-Locked space
[ "$(start_value)" = 00000003 ] || fail "Start is $(start_value) after unlocking, not 3"

click 72 188  # the note
answer "About the protection..." Return
click 196 188  # About
answer "About Ferrowind" Escape

# A registry the user cannot write: the lock is refused, with the error box, and nothing changes.
chmod a-w "$FERROWIND_REGISTRY"
click 144 52
answer Ferrowind Return
[ "$(start_value)" = 00000003 ] || fail "Start is $(start_value) after a refused lock, not 3"
chmod u+w "$FERROWIND_REGISTRY"

# While the quit question is up, the window keeps ticking and painting: another program's lock
# shows on it.
"$window_tool" close "$window"
find_box Exit >/dev/null || fail "no message box titled \"Exit\""
before=$(window_pixels)
write_start 4
changed=""
for _ in $(seq 100); do
  [ "$(window_pixels)" != "$before" ] && changed=yes && break
  sleep 0.05
done
[ -n "$changed" ] || fail "the window did not follow the registry while the message box was up"
answer Exit Escape  # No
sleep 0.3
kill -0 "$app_pid" 2>/dev/null || fail "the program ended although the user answered Escape"

"$window_tool" close "$window"
answer Exit Tab Return  # Tab moves to No
sleep 0.3
kill -0 "$app_pid" 2>/dev/null || fail "the program ended although the user answered No"

"$window_tool" close "$window"
box=$(find_box Exit) || fail "no message box titled \"Exit\""
"$window_tool" close "$box"  # the box's own close box answers No
box_gone Exit || fail "the message box \"Exit\" did not close by its close box"
sleep 0.3
kill -0 "$app_pid" 2>/dev/null || fail "the program ended although the box was closed"

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
echo "ok: locked, unlocked, note, about, refused lock, ticking under a box, kept open on No, ended on Yes"
