#!/usr/bin/env bash
# The Windows program under Wine on an X server of its own (Xvfb), tried as a new user tries
# it: the window appears with the open padlock; clicking "Lock USB Port" asks nothing but says
# "Locked" in a message box, answered with Enter; `reg query` then shows Start = 4 and the window
# the closed padlock and the red "Locked"; `reg add` of 3 from outside makes the window follow
# (open padlock, "Un-Locked"); the close box asks first: No keeps the program, Yes ends it with
# status 0. Screenshots of every step are kept in SCREENSHOTS; the padlocks are compared pixel
# for pixel with the program's own pictures.
#
# Usage: wine_e2e.sh FERROWIND_EXE WINDOW_TOOL_EXE WINE_RUN SCREENSHOTS RES_DIR
set -euo pipefail
program=$1
window_tool=$2
wine_run=$3
shots=$4
res=$5

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
key='HKLM\SYSTEM\CurrentControlSet\Services\USBSTOR'
cleanup() {
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
  "$wine_run" reg delete "$key" /v Start /f >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
step() { echo "-- $*"; }

mkdir -p "$shots"
rm -f "$shots"/e2e-*.png

# Xvfb picks a free display number and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"

tool() { "$wine_run" "$window_tool" "$@"; }
# The id of the mapped X window titled exactly $1, waiting up to $2 seconds (10 by default).
find_window() {
  local deadline=$((SECONDS + ${2:-10}))
  while [ $SECONDS -lt $deadline ]; do
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 && return 0
    sleep 0.1
  done
  return 1
}
# Waits up to 10 s until Wine has no top-level window titled $1.
wait_gone() {
  local deadline=$((SECONDS + 10))
  while [ $SECONDS -lt $deadline ]; do
    tool exists "$1" || return 0
    sleep 0.1
  done
  return 1
}
# Answers the message box titled $1 with the key $2.
answer() {
  local box
  box=$(find_window "$1") || fail "no message box titled \"$1\""
  timeout 10 xdotool windowfocus --sync "$box" key "$2" || fail "could not type $2 into \"$1\""
  wait_gone "$1" || fail "the message box \"$1\" did not close on $2"
}
start_value() {
  "$wine_run" reg query "$key" /v Start 2>/dev/null | sed -n 's/.*REG_DWORD *//p' | tr -d '\r'
}
# Screenshot of the window's client area: $1 names the step.
shoot() {
  local file="$shots/e2e-$1.png"
  import -window "$window" "$work/raw.png"
  # The X window may hold more than the client area (a frame Wine draws itself).
  convert "$work/raw.png" -crop "395x225+$dx+$dy" +repage "$file"
  echo "$file"
}
# Pixels of a rectangle (W H X Y of the client area) of screenshot $1 that differ from image $2.
differing_pixels() {
  convert "$1" -crop "$3x$4+$5+$6" +repage "$work/crop.png"
  # ImageMagick prints the count (with a normalised value after it in later versions).
  compare -metric AE "$work/crop.png" "$2" null: 2>&1 | awk '{print $1}' || true
}
# Pure red pixels in Label4 (1425 x 240 twips at 3840, 1800 in Frame1, at 120, 120).
red_pixels() {
  convert "$1" -crop 95x16+264+128 +repage -fill black +opaque '#FF0000' -fill white \
    -opaque '#FF0000' -format '%[fx:round(mean*w*h)]' info:
}
# Differing pixels between the padlock $2 ("open" or "closed") and where the padlocks lie in
# screenshot $1: 4200, 675 twips in Frame1, so 288, 53 pixels in the client area.
padlock_difference() {
  local size
  if [ "$2" = open ]; then size="50 73"; else size="52 72"; fi
  # shellcheck disable=SC2086
  differing_pixels "$1" "$res/padlock_$2.bmp" $size 288 53
}
# Takes screenshots of step $1 until the window shows padlock $2 and the status text passes
# the test $3 on its count of red pixels (Wine paints a change within a tick and flushes the
# window to the X server a little later); fails after 10 s. Prints the last screenshot.
wait_for_screen() {
  local deadline=$((SECONDS + 10)) shot differing red
  while :; do
    shot=$(shoot "$1")
    differing=$(padlock_difference "$shot" "$2")
    red=$(red_pixels "$shot")
    if [ "$differing" = 0 ] && $3 "$red"; then
      echo "$shot"
      return 0
    fi
    if [ $SECONDS -ge $deadline ]; then
      fail "step $1: the $2 padlock differs in $differing pixels, the status text has $red red" \
        "pixels ($shot)"
    fi
    sleep 0.3
  done
}
any_red() { [ "$1" -gt 0 ]; }
shows_locked() { [ "$1" -gt 0 ] && [ "$1" -lt "$unlocked_red" ]; }
shows_unlocked() { [ "$1" = "$unlocked_red" ]; }
wait_for_value() {
  local deadline=$((SECONDS + 10))
  while [ $SECONDS -lt $deadline ]; do
    [ "$(start_value)" = "$1" ] && return 0
    sleep 0.2
  done
  return 1
}

step "start with Start = 3"
"$wine_run" reg add "$key" /v Start /t REG_DWORD /d 3 /f >/dev/null
"$wine_run" "$program" >"$work/program.log" 2>&1 &
app_pid=$!
window=$(find_window Ferrowind 30) || fail "the window did not appear"
read -r left top width height < <(tool client Ferrowind | tr -d "\r") ||
  fail "Wine knows no window Ferrowind"
[ "$width x $height" = "395 x 225" ] || fail "the client area is $width x $height, not 395 x 225"
eval "$(xdotool getwindowgeometry --shell "$window")"
dx=$((left - X))
dy=$((top - Y))
[ "$dx" -ge 0 ] && [ "$dy" -ge 0 ] || fail "the client area lies outside the X window"
shot=$(wait_for_screen 1-start open any_red)
unlocked_red=$(red_pixels "$shot")

step "click Lock USB Port"
timeout 10 xdotool mousemove $((left + 144)) $((top + 52)) click 1
find_window Locked >/dev/null || fail "no message box titled Locked after the click"
import -window root -crop "640x480+0+0" "$shots/e2e-2-message-box.png"
answer Locked Return
wait_for_value 0x4 || fail "Start is $(start_value) after locking, not 0x4"
wait_for_screen 3-locked closed shows_locked >/dev/null

step "reg add Start = 3 from outside"
"$wine_run" reg add "$key" /v Start /t REG_DWORD /d 3 /f >/dev/null
wait_for_screen 4-unlocked-from-outside open shows_unlocked >/dev/null

step "close box, No"
tool close Ferrowind
find_window Exit >/dev/null || fail "no question titled Exit after the close box"
import -window root -crop "640x480+0+0" "$shots/e2e-5-quit-question.png"
answer Exit n
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "the program ended although the user answered No"
tool exists Ferrowind || fail "the window went although the user answered No"

step "close box, Yes"
tool close Ferrowind
answer Exit Return
deadline=$((SECONDS + 15))
while kill -0 "$app_pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "the program still runs after the user answered Yes"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" = 0 ] || fail "the program ended with status $status: $(cat "$work/program.log")"
echo "ok: locked (Start 0x4, closed padlock, Locked), followed an outside change, kept open on" \
  "No, ended on Yes; screenshots in $shots"
