#!/bin/bash
# Makes the start benchmark's icons folder: DIR/icons2000 with 2,000 copies of
# one of the program's own icons (made with the shell's tools, not Wine).
#
#   bench/start_setup.sh DIR
set -euo pipefail
root=${1:?usage: bench/start_setup.sh DIR}
# The icons the build puts beside dolv.exe.
src=${DOLV_BUILD:-$(cd "$(dirname "$0")/.." && pwd)/build}/icons
dir=$root/icons2000
if [ ! -f "$dir/.complete" ]; then
    rm -rf "$dir"
    mkdir -p "$dir"
    ico=$(ls "$src"/*.ico | head -1)
    for ((i = 0; i < 2000; i++)); do cp "$ico" "$dir/icon$i.ico"; done
    : >"$dir/.complete"
fi
echo "$dir"
