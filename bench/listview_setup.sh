#!/bin/bash
# Makes the list view benchmark's folders with the shell's own tools (making
# files through Wine costs about 3 ms each): DIR/10k and DIR/40k, each with
# mixed extensions, a spread of (sparse) sizes and one folder per 50 entries.
#
#   bench/listview_setup.sh DIR
set -euo pipefail
root=${1:?usage: bench/listview_setup.sh DIR}
exts=(txt jpg png doc pdf exe dll ico lnk zip html mp3 "")
make_folder() {
    local dir=$1 count=$2 i name
    [ -f "$dir/.complete" ] && return 0
    rm -rf "$dir"
    mkdir -p "$dir"
    (
        cd "$dir"
        declare -A bysize
        for ((i = 0; i < count; i++)); do
            if ((i % 50 == 0)); then
                mkdir "folder$i"
                continue
            fi
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
make_folder "$root/10k" 10000
make_folder "$root/40k" 40000
echo "$root/10k $root/40k"
