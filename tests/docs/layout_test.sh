#!/usr/bin/env bash
# The layout docs/ARCHITECTURE.md draws is the tree: every path it names exists, and every
# folder of sources below the top-level source folders is named, itself or (deeper than one
# level) through a named folder above it.
# usage: layout_test.sh SOURCE_DIR
set -euo pipefail
root=$1
doc="$root/docs/ARCHITECTURE.md"
layout=$(awk '/^## Layout/ { in_section = 1; next }
              in_section && /^```/ { fences++; if (fences == 2) exit; next }
              in_section && fences == 1' "$doc")
[ -n "$layout" ] || { echo "$doc: no layout block under '## Layout'" >&2; exit 1; }
named=$(printf '%s\n' "$layout" | grep -oE '^[a-z][A-Za-z0-9_.-]*(/[A-Za-z0-9_.-]*)*' || true)

status=0
for path in $named; do
  if [ ! -e "$root/$path" ]; then
    echo "$doc: the layout names $path, which does not exist" >&2
    status=1
  fi
done

# a here-string, not a pipe: grep -q stops reading at its match, and under pipefail the
# writer's SIGPIPE would turn a found name into a missing one
is_named() { grep -qxF "$1/" <<<"$named"; }
while read -r folder; do
  covered=0
  candidate=$folder
  while [[ $candidate == */* ]]; do
    if is_named "$candidate"; then covered=1; break; fi
    candidate=${candidate%/*}
  done
  # a folder directly below a top-level one must be named itself
  if [[ $folder == */*/* ]]; then :; elif ! is_named "$folder"; then covered=0; fi
  if [ $covered -eq 0 ]; then
    echo "$doc: the layout does not name $folder/" >&2
    status=1
  fi
done < <(cd "$root" && find app controls platform tools formats fileio -type f \
           \( -name '*.cpp' -o -name '*.h' \) -printf '%h\n' 2>/dev/null | grep '/' | sort -u)
exit $status
