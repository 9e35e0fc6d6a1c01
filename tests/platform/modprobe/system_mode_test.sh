#!/usr/bin/env bash
# System mode end to end, in throwaway roots ($FERROWIND_SYSROOT), with kmod's own modprobe as
# the judge of what the files mean: ferrowind-cli and ferrowind-reg lock and unlock usb-storage
# and uas; a lock another file holds reads as locked and survives unlock untouched; a user who
# may not write gets status 5 and changes nothing; two writers at once lose nothing.
#
# Usage: system_mode_test.sh FERROWIND_CLI FERROWIND_REG MODPROBE
set -euo pipefail
cli=$1
reg=$2
modprobe=$3
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
expect_status() {  # expect_status WANTED WHAT COMMAND...
  local wanted=$1 what=$2
  shift 2
  local status=0
  "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq "$wanted" ] || fail "$what: exit status $status, not $wanted ($(cat "$work/err"))"
}
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"

new_root() {
  root="$work/root$1"
  mkdir -p "$root/etc/modprobe.d"
  chmod -R 755 "$root"
  export FERROWIND_SYSROOT=$root
}
config() { "$modprobe" -C "$root/etc/modprobe.d" --showconfig 2>/dev/null; }
usbstor='HKLM\SYSTEM\CurrentControlSet\Services\USBSTOR'
uaspstor='HKLM\SYSTEM\CurrentControlSet\Services\UASPStor'

# --- Lock and unlock, judged by modprobe ---
new_root 1
expect_status 0 "status on an empty policy" "$cli" --system status --json
grep -qx '{"state": "unlocked", "drivers": \[{"name": "USBSTOR", "start": 3}, {"name": "UASPStor", "start": 3}\]}' "$work/out" ||
  fail "status --json before lock: $(cat "$work/out")"
expect_status 1 "is-locked before lock" "$cli" --system is-locked
expect_status 0 "lock" "$cli" --system lock
shown=$(config)
for rule in "install usb_storage /bin/false" "blacklist usb_storage" "install uas /bin/false" \
  "blacklist uas"; do
  grep -qx "$rule" <<<"$shown" || fail "after lock modprobe shows no \"$rule\""
done
dry_run=$("$modprobe" -C "$root/etc/modprobe.d" -n -v usb-storage 2>&1)
grep -q "^install /bin/false" <<<"$dry_run" || fail "modprobe -n -v usb-storage says: $dry_run"
grep -q "^install usb-storage /bin/false$" "$root/etc/modprobe.d/ferrowind.conf" ||
  fail "the policy file does not spell usb-storage as audits look for it"
grep -q "^# Managed by Ferrowind" "$root/etc/modprobe.d/ferrowind.conf" ||
  fail "the policy file does not say who manages it"
expect_status 0 "is-locked after lock" "$cli" --system is-locked
# Written readable by everyone, whatever the writer's umask.
rm "$root/etc/modprobe.d/ferrowind.conf"
(umask 077 && "$cli" --system lock >/dev/null)
[ "$(stat -c %a "$root/etc/modprobe.d/ferrowind.conf")" = 644 ] ||
  fail "the policy file is $(stat -c %a "$root/etc/modprobe.d/ferrowind.conf"), not 644, under umask 077"
expect_status 0 "unlock" "$cli" --system unlock
left=$(config | grep -E 'usb_storage|uas' || true)
[ -z "$left" ] || fail "after unlock modprobe still shows: $left"
[ ! -e "$root/etc/modprobe.d/ferrowind.conf" ] || fail "unlock left the empty policy file"
expect_status 2 "bad usage" "$cli" --system frobnicate

# --- ferrowind-reg: one driver at a time; only 3 and 4 ---
expect_status 0 "reg add USBSTOR 4" "$reg" --system add "$usbstor" /v Start /t REG_DWORD /d 4 /f
expect_status 0 "status after one driver" "$cli" --system status --json
grep -q '"state": "partly locked"' "$work/out" || fail "one module locked: $(cat "$work/out")"
expect_status 1 "reg add 2" "$reg" --system add "$uaspstor" /v Start /t REG_DWORD /d 2 /f
expect_status 0 "reg query" "$reg" --system query "$usbstor" /v Start
grep -q 'Start    REG_DWORD    0x4' "$work/out" || fail "reg query says: $(cat "$work/out")"

# --- A lock another file holds ---
new_root 2
printf 'install usb-storage /bin/true\nblacklist usb-storage\n' >"$root/etc/modprobe.d/cis-hardening.conf"
cp "$root/etc/modprobe.d/cis-hardening.conf" "$work/hardening.before"
expect_status 0 "status with a hardening file" "$cli" --system status --json
grep -q '{"name": "USBSTOR", "start": 4}' "$work/out" || fail "the other file's lock reads: $(cat "$work/out")"
expect_status 1 "unlock against the other file" "$cli" --system unlock
grep -q "cis-hardening.conf" "$work/err" || fail "the refusal does not name the file: $(cat "$work/err")"
cmp -s "$work/hardening.before" "$root/etc/modprobe.d/cis-hardening.conf" || fail "the other file changed"
[ ! -e "$root/etc/modprobe.d/ferrowind.conf" ] || fail "the refused unlock wrote a file"

# --- A user who may not write ---
new_root 3
expect_status 0 "lock before the read-only test" "$cli" --system lock
cp "$root/etc/modprobe.d/ferrowind.conf" "$work/policy.before"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid 65534 --regid 65534 --clear-groups)
else
  chmod 555 "$root/etc/modprobe.d"
fi
expect_status 0 "status as a user" "${as_user[@]}" "$cli" --system is-locked
expect_status 5 "unlock as a user" "${as_user[@]}" "$cli" --system unlock
cmp -s "$work/policy.before" "$root/etc/modprobe.d/ferrowind.conf" || fail "the refused unlock changed the file"
chmod 755 "$root/etc/modprobe.d"

# --- Two writers at once ---
new_root 4
for round in $(seq 1 15); do
  "$reg" --system add "$usbstor" /v Start /t REG_DWORD /d 4 /f >/dev/null &
  "$reg" --system add "$uaspstor" /v Start /t REG_DWORD /d 4 /f >/dev/null &
  wait
  shown=$(config)
  grep -qx "install usb_storage /bin/false" <<<"$shown" && grep -qx "install uas /bin/false" <<<"$shown" ||
    fail "round $round: a concurrent lock was lost: $shown"
  "$reg" --system add "$usbstor" /v Start /t REG_DWORD /d 3 /f >/dev/null &
  "$reg" --system add "$uaspstor" /v Start /t REG_DWORD /d 3 /f >/dev/null &
  wait
  [ ! -e "$root/etc/modprobe.d/ferrowind.conf" ] || fail "round $round: a concurrent unlock was lost"
done

if [ "$failures" -gt 0 ]; then
  echo "$failures system mode check(s) failed" >&2
  exit 1
fi
echo "system mode ok"
