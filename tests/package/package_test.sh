#!/bin/bash
# The portable package as a user gets it: made by scripts/package.sh,
# unpacked into a fresh folder, complete, and its dolv.exe runs there under
# the project's Wine prefix (from the test environment) and ends with 0.
# Mode 0 iconizes one folder and ends without a window, so the run cannot
# wait for a user; the timeout ends it should it wait all the same.
# Usage: package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1 build=$2
: "${WINEPREFIX:?WINEPREFIX must name the project Wine prefix}"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DOLV_BUILD=$build "$src/scripts/package.sh" "$tmp/out/Dolv.zip" >"$tmp/package.log" 2>&1 \
    || { tail -20 "$tmp/package.log" >&2; fail "package command"; }

mkdir "$tmp/unpacked"
(cd "$tmp/unpacked" && cmake -E tar xf "$tmp/out/Dolv.zip") || fail "the zip does not unpack"
pkg=$tmp/unpacked/Dolv
for f in dolv.exe Language/Russian.lng help/dolv.html icons/folder.ico; do
    [ -s "$pkg/$f" ] || fail "$f missing from the package"
done
extra=$(cd "$pkg" && ls -A | grep -vxE 'dolv.exe|Language|help|icons' || true)
[ -z "$extra" ] || fail "unexpected files in the package: $extra"

mkdir "$pkg/target"
rc=0
(cd "$pkg" && timeout -k 5 60 wine dolv.exe 0 target 'icons\folder.ico' 0 0 \
    </dev/null >"$tmp/wine.log" 2>&1) || rc=$?
[ "$rc" -ne 124 ] && [ "$rc" -ne 137 ] || fail "dolv.exe did not end within 60 s"
[ "$rc" -eq 0 ] || { cat "$tmp/wine.log" >&2; fail "dolv.exe ended with $rc"; }
echo "package: unpacked and ran from $pkg"
