#!/usr/bin/env bash
# What the idle program costs: the share of one core it uses with nothing happening (its timer
# still reads the registry every 10 ms), and the time from its start to its first frame on the
# screen. Fails when the first reaches 2% or the second 150 ms.
#
# Runs the program on an X server of its own (Xvfb), with a registry file of its own holding
# Start=4, or with --system over a throwaway root whose modprobe.d folders hold 40 files, one of
# which locks usb-storage.
# Usage: bench/idle_cpu.sh [--system] [FERROWIND]   (default: build/linux/app/ferrowind)
set -euo pipefail
cd "$(dirname "$0")/.."
mode_args=()
if [ "${1:-}" = "--system" ]; then
  mode_args=(--system)
  shift
fi
program=${1:-build/linux/app/ferrowind}
[ -x "$program" ] || { echo "no program at $program: build the linux preset first" >&2; exit 2; }
max_cpu_percent=2
max_startup_ms=150
settle_s=2
measure_s=10

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

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 2; }
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY SDL_VIDEODRIVER
export FERROWIND_REGISTRY="$work/registry.reg"
printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n"Start"=dword:00000004\r\n' \
  '[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\USBSTOR]' >"$FERROWIND_REGISTRY"
export FERROWIND_SYSROOT="$work/root"
mkdir -p "$FERROWIND_SYSROOT/etc/modprobe.d" "$FERROWIND_SYSROOT/lib/modprobe.d"
for i in $(seq -w 40); do
  printf 'options module%s debug=0\nblacklist module%s\n' "$i" "$i" \
    >"$FERROWIND_SYSROOT/lib/modprobe.d/$i.conf"
done
echo 'install usb-storage /bin/false' >"$FERROWIND_SYSROOT/lib/modprobe.d/40.conf"

# Microseconds of wall-clock time, without starting a process.
now_us() { echo "${EPOCHREALTIME/./}"; }
# Nanoseconds the process has run on a CPU (user and system): schedstat's first field.
cpu_ns() { read -r ns _ <"/proc/$app_pid/schedstat"; echo "$ns"; }

launched_us=$(now_us)
FERROWIND_TRACE_STARTUP=1 "$program" "${mode_args[@]}" 2>"$work/stderr" &
app_pid=$!
for _ in $(seq 100); do
  grep -q "first frame" "$work/stderr" && break
  kill -0 "$app_pid" 2>/dev/null || { cat "$work/stderr" >&2; echo "the program ended" >&2; exit 2; }
  sleep 0.05
done
trace=$(grep "first frame" "$work/stderr") || { echo "no first frame within 5 s" >&2; exit 2; }
# "ferrowind: first frame 41.2 ms after main(), at 1765150000.123456"
after_main=$(sed -n 's/.*first frame \([0-9.]*\) ms after main.*/\1/p' <<<"$trace")
frame_us=$(sed -n 's/.* at \([0-9]*\)\.\([0-9]*\)$/\1\2/p' <<<"$trace")
startup_ms=$(( (frame_us - launched_us) / 1000 ))

sleep "$settle_s"
cpu_before=$(cpu_ns)
wall_before=$(now_us)
sleep "$measure_s"
cpu_after=$(cpu_ns)
wall_after=$(now_us)
kill -0 "$app_pid" 2>/dev/null || { echo "the program ended during the measurement" >&2; exit 2; }
# Hundredths of a percent of one core.
cpu_centi=$(( (cpu_after - cpu_before) * 100 * 100 / ((wall_after - wall_before) * 1000) ))
cpu_text=$(printf '%d.%02d' $((cpu_centi / 100)) $((cpu_centi % 100)))

echo "idle CPU: ${cpu_text}% of one core over ${measure_s} s (limit ${max_cpu_percent}%)"
echo "startup: first frame ${startup_ms} ms after launch (${after_main} ms after main; limit ${max_startup_ms} ms)"
status=0
if [ "$cpu_centi" -ge $((max_cpu_percent * 100)) ]; then
  echo "FAIL: the idle program uses ${cpu_text}% of a core" >&2
  status=1
fi
if [ "$startup_ms" -ge "$max_startup_ms" ]; then
  echo "FAIL: the first frame took ${startup_ms} ms" >&2
  status=1
fi
exit "$status"
