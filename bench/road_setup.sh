#!/bin/bash
# Makes the iconize benchmark's folders with the shell's own tools: DIR/elm
# and DIR/bare with 1,000 empty folders each (the program's road and its
# floor each get their own), and DIR/ico with one icon file.
#
#   bench/road_setup.sh DIR
set -euo pipefail
root=${1:?usage: bench/road_setup.sh DIR}
here=$(cd "$(dirname "$0")" && pwd)
# Every run starts from plain folders: a run that ended early may have left marks.
rm -rf "$root"
mkdir -p "$root/elm" "$root/bare" "$root/ico"
(cd "$root/elm" && mkdir $(seq -f 'f%04g' 0 999))
(cd "$root/bare" && mkdir $(seq -f 'f%04g' 0 999))
cp "${DOLV_BUILD:-$here/../build}/icons/folder.ico" "$root/ico/x.ico"
echo "$root/elm $root/bare $root/ico"
