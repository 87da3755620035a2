#!/bin/bash
# Builds Dolv and makes its portable package: a .zip with one folder, Dolv,
# holding dolv.exe and the folders Language, help and icons. A Windows user
# unpacks it anywhere writable and runs dolv.exe; nothing is installed.
#
#   scripts/package.sh [OUT.zip]    default: build/Dolv-VERSION.zip
#
# The folders are taken from the clean copies the build makes them from
# (dist/ and the generated icons), not from the build folder where runs of the
# program may have left a settings.ini or rewritten language files.
set -euo pipefail

here=$(pwd)
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Dolv VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package: no version in CMakeLists.txt" >&2; exit 1; }

./scripts/setup.sh
source scripts/lib.sh
out=${1:-$DOLV_BUILD/Dolv-$version.zip}
case $out in /*) ;; *) out=$here/$out ;; esac
case $out in *.zip) ;; *) echo "package: $out does not end in .zip" >&2; exit 2 ;; esac

dolv_build

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
pkg=$stage/Dolv
mkdir -p "$pkg"
cp "$DOLV_BUILD/dolv.exe" "$pkg/"
for dir in Language help; do
    cp -r "dist/$dir" "$pkg/"
done
cp -r "$DOLV_BUILD/generated/dist/icons" "$pkg/"

for need in dolv.exe Language/Russian.lng help/dolv.html; do
    [ -f "$pkg/$need" ] || { echo "package: $need is missing" >&2; exit 1; }
done
ls "$pkg"/icons/*.ico >/dev/null 2>&1 || { echo "package: no icons were made" >&2; exit 1; }

mkdir -p "$(dirname "$out")"
rm -f "$out"
# CMake's own archiver writes the zip, so packaging needs no further tool.
(cd "$stage" && cmake -E tar cf "$out" --format=zip Dolv)
echo "package: $out ($(du -k "$out" | cut -f1) KB)"
