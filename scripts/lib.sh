# Shared by scripts/run, scripts/test and scripts/package: package checks and the Wine prefix.
# Sourced, not run.

# Debian packages the builds and their tests need.
FERROWIND_PACKAGES="cmake ninja-build g++ pkg-config googletest libbenchmark-dev zlib1g-dev \
libfreetype-dev libpng-dev libfontconfig-dev libsdl2-dev libx11-dev nlohmann-json3-dev fonts-wine fonts-liberation \
g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev wine64 xvfb xauth xdotool \
nsis wixl imagemagick clang libclang-rt-14-dev ccache \
kmod lintian dpkg-dev file util-linux"

# ccache (the compiler launcher of every preset) keys its objects on paths relative to the
# checkout, so a fresh clone of the same tree reuses the objects of an earlier build.
export CCACHE_BASEDIR="$PWD"
export CCACHE_NOHASHDIR=true
export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-20G}"

# Installs missing packages as root; otherwise prints the apt-get line and fails.
ferrowind_ensure_packages() {
  missing=""
  for package in $FERROWIND_PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing="$missing $package"
    fi
  done
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Ferrowind needs these Debian packages; install them with:" >&2
    echo "  sudo apt-get install -y$missing" >&2
    exit 1
  fi
  echo "Installing missing packages:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing
}

# The Windows build's Wine prefix: booted once, with font smoothing off so that Wine draws
# two-colour text as the soft rasterizer does.
ferrowind_prepare_wine_prefix() {
  build_dir=$1
  export WINEPREFIX="$build_dir/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export FONTCONFIG_FILE="$PWD/cmake/wine-fonts.conf"
  marker="$WINEPREFIX/.ferrowind-prefix-v2"
  if [ ! -f "$marker" ]; then
    echo "Preparing the Wine prefix in $WINEPREFIX"
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
    wine_reg() { /usr/lib/wine/wine64 reg add "$@" /f >/dev/null; }
    wine_reg 'HKCU\Control Panel\Desktop' /v FontSmoothing /t REG_SZ /d 0
    # Debian's Wine does not load the fonts of fonts-wine by itself: register the faces the
    # controls use (MS Sans Serif is Wine's raster font).
    fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
    wine_reg "$fonts" /v 'Tahoma (TrueType)' /t REG_SZ /d 'Z:\usr\share\wine\fonts\tahoma.ttf'
    wine_reg "$fonts" /v 'Tahoma Bold (TrueType)' /t REG_SZ /d 'Z:\usr\share\wine\fonts\tahomabd.ttf'
    wine_reg "$fonts" /v 'MS Sans Serif 8,10,12,14,18,24' /t REG_SZ /d 'Z:\usr\share\wine\fonts\sserife.fon'
    /usr/lib/wine/wineserver64 -w
    touch "$marker"
  fi
  # One persistent server for the whole run keeps each Wine start short. Wine's background
  # services start with the first program and keep its output open, so they are started here,
  # away from ctest's pipes (otherwise ctest waits for them forever).
  /usr/lib/wine/wineserver64 -p >/dev/null 2>&1 || true
  /usr/lib/wine/wine64 wineboot >/dev/null 2>&1 </dev/null
  # On a new prefix that start also runs a desktop process (explorer.exe) with no display, which
  # ends a second or so later; a windowed program started before it ends joins its desktop and
  # can make no window at all (CreateWindowEx fails with error 1400). Wait for it to end.
  for _ in $(seq 1 60); do
    ferrowind_prefix_has_desktop_process || break
    sleep 0.5
  done
  # The window tests' own windows are left unmanaged (Wine's X11 "Managed" setting for those
  # programs only): without a window manager on the test's X server, Wine would wait 2 s for
  # one at every top-level window it destroys. The program itself keeps the usual setting.
  for test_program in win32_host_tests.exe win32_soak_tests.exe win32_message_box_tests.exe \
    win32_elevation_tests.exe; do
    /usr/lib/wine/wine64 reg add "HKCU\\Software\\Wine\\AppDefaults\\$test_program\\X11 Driver" \
      /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
  done
}

# Whether a desktop process (explorer.exe /desktop) of this $WINEPREFIX is running.
ferrowind_prefix_has_desktop_process() {
  for pid in $(pgrep -f 'explorer[.]exe /desktop' || true); do
    # grep reads a substitution, not a pipe: stopping at its match must not leave tr a SIGPIPE
    # that pipefail would report as no match
    if grep -qx "WINEPREFIX=$WINEPREFIX" < <(tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null); then
      return 0
    fi
  done
  return 1
}

ferrowind_stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && /usr/lib/wine/wineserver64 -k 2>/dev/null || true
}
