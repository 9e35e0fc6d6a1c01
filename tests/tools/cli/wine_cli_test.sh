#!/usr/bin/env bash
# ferrowind-cli.exe under Wine, over Wine's registry, set up and checked with Wine's own reg.exe:
# status --json, is-locked, lock and unlock with and without a UASPStor key, and bad usage.
# The test leaves the registry as it found it: the UASPStor key it makes (marked with a value of
# its own) is deleted, and USBSTOR's Start, or the key itself, goes back to what was there.
#
# Usage: wine_cli_test.sh FERROWIND_CLI_EXE WINE_RUN
set -euo pipefail
cli=$1
wine_run=$2

usbstor='HKLM\SYSTEM\CurrentControlSet\Services\USBSTOR'
uaspstor='HKLM\SYSTEM\CurrentControlSet\Services\UASPStor'
marker=FerrowindTestKey
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

reg() { "$wine_run" reg "$@" </dev/null 2>/dev/null | tr -d '\r'; }
key_exists() { "$wine_run" reg query "$1" >/dev/null 2>&1 </dev/null; }
# Start under key $1 as reg.exe shows it (0x4), or "absent".
start_of() {
  local value
  value=$(reg query "$1" /v Start | sed -n 's/^ *Start *REG_DWORD *//p')
  echo "${value:-absent}"
}
set_start() { reg add "$1" /v Start /t REG_DWORD /d "$2" /f >/dev/null; }
drop_uaspstor() {
  if key_exists "$uaspstor"; then
    # Only a key this test made (it holds the marker) is ever deleted.
    reg query "$uaspstor" /v "$marker" | grep -q "$marker" || {
      echo "FAIL: $uaspstor exists without the test's marker; refusing to change it" >&2
      exit 1
    }
    reg delete "$uaspstor" /f >/dev/null
  fi
}
make_uaspstor() {
  reg add "$uaspstor" /v "$marker" /t REG_DWORD /d 1 /f >/dev/null
  if [ -n "${1:-}" ]; then set_start "$uaspstor" "$1"; fi
}

# What was there before, to put back at the end.
usbstor_existed=no
if key_exists "$usbstor"; then usbstor_existed=yes; fi
usbstor_start=$(start_of "$usbstor")
cleanup() {
  drop_uaspstor || true
  if [ "$usbstor_existed" = no ]; then
    reg delete "$usbstor" /f >/dev/null || true
  elif [ "$usbstor_start" = absent ]; then
    reg delete "$usbstor" /v Start /f >/dev/null || true
  else
    set_start "$usbstor" "$usbstor_start" || true
  fi
}
trap cleanup EXIT
drop_uaspstor

# Runs the tool; its output (CR LF made LF) is in $out, its error output in $err, status in $rc.
work=$(mktemp -d)
trap 'cleanup; rm -rf "$work"' EXIT
run() {
  rc=0
  "$wine_run" "$cli" "$@" >"$work/out" 2>"$work/err" </dev/null || rc=$?
  out=$(tr -d '\r' <"$work/out")
  err=$(tr -d '\r' <"$work/err")
}
expect_run() {  # expect_run STATUS OUTPUT ARGS...
  local status=$1 output=$2
  shift 2
  run "$@"
  if [ "$rc" != "$status" ]; then fail "ferrowind-cli $*: exit status $rc, expected $status ($err)"; fi
  if [ "$out" != "$output" ]; then fail "ferrowind-cli $*: printed '$out', expected '$output'"; fi
}
json() {  # json STATE USBSTOR UASPSTOR
  echo "{\"state\": \"$1\", \"drivers\": [{\"name\": \"USBSTOR\", \"start\": $2}, {\"name\": \"UASPStor\", \"start\": $3}]}"
}
expect_starts() {  # expect_starts WHAT USBSTOR UASPSTOR
  if [ "$(start_of "$usbstor")" != "$2" ]; then
    fail "$1: USBSTOR Start is $(start_of "$usbstor"), expected $2"
  fi
  if [ "$3" = "no key" ]; then
    if key_exists "$uaspstor"; then fail "$1: the UASPStor key was made"; fi
  else
    if [ "$(start_of "$uaspstor")" != "$3" ]; then
      fail "$1: UASPStor Start is $(start_of "$uaspstor"), expected $3"
    fi
  fi
}

echo "-- without a UASPStor key"
set_start "$usbstor" 3
expect_run 0 "$(json unlocked 3 null)" status --json
expect_run 1 "" is-locked
expect_run 0 "locked: USBSTOR Start = 4 (no UASPStor key)" lock
expect_starts "lock" 0x4 "no key"
expect_run 0 "$(json locked 4 null)" status --json
expect_run 0 "" is-locked
expect_run 0 "unlocked: USBSTOR Start = 3 (no UASPStor key)" unlock
expect_starts "unlock" 0x3 "no key"
expect_run 1 "" is-locked

echo "-- with a UASPStor key"
make_uaspstor 3
expect_run 0 "$(json unlocked 3 3)" status --json
expect_run 0 "locked: USBSTOR and UASPStor Start = 4" lock
expect_starts "lock" 0x4 0x4
expect_run 0 "$(json locked 4 4)" status --json
expect_run 0 "" is-locked
set_start "$uaspstor" 3
expect_run 0 "$(json "partly locked" 4 3)" status --json
expect_run 1 "" is-locked
expect_run 0 "unlocked: USBSTOR and UASPStor Start = 3" unlock
expect_starts "unlock" 0x3 0x3
expect_run 0 "$(json unlocked 3 3)" status --json

echo "-- a UASPStor key without Start"
reg delete "$uaspstor" /v Start /f >/dev/null
expect_run 0 "locked: USBSTOR and UASPStor Start = 4" lock
expect_starts "lock" 0x4 0x4

echo "-- no USBSTOR value"
reg delete "$usbstor" /v Start /f >/dev/null
expect_run 0 "$(json unknown null 4)" status --json
expect_run 1 "" is-locked

echo "-- bad usage"
for args in "" "Lock" "lock now" "status --yaml"; do
  # shellcheck disable=SC2086
  expect_run 2 "" $args
  case "$err" in
    "ferrowind-cli: "*) ;;
    *) fail "ferrowind-cli $args: the error output is '$err'" ;;
  esac
done
expect_starts "bad usage" absent 0x4

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
