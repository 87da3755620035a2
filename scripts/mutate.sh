#!/bin/bash
# Checks a test's strength: puts one plausible fault into the product, builds,
# runs the given test programs and says whether any test noticed. The file is
# always put back, on every exit path.
#
#   scripts/mutate.sh FILE 'TEXT' 'FAULTY TEXT' [TEST...]
#
# TEXT must occur exactly once in FILE (a literal, not a pattern). TEST names
# are ctest names (classlib, foundation, browser, iconize, core, app); without one,
# every test program runs. Exit code: 0 when caught, 1 when missed, 2 on a
# usage error or a fault that does not build (which proves nothing).
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 3 ] || { sed -n 2,11p "$0" >&2; exit 2; }
file=$1 old=$2 new=$3; shift 3
count=$(OLD=$old perl -0ne 'print scalar(() = /\Q$ENV{OLD}\E/g)' "$file")
[ "$count" = 1 ] || { echo "mutate: '$old' occurs $count times in $file" >&2; exit 2; }

backup=$(mktemp)
cp -p "$file" "$backup"
restore() { cp -p "$backup" "$file"; rm -f "$backup"; touch "$file"; }
trap restore EXIT
OLD=$old NEW=$new perl -0pi -e 's/\Q$ENV{OLD}\E/$ENV{NEW}/' "$file"

source scripts/lib.sh
trap 'restore; dolv_cleanup' EXIT
if ! dolv_build >/dev/null 2>&1; then
    echo "mutate: the fault does not build: $file" >&2
    exit 2
fi
dolv_prefix
dolv_display
dolv_wineserver
dolv_window_manager none
mkdir -p "$DOLV_BUILD/xdg-data/Trash/files" "$DOLV_BUILD/xdg-data/Trash/info"
regex=$(IFS='|'; echo "^(${*:-.*})\$")
if ctest --test-dir "$DOLV_BUILD" --output-on-failure --timeout 300 -R "$regex" >"$DOLV_BUILD/mutate.log" 2>&1; then
    echo "MISSED  $file: '$old' -> '$new'"
    exit 1
fi
echo "CAUGHT  $file: '$old' -> '$new'"
grep -E '^\[  FAILED  \]|Timeout' "$DOLV_BUILD/mutate.log" | head -5 || true
