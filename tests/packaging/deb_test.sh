#!/usr/bin/env bash
# The Debian package as an administrator gets it: cpack makes it from the build; its contents
# are the three programs, the desktop entry (system mode), the icon in every size, and the
# documents; lintian finds no error in it; and installed into a throwaway root its
# ferrowind-cli runs.
#
# Usage: deb_test.sh CPACK CPACK_CONFIG OUT VERSION
set -euo pipefail
cpack=$1
config=$2
out=$3
version=$4
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

rm -rf "$out"
mkdir -p "$out"
"$cpack" --config "$config" -B "$out" >"$out/cpack.log" 2>&1 || {
  cat "$out/cpack.log" >&2
  exit 1
}
deb="$out/ferrowind_${version}_amd64.deb"
[ -f "$deb" ] || {
  echo "cpack made no $deb" >&2
  exit 1
}

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/ferrowind ./usr/bin/ferrowind-cli ./usr/bin/ferrowind-reg \
  ./usr/share/applications/ferrowind.desktop ./usr/share/doc/ferrowind/README.md \
  ./usr/share/doc/ferrowind/copyright ./usr/share/doc/ferrowind/changelog.gz; do
  grep -qx "$path" <<<"$contents" || fail "the package holds no $path"
done
for size in 16 32 48 128 256; do
  grep -qx "./usr/share/icons/hicolor/${size}x${size}/apps/ferrowind.png" <<<"$contents" ||
    fail "the package has no ${size}x${size} icon"
done
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libsdl2 libfreetype libfontconfig libc6 fonts-wine; do
  grep -q "$needed" <<<"$depends" || fail "Depends does not name $needed: $depends"
done

if ! lintian --fail-on error "$deb" >"$out/lintian.log" 2>&1; then
  fail "lintian reports errors: $(cat "$out/lintian.log")"
fi
grep -q "^E:" "$out/lintian.log" && fail "lintian: $(grep '^E:' "$out/lintian.log")"

root="$out/root"
dpkg-deb -x "$deb" "$root"
grep -qx "Exec=ferrowind --system" "$root/usr/share/applications/ferrowind.desktop" ||
  fail "the desktop entry does not start system mode"
help=$("$root/usr/bin/ferrowind-cli" --help) || fail "the installed ferrowind-cli --help failed"
grep -q "^ferrowind-cli: locks and unlocks USB storage" <<<"$help" || fail "--help says: $help"
file "$root/usr/bin/ferrowind-cli" | grep -q "stripped" && ! file "$root/usr/bin/ferrowind-cli" | grep -q "not stripped" ||
  fail "the installed programs are not stripped"

if [ "$failures" -gt 0 ]; then
  echo "$failures package check(s) failed" >&2
  exit 1
fi
echo "package ok: $deb ($(sed -n 's/^W: //p' "$out/lintian.log" | wc -l) lintian warnings)"
