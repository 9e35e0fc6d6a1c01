#!/bin/sh
# Without any display the program says how to get one and fails.
# Usage: no_display_test.sh FERROWIND (run with DISPLAY, WAYLAND_DISPLAY and SDL_VIDEODRIVER unset)
if output=$("$1" 2>&1); then
  echo "ferrowind exited with status 0 without a display; it said: $output"
  exit 1
fi
case $output in
  *"ferrowind: cannot open a window: "*"Is a display available (DISPLAY or WAYLAND_DISPLAY)?"*)
    echo "ok: $output" ;;
  *)
    echo "unexpected output: $output"
    exit 1 ;;
esac
