#!/bin/sh
# One drawing script through both builds: the soft rasterizer (Linux) and real GDI (the
# Windows build under Wine). Passes when the share of identical pixels reaches MIN_SHARE.
# usage: differential.sh SOFT_GDI ORACLE_GDI WINE_RUN IMAGE_DIFF SCRIPT OUT_DIR MIN_SHARE
set -eu
soft=$1 oracle=$2 wine_run=$3 image_diff=$4 script=$5 out=$6 min_share=$7
if [ ! -x "$oracle" ] && [ ! -f "$oracle" ]; then
  echo "the Windows build's ferrowind-gdi.exe is missing at $oracle (build the windows preset first)" >&2
  exit 1
fi
name=$(basename "$script" .gdi)
mkdir -p "$out"
"$soft" "$script" "$out/$name.soft.ppm"
"$wine_run" "$oracle" "$script" "$out/$name.gdi.ppm"
exec "$image_diff" "$out/$name.gdi.ppm" "$out/$name.soft.ppm" "$min_share" "$out/$name.evidence"
