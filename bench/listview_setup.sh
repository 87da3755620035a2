#!/bin/bash
# Makes the list view benchmark's folders with the shell's own tools (making
# files through Wine costs about 3 ms each): DIR/1k, DIR/10k and DIR/100k,
# each with mixed extensions and a spread of (sparse) sizes. Each begins,
# sorted by name, with a few folders and then files of every kind that shows
# an icon of its own (.ico, .exe, .lnk), so that the first screen holds them;
# the benchmark itself makes the shortcuts real and marks one folder, which
# needs the platform.
#
#   bench/listview_setup.sh DIR
set -euo pipefail
root=${1:?usage: bench/listview_setup.sh DIR}
build=${DOLV_BUILD:-$(cd "$(dirname "$0")/.." && pwd)/build}
exts=(txt jpg png doc pdf exe dll ico lnk zip html mp3 "")
make_folder() {
    local dir=$1 count=$2 i name
    [ -f "$dir/.complete" ] && return 0
    rm -rf "$dir"
    mkdir -p "$dir"
    (
        cd "$dir"
        mkdir folder0 folder1 folder2 folder3 marked
        for i in 1 2 3 4; do
            cp "$build/icons/$(ls "$build/icons" | grep -m1 '\.ico$')" "a$i.ico"
            cp "$build/bench/start_floor.exe" "a$i.exe"
            : >"a$i.lnk"
        done
        declare -A bysize
        for ((i = 0; i < count - 17; i++)); do
            ext=${exts[i % ${#exts[@]}]}
            name="file$i${ext:+.$ext}"
            : >"$name"
            bysize[$(((i * 7919) % 6))]+="$name"$'\n'
        done
        # Sizes from bytes to gigabytes, one truncate per size class.
        sizes=(0 700 40000 3000000 900000000 5000000000)
        for k in "${!bysize[@]}"; do
            printf '%s' "${bysize[$k]}" | xargs -d '\n' truncate -s "${sizes[$k]}"
        done
    )
    : >"$dir/.complete"
}
make_folder "$root/1k" 1000
make_folder "$root/10k" 10000
make_folder "$root/100k" 100000
echo "$root/1k $root/10k $root/100k"
